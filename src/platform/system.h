#pragma once
#include <string>

namespace kaza::platform {

// GetSystemDirectoryA with a 260-character buffer, cut at the first NUL.
std::string SystemDirectory();

struct VersionInfo {
    bool ok = false;
    unsigned long platformId = 0;
    unsigned long build = 0;  // the whole 32-bit field, as the 9x family fills it too
    unsigned long major = 0, minor = 0;
};
// The text with every %NAME% of the environment replaced by its value (ExpandEnvironmentStringsA),
// as the system reads a path such as "%SystemRoot%\System32\x.bmp"; the text as it is when it
// cannot be expanded.
std::string ExpandEnvironment(const std::string& text);

// GetVersionExA with the 148-byte ANSI structure.
VersionInfo WindowsVersion();
// Tests: the version WindowsVersion reports instead, for systems the emulator does not know;
// nullptr asks the system again.
void SetVersionForTesting(const VersionInfo* v);

// Whether the open-file dialog takes its full record (Windows Me, 2000 and later) rather than the
// 76-byte one of 95, 98 and NT 4.0.
bool HasLongOpenFileRecord(const VersionInfo& v);

// The local date and time, to the second (GetLocalTime).
struct LocalTime {
    int year, month, day, hour, minute, second;
};
LocalTime Now();

// The folder of the running program, without a trailing backslash.
std::string ProgramFolder();
// Tests point the program at a folder of their own; an empty text restores the real one.
void SetProgramFolderForTesting(const std::string& folder);

}  // namespace kaza::platform

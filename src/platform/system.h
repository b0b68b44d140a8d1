#pragma once
#include <windows.h>

#include <string>

namespace kaza::platform {

// GetSystemDirectoryA with a 260-character buffer, cut at the first NUL.
std::string SystemDirectory();

// Takes every DLL loaded from now on, by this program or by the system's own DLLs on its behalf,
// from the system folder only, never from the program's folder or the current one: with
// SetDefaultDllDirectories where the system has it (8 and later, Vista and 7 with its update),
// otherwise SetDllDirectoryA("") (XP SP1 and later), which leaves out the current folder only.
// 98, NT 4.0 and 2000 have neither: there only full paths help, so the DLLs that system DLLs load
// by name on demand are loaded from the system folder at once. Both calls are looked up at run
// time. Call it first, before any window and before comdlg32 or shell32 is loaded; the answer is
// kept for DllSearchInForce.
enum class DllSearch {
    SystemFolderOnly,  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
    NoCurrentFolder,   // SetDllDirectoryA(""): the program's folder is still searched first
    Unlimited,         // neither call exists or worked
};
DllSearch LoadDllsFromSystemFolderOnly();
// What the first call above achieved; Unlimited before it.
DllSearch DllSearchInForce();
// LoadLibraryA of the system folder's copy of `file` (a bare file name), named by its full path.
HMODULE LoadSystemDll(const char* file);

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

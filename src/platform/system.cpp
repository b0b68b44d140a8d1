#include "platform/system.h"

#include <windows.h>

#include "platform/lookup.h"
#include "platform/text.h"

namespace kaza::platform {
namespace {
std::string& ProgramFolderOverride() {
    static std::string folder;
    return folder;
}
VersionInfo*& VersionOverride() {
    static VersionInfo* version = nullptr;
    return version;
}
}  // namespace

std::string SystemDirectory() {
    char buffer[260] = {};
    GetSystemDirectoryA(buffer, sizeof buffer);
    return FromAnsi(buffer, sizeof buffer);
}

std::string ExpandEnvironment(const std::string& text) {
    const std::string ansi = ToAnsi(text);
    if (ansi.find('%') == std::string::npos) return text;
    DWORD need = ExpandEnvironmentStringsA(ansi.c_str(), nullptr, 0);
    if (need == 0) return text;
    // Room for one more byte: 95 and 98 may count a double-byte text one short.
    std::string buffer(need + 1, '\0');
    DWORD n = ExpandEnvironmentStringsA(ansi.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n > buffer.size()) return text;
    return FromAnsi(buffer.data(), buffer.size());
}

namespace {
DllSearch& SearchInForce() {
    static DllSearch search = DllSearch::Unlimited;
    return search;
}
}  // namespace

DllSearch LoadDllsFromSystemFolderOnly() {
    using SetDefaultDirs = BOOL(WINAPI*)(DWORD);
    using SetDirectory = BOOL(WINAPI*)(LPCSTR);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    auto setDefault = LookUp<SetDefaultDirs>("kernel32.dll", "SetDefaultDllDirectories");
    DllSearch& search = SearchInForce();
    if (setDefault && setDefault(kSearchSystem32)) search = DllSearch::SystemFolderOnly;
    else {
        auto setDirectory = LookUp<SetDirectory>("kernel32.dll", "SetDllDirectoryA");
        if (setDirectory && setDirectory("")) search = DllSearch::NoCurrentFolder;
    }
    // System DLLs load these by bare name when first needed (themes, drawing, version checks),
    // where the settings above are missing (2000, XP) or not asked (Wine's delay-loaded imports).
    // Loaded from the system folder now, they are found already loaded then.
    for (const char* file : {"uxtheme.dll", "msimg32.dll", "version.dll"}) LoadSystemDll(file);
    return search;
}

DllSearch DllSearchInForce() { return SearchInForce(); }

HMODULE LoadSystemDll(const char* file) {
    std::string folder = ToAnsi(SystemDirectory());
    // Without the folder a bare name would be searched for, beside the program too.
    if (folder.empty()) return nullptr;
    std::string path = folder + "\\" + file;
    return LoadLibraryA(path.c_str());
}

VersionInfo WindowsVersion() {
    if (VersionOverride()) return *VersionOverride();
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148, "the ANSI version record is 148 bytes");
    info.dwOSVersionInfoSize = sizeof info;
    VersionInfo out;
    if (!GetVersionExA(&info)) return out;
    out.ok = true;
    out.platformId = info.dwPlatformId;
    out.build = info.dwBuildNumber;
    out.major = info.dwMajorVersion;
    out.minor = info.dwMinorVersion;
    return out;
}

bool HasLongOpenFileRecord(const VersionInfo& v) {
    if (!v.ok) return false;
    if (v.platformId == VER_PLATFORM_WIN32_NT) return v.major >= 5;
    return v.major > 4 || (v.major == 4 && v.minor >= 90);
}

LocalTime Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::string ProgramFolder() {
    if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    // Cut once converted: in the ANSI form a 0x5C byte may be half of a character.
    std::string path = FromAnsi(buffer, n);
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void SetVersionForTesting(const VersionInfo* v) {
    static VersionInfo held;
    if (v) held = *v;
    VersionOverride() = v ? &held : nullptr;
}

void SetProgramFolderForTesting(const std::string& folder) { ProgramFolderOverride() = folder; }

}  // namespace kaza::platform

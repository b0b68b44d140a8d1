#include "platform/shell.h"

#include <shlobj.h>

#include <vector>

#include "platform/lookup.h"
#include "platform/system.h"
#include "platform/text.h"

namespace kaza::platform {
namespace {

class SystemShell final : public Shell {
public:
    std::string DesktopFolder(HWND owner) override {
        bool available = false;
        std::string path = DesktopFolderByName(owner, available);
        return available ? path : DesktopFolderByItemList(owner);
    }

    DriveProbe ProbeDrive(char letter) override {
        // The previous directory, so that the probe leaves no trace (a floppy stays free to eject).
        DWORD n = GetCurrentDirectoryA(0, nullptr);
        std::vector<char> previous(n + 1, '\0');
        GetCurrentDirectoryA(static_cast<DWORD>(previous.size()), previous.data());

        const char root[] = {letter, ':', '\\', '\0'};
        // A letter without any drive behind it is not a drive without a disk (the drive type
        // comes from the device, so an empty drive is not touched here).
        if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) return DriveProbe::Other;
        UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        SetLastError(ERROR_SUCCESS);
        bool entered = SetCurrentDirectoryA(root) != FALSE;
        DWORD error = GetLastError();
        if (entered && previous[0]) SetCurrentDirectoryA(previous.data());
        SetErrorMode(oldMode);
        return entered ? DriveProbe::Usable : ClassifyDriveError(error);
    }
};

SystemShell g_systemShell;
Shell* g_shell = &g_systemShell;

}  // namespace

// shell32 is no import (it pulls in comctl32, no KnownDLL): it is loaded by its full path.
std::string DesktopFolderByName(HWND owner, bool& available) {
    using GetPathFn = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
    static const auto getPath = LookUp<GetPathFn>(LoadSystemDll("shell32.dll"), "SHGetSpecialFolderPathA");
    available = getPath != nullptr;
    char path[MAX_PATH] = {};
    if (getPath) getPath(owner, path, CSIDL_DESKTOP, FALSE);
    return FromAnsi(path, sizeof path);
}

std::string DesktopFolderByItemList(HWND owner) {
    using LocationFn = HRESULT(WINAPI*)(HWND, int, LPITEMIDLIST*);
    using PathFn = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);
    static const auto location = LookUp<LocationFn>(LoadSystemDll("shell32.dll"), "SHGetSpecialFolderLocation");
    static const auto pathOf = LookUp<PathFn>(LoadSystemDll("shell32.dll"), "SHGetPathFromIDListA");
    char path[MAX_PATH] = {};
    LPITEMIDLIST list = nullptr;
    if (location && pathOf && SUCCEEDED(location(owner, CSIDL_DESKTOP, &list)) && list) {
        pathOf(list, path);
        CoTaskMemFree(list);
    }
    return FromAnsi(path, sizeof path);
}

DriveProbe ClassifyDriveError(unsigned long error) {
    switch (error) {
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
        return DriveProbe::NoDisk;
    // An unformatted disk in a 9x drive fails the way DOS put it: "General failure reading drive A".
    case ERROR_GEN_FAILURE:
    case ERROR_SEEK:
    case ERROR_READ_FAULT:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_NOT_DOS_DISK:
    case ERROR_UNRECOGNIZED_MEDIA:
    case ERROR_UNRECOGNIZED_VOLUME:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_CRC:
    case ERROR_WRONG_DISK:
        return DriveProbe::Unreadable;
    default:
        return DriveProbe::Other;
    }
}

Shell& shell() { return *g_shell; }
Shell& systemShell() { return g_systemShell; }
void SetShell(Shell* s) { g_shell = s ? s : &g_systemShell; }

}  // namespace kaza::platform

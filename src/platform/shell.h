#pragma once
#include <windows.h>

#include <string>

// Shell folders and removable drives, behind a replaceable interface like the dialogs: tests
// point the desktop elsewhere and script what a drive reports.
namespace kaza::platform {

// What entering a drive's root found.
enum class DriveProbe {
    Usable,      // the root could be entered
    NoDisk,      // the drive reports that no disk is in it
    Unreadable,  // a disk the system cannot read: not formatted, or formatted for another system
    Other,       // anything else, such as a drive letter without a drive
};

class Shell {
public:
    virtual ~Shell() = default;
    // The desktop folder (DesktopFolderByName, else DesktopFolderByItemList); empty when the
    // shell names none.
    virtual std::string DesktopFolder(HWND owner) = 0;
    // Makes the root of the drive ('A') the current directory, with the system's critical-error
    // boxes off, and puts the previous current directory back.
    virtual DriveProbe ProbeDrive(char letter) = 0;
};

Shell& shell();
// The system's own shell, for replacements that script only part of it.
Shell& systemShell();
// Installs a replacement (tests); nullptr restores the real one. The caller keeps ownership.
void SetShell(Shell* s);

// The two ways the system shell names the desktop folder (260-character buffer, cut at the first
// NUL). SHGetSpecialFolderPathA is looked up, since NT 4.0 has it only with Internet Explorer 4's
// desktop update; available tells whether it was there. Without it, the folder's item list leads
// to the same path.
std::string DesktopFolderByName(HWND owner, bool& available);
std::string DesktopFolderByItemList(HWND owner);

// How a failed change into a drive's root reads (a GetLastError code).
DriveProbe ClassifyDriveError(unsigned long error);

}  // namespace kaza::platform

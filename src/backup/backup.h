#pragma once
#include <windows.h>

#include <string>

#include "backup/safety.h"

namespace kaza {
class Form1;
namespace backup {

void SaveToDesktop(Form1& main);      // DESUK
void SaveToFloppy(Form1& main);       // HURO
void SaveToFolder(Form1& main);       // SONOTA
void OpenRestoreWindow(Form1& main);  // Form6, modal
void OpenSafetyCopies(Form1& main);   // Form9, modal

// What each command that writes the system replaces, on the running family.
Targets ApplyTargets(Form1& main);
Targets RestoreTargets(Form1& main, bool logo, bool info);
// What removing the maker's details takes away: both OEM files, and on Vista and later the small
// logo and the six OEMInformation values. The registration values and the processor name stay.
Targets RemovalTargets(Form1& main);
Targets RestrictionTargets(Form1& main);
Targets VendorTargets(Form1& main);
// All of them: what the very first safety copy keeps.
Targets EverythingWritten(Form1& main);

// Before a command's first write: keeps a safety copy of the targets. When it cannot be
// written, asks whether to go on anyway; false means the command must write nothing. With
// prune false the old copies are left for the caller to prune (it still needs one of them).
bool KeepBeforeWriting(Form1& main, HWND owner, const Targets& targets, const std::string& command,
                       bool prune = true);
// Status panel 1 when the user chose not to go on without a safety copy.
inline constexpr const char* kNothingWritten = "変更前の状態を保存できなかったため、何も変更しませんでした。";

}  // namespace backup
}  // namespace kaza

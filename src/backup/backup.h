#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "apply/plan.h"
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
Targets TargetsOf(const apply::Plan& plan);  // every place the plan names, written or left
Targets RestoreTargets(Form1& main, bool logo, bool info);
Targets RestrictionTargets(Form1& main);
Targets VendorTargets(Form1& main);
// All of them: what the very first safety copy keeps, and every place going back may write.
Targets EverythingWritten(Form1& main);

// Before a command's first write: keeps a safety copy of the targets. When it cannot be
// written, asks over `owner` whether to go on anyway (without an owner the answer is no); false
// means the command must write nothing. With prune false the old copies are left for the caller
// to prune (it still needs one of them).
bool KeepBeforeWriting(Form1& main, HWND owner, const Targets& targets, const std::string& command,
                       bool prune = true);

// Going back to a copy, from the window and from /restore alike: a safety copy of the present
// state of what it holds, then the copy put back (the rows of PutBack). No rows when no safety
// copy could be kept and the user, asked as KeepBeforeWriting asks, would not go on.
std::optional<platform::Steps> GoBack(Form1& main, const SafetyCopy& copy, const std::string& command, HWND owner);
// Status panel 1 when the user chose not to go on without a safety copy.
inline constexpr const char* kNothingWritten = "変更前の状態を保存できなかったため、何も変更しませんでした。";
// The command's result with what keeping the copy did to a folder of copies that others could
// change, when it did anything (KeepBeforeWriting).
std::string WithSafetyNote(const std::string& result);

}  // namespace backup
}  // namespace kaza

#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/plan.h"
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
Targets TargetsOf(const Plan& plan);  // every place the plan names, written or left
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

// Every registry value a safety copy may hold, and so every value going back may write: the
// places of the commands' plans on either family, the access restrictions and the vendor name.
std::vector<ValuePlace> KeptValues(Form1& main);
// A copy that names what the program never writes was changed by someone else: any user may
// change the folder it lies in. What it names so (unknown keys of its description, and values as
// PlaceText gives them); empty for a copy of the program's own.
std::vector<std::string> ChangedOutside(Form1& main, const SafetyCopy& copy);

// Going back to a copy, from the window and from /restore alike. A copy changed outside the
// program is refused whole: `changed` names why, nothing is written. Otherwise a safety copy of
// the present state of what it holds, then the copy put back (`steps`, the rows of PutBack); no
// rows when no safety copy could be kept and the user, asked as KeepBeforeWriting asks, would
// not go on.
struct GoneBack {
    std::vector<std::string> changed;
    std::optional<platform::Steps> steps;
};
GoneBack GoBack(Form1& main, const SafetyCopy& copy, const std::string& command, HWND owner);
// Status panel 1 when the user chose not to go on without a safety copy.
using kaza::kNothingWritten;

}  // namespace backup
}  // namespace kaza

#pragma once
#include <string>
#include <vector>

#include "apply/apply.h"
#include "backup/safety.h"

namespace kaza {
class Form1;
namespace apply {

// Takes away every place the targets name: the files from the system folder, the values from
// the registry; every step attempted in order, one row each. What is already gone counts as
// removed.
std::vector<StepResult> RemovePlaces(const backup::Targets& targets);

// Status panel 1 after a removal: that everything was removed, or what could not be (lack of
// administrator rights named as such).
std::string RemovalText(const std::vector<StepResult>& steps);

// Menu OEM情報を削除…: asks with a Yes/No box naming what goes, keeps a safety copy, removes.
void RemoveFromWindow(Form1& main);

}  // namespace apply
}  // namespace kaza

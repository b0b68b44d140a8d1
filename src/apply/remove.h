#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "apply/plan.h"

namespace kaza {
class Form1;
namespace apply {

// OEM情報を削除… and /remove alike: a safety copy of every place the removal plan names, then the
// plan written (its rows). No rows when no safety copy could be kept and the user, asked over
// `owner`, would not go on; without an owner nobody is asked.
std::optional<platform::Steps> RemoveOemInformation(Form1& main, const std::string& command, HWND owner);

// Status panel 1 after a removal: that everything was removed, or what could not be (lack of
// administrator rights named as such).
std::string RemovalText(const platform::Steps& steps);

// Menu OEM情報を削除…: asks with a Yes/No box naming what goes, then removes.
void RemoveFromWindow(Form1& main);

}  // namespace apply
}  // namespace kaza

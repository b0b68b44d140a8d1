#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "apply/plan.h"

namespace kaza {
class Form1;
namespace apply {

void OpenFinalConfirmation(Form1& main);  // Form5, modal

// 実行 and /apply alike: a safety copy of every place the plan names, then the plan written (the
// rows of WritePlan). Nothing is written (no rows) when no safety copy could be kept and the user,
// asked over `owner`, would not go on; without an owner nobody is asked.
std::optional<platform::Steps> ApplySettings(Form1& main, LogoDepth depth, const std::string& command, HWND owner);

// Status panel 1 after an apply: the success text when every row went in, else what could not
// be written (with the system's code, where it was not a lack of rights), and why details were
// refused.
std::string ApplyResultText(const platform::Steps& steps);


// The information file as Apply writes it: the maker and model, then the support lines, built
// beside `path` and put in its place only when every write went in.
platform::Outcome WriteInfoFile(Form1& main, const std::string& path);

}  // namespace apply
}  // namespace kaza

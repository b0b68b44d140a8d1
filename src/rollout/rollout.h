#pragma once
#include <functional>
#include <string>
#include <vector>

#include "rollout/args.h"

namespace kaza {
class Form1;
namespace rollout {

// What a roll-out command returns to the script that ran it.
inline constexpr int kEverythingWritten = 0;
inline constexpr int kStepFailed = 1;
inline constexpr int kBadRequest = 2;  // bad arguments, or no such preset
inline constexpr int kNoSafetyCopy = 3;  // nothing was written

// The program's own command line (GetCommandLineA), split into words.
std::vector<std::string> ProgramArguments();

// Carries out /apply, /restore, /remove or /export without any window or message box showing; the exit
// code. The main window's model is loaded hidden, as the window would load it; `loaded` (tests)
// runs once it is.
int RunSilently(const Request& request, const std::function<void(Form1&)>& loaded = {});

// Menu 配布用に書き出す: the main window's settings, with its owner and organisation when they
// are not empty, into a folder the user picks.
void ExportFromWindow(Form1& main);

}  // namespace rollout
}  // namespace kaza

#include <windows.h>

#include "app/form1.h"
#include "rollout/rollout.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Any argument is a roll-out command from a script: no window, an exit code instead.
    const std::vector<std::string> args = kaza::rollout::ProgramArguments();
    if (!args.empty()) return kaza::rollout::RunSilently(kaza::rollout::ParseArguments(args));
    kaza::Form1 main;
    main.onClosed = [] { PostQuitMessage(0); };
    main.Show();
    // Without its main window the program could never be closed: end it at once instead.
    if (!main.Loaded()) return 1;
    return kaza::ui::RunMessageLoop();
}

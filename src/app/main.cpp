#include <windows.h>

#include "app/form1.h"
#include "platform/system.h"
#include "rollout/rollout.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything can load a DLL: the program usually runs as administrator from a folder any
    // user may write to, so no DLL may come from there.
    kaza::platform::LoadDllsFromSystemFolderOnly();
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

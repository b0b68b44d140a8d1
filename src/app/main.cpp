#include <windows.h>

#include "app/form1.h"
#include "logo/logo.h"
#include "platform/system.h"
#include "rollout/rollout.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything can load a DLL: the program usually runs as administrator from a folder any
    // user may write to, so no DLL may come from there.
    kaza::platform::LoadDllsFromSystemFolderOnly();
    // A roll-out command from a script: no window, an exit code instead. A file dropped on the
    // program opens the window with the file imported.
    const kaza::rollout::Request request = kaza::rollout::ParseArguments(kaza::rollout::ProgramArguments());
    if (request.command != kaza::rollout::Command::Window) return kaza::rollout::RunSilently(request);
    kaza::Form1 main;
    main.onClosed = [] { PostQuitMessage(0); };
    main.Show();
    // Without its main window the program could never be closed: end it at once instead.
    if (!main.Loaded()) return 1;
    if (!request.picture.empty()) kaza::logo::ImportFile(main, request.picture);
    return kaza::ui::RunMessageLoop();
}

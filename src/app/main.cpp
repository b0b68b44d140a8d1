#include <windows.h>

#include "app/form1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    kaza::Form1 main;
    main.onClosed = [] { PostQuitMessage(0); };
    main.Show();
    // Without its main window the program could never be closed: end it at once instead.
    if (!main.Loaded()) return 1;
    return kaza::ui::RunMessageLoop();
}

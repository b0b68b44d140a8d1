#include <windows.h>

#include "app/form1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    kaza::Form1 main;
    main.onClosed = [] { PostQuitMessage(0); };
    main.Show();
    return kaza::ui::RunMessageLoop();
}

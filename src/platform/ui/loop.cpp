// The message loops: the program's own, and the one that lets pending messages run.
#include "platform/ui/toolkit.h"

namespace kaza::ui {

bool TranslateFormMessage(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    Form* form = nullptr;
    for (Form* f : Form::All())
        if (f->hwnd() && f->hwnd() == root) form = f;
    if (!form) return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) &&
        form->DialogKey(msg.hwnd, msg.wParam))
        return true;
    return IsDialogMessageA(root, &msg) != FALSE;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void DoEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace kaza::ui

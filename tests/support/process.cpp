#include "support/process.h"

#include "support/kaza_test.h"

namespace kaza::test {

std::string WindowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

namespace {
struct Found {
    DWORD pid;
    std::string caption;
    HWND hwnd = nullptr;
};

BOOL CALLBACK FindShown(HWND h, LPARAM lp) {
    auto* want = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char text[256] = {}, cls[64] = {};
    GetWindowTextA(h, text, sizeof text);
    GetClassNameA(h, cls, sizeof cls);
    bool wanted = want->caption.empty() ? lstrcmpA(cls, "#32770") == 0 : want->caption == text;
    if (pid == want->pid && IsWindowVisible(h) && wanted) {
        want->hwnd = h;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND WaitForWindow(DWORD pid, const std::string& utf8Caption) {
    Found found{pid, Sjis(utf8Caption)};
    for (int i = 0; i < 300 && !found.hwnd; ++i) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (!found.hwnd) Sleep(100);
    }
    return found.hwnd;
}

}  // namespace kaza::test

#include "platform/edit.h"

#include <algorithm>
#include <cstring>

#include "platform/system.h"
#include "platform/text.h"

namespace kaza::platform {

int EditLineCount(HWND edit) { return static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0)); }

std::string EditLine(HWND edit, int line) {
    char buffer[kEditLineBytes];
    std::memset(buffer, ' ', sizeof buffer);
    // EM_GETLINE reads the buffer's capacity from its first 16-bit word.
    const WORD capacity = kEditLineBytes;
    std::memcpy(buffer, &capacity, sizeof capacity);
    LRESULT n = SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer));
    size_t count = n > 0 ? std::min<size_t>(static_cast<size_t>(n), kEditLineBytes) : 0;
    // The control copies bytes: a line longer than the buffer may end in the lead byte of a
    // double-byte character whose trail byte did not fit. That half is dropped.
    count = AnsiCutWithoutSplit(buffer, count);
    std::string text = FromAnsi(buffer, count);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string EditTextAsTyped(HWND edit) {
    using GetTextLengthFn = int(WINAPI*)(HWND);
    using GetTextFn = int(WINAPI*)(HWND, wchar_t*, int);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto length = reinterpret_cast<GetTextLengthFn>(reinterpret_cast<void*>(GetProcAddress(user, "GetWindowTextLengthW")));
    auto get = reinterpret_cast<GetTextFn>(reinterpret_cast<void*>(GetProcAddress(user, "GetWindowTextW")));
    if (WindowsVersion().platformId == VER_PLATFORM_WIN32_NT && length && get) {
        std::wstring w(static_cast<size_t>(std::max(0, length(edit))) + 1, L'\0');
        w.resize(static_cast<size_t>(std::max(0, get(edit, w.data(), static_cast<int>(w.size())))));
        return FromWide(w);
    }
    int n = GetWindowTextLengthA(edit);
    std::string bytes(static_cast<size_t>(std::max(0, n)) + 1, '\0');
    bytes.resize(static_cast<size_t>(std::max(0, GetWindowTextA(edit, bytes.data(), static_cast<int>(bytes.size())))));
    return FromAnsi(bytes);
}

}  // namespace kaza::platform

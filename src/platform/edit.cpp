#include "platform/edit.h"

#include <algorithm>
#include <cstring>

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

}  // namespace kaza::platform

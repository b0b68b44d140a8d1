#pragma once
#include <windows.h>

#include <string>

namespace kaza::platform {

// Lines of a multi-line edit control, read through the control's own messages so that they are
// the lines the control counts (without word wrap: the text's lines).

// EM_GETLINECOUNT; an empty control has one line.
int EditLineCount(HWND edit);

// EM_GETLINE for the zero-based line into a 128-byte buffer of blanks whose first 16-bit word holds
// the capacity; the bytes the control reports, without a double-byte character cut in half at the
// end, converted from the ANSI code page, trailing blanks (U+0020) removed. Longer lines are cut.
std::string EditLine(HWND edit, int line);

constexpr int kEditLineBytes = 128;


}  // namespace kaza::platform

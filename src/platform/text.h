#pragma once
#include <string>
#include <string_view>

namespace kaza::platform {

// Text is UTF-8 inside the program and the system's ANSI code page at every ...A call.
std::string ToAnsi(std::string_view utf8);
// Bytes in the ANSI code page back to UTF-8, cut at the first NUL.
std::string FromAnsi(const char* bytes, size_t count);
std::string FromAnsi(std::string_view bytes);
// Whether every character of the text has a place in the system's ANSI code page.
bool FitsAnsi(std::string_view utf8);
// The length in UTF-16 units, as the system counts the characters of a text.
size_t WideLength(std::string_view utf8);

// Letter case of the Latin, Greek and Cyrillic letters, full-width ones included, the same on every
// Windows family (the system's own folding differs between 9x and NT).
std::string LowerCase(std::string_view utf8);

// Whether an ANSI byte opens a double-byte character in the system's code page.
bool IsLeadByte(unsigned char b);

// Length of the longest prefix of at most maxBytes ANSI bytes that does not end inside a
// double-byte character.
size_t AnsiCutWithoutSplit(const char* bytes, size_t count);

}  // namespace kaza::platform

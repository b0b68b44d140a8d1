#include "platform/text.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace kaza::platform {
namespace {

std::wstring Widen(std::string_view s, UINT cp) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& w, UINT cp) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) { return Narrow(Widen(utf8, CP_UTF8), CP_ACP); }

std::string FromAnsi(const char* bytes, size_t count) {
    const void* nul = std::memchr(bytes, 0, count);
    if (nul) count = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
    return Narrow(Widen(std::string_view(bytes, count), CP_ACP), CP_UTF8);
}

std::string FromAnsi(std::string_view bytes) { return FromAnsi(bytes.data(), bytes.size()); }

bool FitsAnsi(std::string_view utf8) {
    // The conversion puts a default character, or a best-fit look-alike, for what the code page
    // lacks, without failing: the text must come back as it went in.
    std::wstring w = Widen(utf8, CP_UTF8);
    return Widen(Narrow(w, CP_ACP), CP_ACP) == w;
}

size_t WideLength(std::string_view utf8) { return Widen(utf8, CP_UTF8).size(); }

namespace {

// Letter case by our own table, not the system's: 9x only stubs CharLowerBuffW and folds ANSI text
// by its code page, NT folds by Unicode, so names must fold the same way on both. The table holds
// every cased letter that the ANSI code pages in use can carry: Latin, Greek, Cyrillic, and the
// Roman numerals and full-width Latin of the Japanese code page.
wchar_t ToLowerUnit(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) return L'i';
        if (c == 0x178) return 0xFF;
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        bool paired = !(c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F);
        if (paired && ((c & 1) != 0) == oddUpper) return c + 1;
        return c;
    }
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x2160 && c <= 0x216F) return c + 0x10;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    return c;
}


}  // namespace

std::string LowerCase(std::string_view utf8) {
    std::wstring w = Widen(utf8, CP_UTF8);
    for (wchar_t& c : w) c = ToLowerUnit(c);
    return Narrow(w, CP_UTF8);
}

bool IsLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != FALSE; }

size_t AnsiCutWithoutSplit(const char* bytes, size_t count) {
    size_t i = 0;
    while (i < count) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(bytes[i])) ? 2 : 1;
        if (i + step > count) break;  // the trail byte lies beyond the cut
        i += step;
    }
    return i;
}

}  // namespace kaza::platform

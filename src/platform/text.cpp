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

std::string LowerCase(std::string_view utf8) {
    std::wstring w = Widen(utf8, CP_UTF8);
    if (!w.empty()) CharLowerBuffW(w.data(), static_cast<DWORD>(w.size()));
    return Narrow(w, CP_UTF8);
}

std::string UpperCase(std::string_view utf8) {
    std::wstring w = Widen(utf8, CP_UTF8);
    if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
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

#include "platform/profile.h"

#include <windows.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {

ProfileText ProfileRead(std::string_view file, std::string_view section, std::string_view key, size_t bytes) {
    RealSystemFolder systemFolder;
    std::string buffer(bytes, '\0');
    DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), ToAnsi(file).c_str());
    return {FromAnsi(buffer.data(), buffer.size()), n};
}

std::vector<std::string> ProfileKeys(std::string_view file, std::string_view section) {
    RealSystemFolder systemFolder;
    std::string buffer(32768, '\0');
    DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), nullptr, "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), ToAnsi(file).c_str());
    std::vector<std::string> keys;
    for (size_t start = 0; start < n;) {
        size_t end = buffer.find('\0', start);
        if (end == std::string::npos || end > n) end = n;
        if (end > start) keys.push_back(FromAnsi(buffer.substr(start, end - start)));
        start = end + 1;
    }
    return keys;
}

namespace {

// ProfileRead's buffer holds 1,023 bytes: a value of about that length may come back cut, and
// where it is cut (characters or bytes, before or after the quotes go) is the system's own affair.
constexpr size_t kLongestPlainValue = 1000;
// The 9x family's profile calls handle sections of at most 32,767 bytes and files of 64 KB.
constexpr size_t kMostSection9x = 32767;
constexpr unsigned long long kMostFile9x = 65536;

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A path the profile calls take as it is (not a bare name they look up in the Windows folder).
bool IsFullPath(std::string_view p) {
    return (p.size() > 2 && p[1] == ':' && p[2] == '\\') || (p.size() > 2 && p[0] == '\\' && p[1] == '\\');
}

}  // namespace

ProfileSection ProfileSection::Load(std::string_view file, std::string_view section) {
    ProfileSection out;
    out.file_ = std::string(file);
    out.section_ = std::string(section);
    const bool family9x = WindowsVersion().platformId == VER_PLATFORM_WIN32_WINDOWS;
    std::string bytes;
    // A NUL in the file (or a UTF-16 file) could let a value's tail pass for a line of its own
    // in the section's NUL-separated list.
    if (!IsFullPath(file) || !ReadWholeFile(file, bytes) || bytes.find('\0') != std::string::npos ||
        (family9x && bytes.size() > kMostFile9x))
        return out;
    // The section is at most what the file holds, give or take what the round trip through the
    // system's wide characters makes of broken ones: the buffer grows to four times the file at
    // most, however large a count or a line the file claims.
    const size_t most = family9x ? kMostSection9x : 4 * bytes.size() + 64;
    std::string buffer;
    for (size_t size = std::min<size_t>(16384, most);; size = std::min(2 * size, most)) {
        buffer.assign(size, '\0');
        RealSystemFolder systemFolder;
        DWORD n = GetPrivateProfileSectionA(ToAnsi(section).c_str(), buffer.data(), static_cast<DWORD>(size),
                                            ToAnsi(file).c_str());
        // A section that does not fit comes back cut, with its size less two.
        if (n + 2 < size) {
            buffer.resize(n);
            break;
        }
        if (size >= most) return out;
    }
    out.whole_ = true;
    for (size_t at = 0; at < buffer.size();) {
        size_t end = buffer.find('\0', at);
        if (end == std::string::npos) end = buffer.size();
        std::string_view line(buffer.data() + at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        size_t eq = line.find('=');
        Entry e;
        // A line without "=": whether it answers for its key is left to the system.
        e.ask = eq == std::string_view::npos;
        std::string_view value = e.ask ? std::string_view() : TrimBlanks(line.substr(eq + 1));
        e.ask = e.ask || value.size() >= kLongestPlainValue;
        e.value = std::string(value);
        // The first line of a key answers.
        out.values_.emplace(AsciiLower(TrimBlanks(line.substr(0, eq))), std::move(e));
    }
    return out;
}

ProfileText ProfileSection::Read(std::string_view key) const {
    // Keys are matched here in ASCII only; blanks around a key are the system's to deal with.
    if (!whole_ || key.empty() || !IsAscii(key) || TrimBlanks(key).size() != key.size())
        return ProfileRead(file_, section_, key);
    auto it = values_.find(AsciiLower(key));
    if (it == values_.end()) return {};
    if (it->second.ask) return ProfileRead(file_, section_, key);
    std::string_view v = it->second.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return {FromAnsi(v), static_cast<unsigned long>(v.size())};
}

bool ProfileSection::Has(std::string_view key) const {
    if (!whole_ || key.empty() || !IsAscii(key) || TrimBlanks(key).size() != key.size()) return Read(key).count > 0;
    return values_.count(AsciiLower(key)) > 0;
}

Outcome ProfileWrite(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) {
    RealSystemFolder systemFolder;
    if (WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(value).c_str(),
                                   ToAnsi(file).c_str()))
        return {};
    return Outcome::LastError();
}

bool ProfileDeleteKey(std::string_view file, std::string_view section, std::string_view key) {
    RealSystemFolder systemFolder;
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), nullptr,
                                      ToAnsi(file).c_str()) != FALSE;
}

bool ProfileDeleteSection(std::string_view file, std::string_view section) {
    RealSystemFolder systemFolder;
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), nullptr, nullptr, ToAnsi(file).c_str()) != FALSE;
}

Outcome ProfileFlush(std::string_view file) {
    RealSystemFolder systemFolder;
    // The all-null form answers zero whether the cached file was written out or not, so the
    // answer is the file on disk: after the writes it holds at least one section.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ToAnsi(file).c_str());
    const FileStamp stamp = StampOf(file);
    if (!stamp.known) return Outcome::Failed(ERROR_FILE_NOT_FOUND);
    return stamp.size > 0 ? Outcome() : Outcome::Failed(ERROR_WRITE_FAULT);
}

}  // namespace kaza::platform

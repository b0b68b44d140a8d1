#include "backup/safety.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "platform/replace.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"

namespace kaza::backup {
namespace {

using platform::Root;

// Inside each copy's folder, beside the two OEM files.
constexpr const char* kAboutFile = "copy.ini";
constexpr const char* kValuesFile = "values.reg";
constexpr const char* kSection = "SafetyCopy";
constexpr const char* kSaved = "saved";
constexpr const char* kAbsent = "absent";

bool SamePlace(const ValuePlace& a, const ValuePlace& b) {
    return a.root == b.root && platform::LowerCase(a.key) == platform::LowerCase(b.key) &&
           platform::LowerCase(a.name) == platform::LowerCase(b.name);
}

std::string TwoDigits(int n) {
    char s[8];
    std::snprintf(s, sizeof s, "%02d", n);
    return s;
}

// ---- the registry file -------------------------------------------------------------------

const char* RootName(Root r) { return r == Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER"; }

// A quoted string as regedit writes it: backslash and double quote escaped, double-byte
// characters copied whole (their second byte may be a backslash).
std::string Quoted(const std::string& ansi) {
    std::string out = "\"";
    for (size_t i = 0; i < ansi.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(ansi[i]);
        if (platform::IsLeadByte(b) && i + 1 < ansi.size()) {
            out += ansi[i];
            out += ansi[++i];
            continue;
        }
        if (b == '\\' || b == '"') out += '\\';
        out += ansi[i];
    }
    return out + "\"";
}

// Text that survives the quoted form: no control characters, no NUL, no cut double-byte character.
bool QuotableText(const std::string& ansi) {
    for (size_t i = 0; i < ansi.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(ansi[i]);
        if (b < 0x20 || b == 0x7F) return false;
        if (platform::IsLeadByte(b)) {
            if (i + 1 >= ansi.size() || ansi[i + 1] == '\0') return false;
            ++i;
        }
    }
    return true;
}

// "hex:" or "hex(n):" and the bytes, wrapped the way regedit wraps them.
std::string HexData(unsigned long type, const std::string& bytes, size_t column) {
    char prefix[24];
    if (type == REG_BINARY)
        std::snprintf(prefix, sizeof prefix, "hex:");
    else
        std::snprintf(prefix, sizeof prefix, "hex(%lx):", type);
    std::string out = prefix;
    column += out.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i > 0) {
            if (column + 3 > 77) {
                out += ",\\\r\n  ";
                column = 2;
            } else {
                out += ",";
                ++column;
            }
        }
        out += pair;
        column += 2;
    }
    return out;
}

std::string ValueLine(const SavedValue& v) {
    std::string name = platform::ToAnsi(v.place.name);
    std::string line = name.empty() ? "@=" : Quoted(name) + "=";
    const platform::RegValue& r = v.value;
    if (!r.exists) return line + "-";
    const std::string& b = r.bytes;
    if (r.type == REG_SZ && !b.empty() && b.back() == '\0' && QuotableText(b.substr(0, b.size() - 1)))
        return line + Quoted(b.substr(0, b.size() - 1));
    if (r.type == REG_DWORD && b.size() == 4) {
        unsigned long n = 0;
        for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(b[i]);
        char d[24];
        std::snprintf(d, sizeof d, "dword:%08lx", n);
        return line + d;
    }
    return line + HexData(r.type, b, line.size());
}

// Reads a quoted string at text[pos] (the opening quote); pos ends after the closing one.
bool ReadQuoted(const std::string& text, size_t& pos, std::string& out) {
    if (pos >= text.size() || text[pos] != '"') return false;
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        unsigned char b = static_cast<unsigned char>(text[pos]);
        if (platform::IsLeadByte(b) && pos + 1 < text.size()) {
            out += text[pos];
            out += text[++pos];
        } else if (b == '\\') {
            if (++pos >= text.size()) return false;
            out += text[pos];
        } else if (b == '"') {
            ++pos;
            return true;
        } else {
            out += text[pos];
        }
    }
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ReadHexBytes(const std::string& list, std::string& bytes) {
    bytes.clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
    };
    skipBlanks();
    if (i == list.size()) return true;
    for (;;) {
        skipBlanks();
        if (i + 1 >= list.size() || HexDigit(list[i]) < 0 || HexDigit(list[i + 1]) < 0) return false;
        bytes += static_cast<char>(HexDigit(list[i]) * 16 + HexDigit(list[i + 1]));
        i += 2;
        skipBlanks();
        if (i == list.size()) return true;
        if (list[i++] != ',') return false;
    }
}

bool ReadData(const std::string& data, platform::RegValue& v) {
    v = {};
    if (data == "-") {
        v.error = ERROR_FILE_NOT_FOUND;
        return true;
    }
    v.exists = true;
    if (!data.empty() && data[0] == '"') {
        size_t pos = 0;
        std::string text;
        if (!ReadQuoted(data, pos, text) || pos != data.size()) return false;
        v.type = REG_SZ;
        v.bytes = text + '\0';
        return true;
    }
    if (data.rfind("dword:", 0) == 0) {
        std::string digits = data.substr(6);
        if (digits.size() != 8) return false;
        unsigned long n = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0) return false;
            n = n * 16 + HexDigit(c);
        }
        v.type = REG_DWORD;
        for (int i = 0; i < 4; ++i) v.bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
        return true;
    }
    size_t colon = data.find(':');
    if (colon == std::string::npos) return false;
    std::string head = data.substr(0, colon);
    if (head == "hex") {
        v.type = REG_BINARY;
    } else if (head.size() > 5 && head.rfind("hex(", 0) == 0 && head.back() == ')') {
        char* end = nullptr;
        std::string n = head.substr(4, head.size() - 5);
        v.type = std::strtoul(n.c_str(), &end, 16);
        if (n.empty() || *end != '\0') return false;
    } else {
        return false;
    }
    return ReadHexBytes(data.substr(colon + 1), v.bytes);
}

// ---- the copies on disk ------------------------------------------------------------------

const char* StateText(FileState s) { return s == FileState::Present ? kSaved : kAbsent; }

std::string AboutText(const SafetyCopy& c, const std::string& system) {
    std::string t = "[" + std::string(kSection) + "]\r\n";
    t += "Number=" + std::to_string(c.number) + "\r\n";
    t += "Made=" + c.made + "\r\n";
    t += "Command=" + c.command + "\r\n";
    t += std::string("Original=") + (c.original ? "1" : "0") + "\r\n";
    t += "System=" + system + "\r\n";
    if (c.logo != FileState::NotHeld) t += std::string(places::kLogoCopyFile) + "=" + StateText(c.logo) + "\r\n";
    if (c.info != FileState::NotHeld) t += std::string(places::kInfoFile) + "=" + StateText(c.info) + "\r\n";
    return platform::ToAnsi(t);
}

// One file of the system folder into the copy, byte for byte; a name that holds no file (missing,
// or a folder in its place) is recorded as absent. False when the system will not say.
bool SaveFile(const std::string& from, const std::string& to, FileState& state) {
    switch (platform::KindOf(from)) {
    case platform::PathKind::File: {
        std::string bytes;
        if (!platform::ReadWholeFile(from, bytes) || !platform::WriteWholeFile(to, bytes)) return false;
        state = FileState::Present;
        return true;
    }
    case platform::PathKind::Folder:
    case platform::PathKind::Missing:
        state = FileState::Absent;
        return true;
    default:
        return false;
    }
}

// The description file goes first, so that a copy half removed is no longer listed.
void Discard(const std::string& folder) {
    for (const char* f : {kAboutFile, kValuesFile, places::kLogoCopyFile, places::kInfoFile}) platform::RemoveFile(folder + "\\" + f);
    platform::RemoveEmptyFolder(folder);
}

bool ReadFileState(const std::string& about, const char* key, FileState& state) {
    std::string s = platform::ProfileRead(about, kSection, key).text;
    if (s.empty()) state = FileState::NotHeld;
    else if (s == kSaved) state = FileState::Present;
    else if (s == kAbsent) state = FileState::Absent;
    else return false;
    return true;
}

bool ReadCopy(const std::string& folder, SafetyCopy& c) {
    const std::string about = folder + "\\" + kAboutFile;
    if (!platform::FileExists(about)) return false;
    c.folder = folder;
    c.number = std::strtol(platform::ProfileRead(about, kSection, "Number").text.c_str(), nullptr, 10);
    c.made = platform::ProfileRead(about, kSection, "Made").text;
    c.command = platform::ProfileRead(about, kSection, "Command").text;
    c.original = platform::ProfileRead(about, kSection, "Original").text == "1";
    if (c.number <= 0 || !ReadFileState(about, places::kLogoCopyFile, c.logo) || !ReadFileState(about, places::kInfoFile, c.info))
        return false;
    std::string reg;
    return platform::ReadWholeFile(folder + "\\" + kValuesFile, reg) && ParseRegFile(reg, c.values);
}

}  // namespace

void Targets::Add(const Targets& other) {
    if (system.empty()) system = other.system;
    logo = logo || other.logo;
    info = info || other.info;
    for (const ValuePlace& p : other.values)
        if (std::none_of(values.begin(), values.end(), [&](const ValuePlace& q) { return SamePlace(p, q); }))
            values.push_back(p);
}

std::string RegFileText(const std::vector<SavedValue>& values) {
    std::string text = "REGEDIT4\r\n";
    const SavedValue* last = nullptr;
    for (const SavedValue& v : values) {
        if (!last || last->place.root != v.place.root || last->place.key != v.place.key)
            text += "\r\n[" + std::string(RootName(v.place.root)) + "\\" + platform::ToAnsi(v.place.key) + "]\r\n";
        text += ValueLine(v) + "\r\n";
        last = &v;
    }
    return text + "\r\n";
}

bool ParseRegFile(const std::string& text, std::vector<SavedValue>& values) {
    values.clear();
    // Logical lines: a line ending in a backslash goes on in the next.
    std::vector<std::string> lines;
    std::string pending;
    bool continued = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (continued) line.erase(0, std::min(line.size(), line.find_first_not_of(" \t")));
        pending += line;
        // Only a list of bytes is wrapped: a key ends in "]", a string in its closing quote.
        continued = !pending.empty() && pending.back() == '\\' && pending[0] != '[' && pending[0] != ';';
        if (continued) {
            pending.pop_back();
            continue;
        }
        lines.push_back(pending);
        pending.clear();
    }
    if (continued) return false;

    bool header = false, haveKey = false;
    ValuePlace key{Root::LocalMachine, {}, {}};
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == ';') continue;
        if (!header) {
            if (line != "REGEDIT4") return false;
            header = true;
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') return false;
            std::string path = line.substr(1, line.size() - 2);
            size_t slash = path.find('\\');
            std::string root = path.substr(0, slash);
            if (root == "HKEY_LOCAL_MACHINE") key.root = Root::LocalMachine;
            else if (root == "HKEY_CURRENT_USER") key.root = Root::CurrentUser;
            else return false;
            key.key = slash == std::string::npos ? std::string() : platform::FromAnsi(path.substr(slash + 1));
            haveKey = true;
            continue;
        }
        if (!haveKey) return false;
        size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else if (!ReadQuoted(line, pos, name)) {
            return false;
        }
        if (pos >= line.size() || line[pos] != '=') return false;
        SavedValue v{{key.root, key.key, platform::FromAnsi(name)}, {}};
        if (!ReadData(line.substr(pos + 1), v.value)) return false;
        values.push_back(v);
    }
    return header;
}

std::string SafetyFolder() { return platform::ProgramFolder() + "\\SafetyCopies"; }

bool WriteSafetyCopy(const Targets& targets, const std::string& command, const Targets& everything) {
    const std::string root = SafetyFolder();
    if (!platform::CreateFolder(root)) return false;

    std::vector<SafetyCopy> kept = ListSafetyCopies();
    SafetyCopy copy;
    copy.original = kept.empty();
    copy.number = kept.empty() ? 1 : kept.front().number + 1;
    copy.command = command;
    Targets what = targets;
    if (copy.original) what.Add(everything);

    // The folder is named by the time; a second copy within the same second gets a number.
    platform::LocalTime t = platform::Now();
    copy.made = std::to_string(t.year) + "/" + TwoDigits(t.month) + "/" + TwoDigits(t.day) + " " +
                TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
    const std::string base = root + "\\" + std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" +
                             TwoDigits(t.day) + " " + TwoDigits(t.hour) + "." + TwoDigits(t.minute) + "." +
                             TwoDigits(t.second);
    for (int n = 1; copy.folder.empty(); ++n) {
        std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
        if (platform::CreateFolder(name, true)) copy.folder = name;
        else if (platform::KindOf(name) == platform::PathKind::Missing || n >= 100) return false;
    }

    bool ok = true;
    if (!what.system.empty()) {
        if (what.logo)
            ok = SaveFile(what.system + "\\" + places::kLogoCopyFile, copy.folder + "\\" + places::kLogoCopyFile, copy.logo);
        if (ok && what.info)
            ok = SaveFile(what.system + "\\" + places::kInfoFile, copy.folder + "\\" + places::kInfoFile, copy.info);
    }
    for (const ValuePlace& p : what.values) {
        if (!ok) break;
        SavedValue v{p, platform::RegReadRaw(p.root, p.key, p.name)};
        // A value that cannot be read is not known to be absent: deleting it later would lose it.
        if (!v.value.exists && v.value.error != ERROR_FILE_NOT_FOUND) ok = false;
        copy.values.push_back(v);
    }
    ok = ok && platform::WriteWholeFile(copy.folder + "\\" + kValuesFile, RegFileText(copy.values));
    // Last: a copy without its description is no copy.
    ok = ok && platform::WriteWholeFile(copy.folder + "\\" + kAboutFile, AboutText(copy, what.system));
    if (!ok) Discard(copy.folder);
    return ok;
}

std::vector<SafetyCopy> ListSafetyCopies() {
    std::vector<SafetyCopy> copies;
    const std::string root = SafetyFolder();
    for (const std::string& name : platform::SubFolders(root)) {
        SafetyCopy c;
        if (ReadCopy(root + "\\" + name, c)) copies.push_back(std::move(c));
    }
    std::sort(copies.begin(), copies.end(), [](const SafetyCopy& a, const SafetyCopy& b) {
        return a.number != b.number ? a.number > b.number : a.folder > b.folder;
    });
    return copies;
}

void PruneSafetyCopies() {
    size_t later = 0;
    for (const SafetyCopy& c : ListSafetyCopies()) {
        if (c.original) continue;
        if (++later > kKeptCopies) Discard(c.folder);
    }
}

Targets HeldBy(const SafetyCopy& copy, const std::string& system) {
    Targets t;
    t.system = system;
    t.logo = copy.logo != FileState::NotHeld;
    t.info = copy.info != FileState::NotHeld;
    for (const SavedValue& v : copy.values) t.values.push_back(v.place);
    return t;
}

std::vector<std::string> PutBack(const SafetyCopy& copy, const std::string& system) {
    std::vector<std::string> failed;
    auto file = [&](FileState state, const char* name) {
        if (state == FileState::NotHeld) return;
        const std::string target = system + "\\" + name;
        bool ok = !system.empty() && (state == FileState::Present
                                          ? platform::FileExists(copy.folder + "\\" + name) &&
                                                platform::CopyFileInPlace(copy.folder + "\\" + name, target)
                                          : platform::RemoveFile(target));
        if (!ok) failed.push_back(name);
    };
    file(copy.logo, places::kLogoCopyFile);
    file(copy.info, places::kInfoFile);
    for (const SavedValue& v : copy.values) {
        const platform::RegValue& r = v.value;
        bool ok = r.exists ? platform::RegWriteRaw(v.place.root, v.place.key, v.place.name, r.type, r.bytes.data(),
                                                   static_cast<unsigned long>(r.bytes.size())).ok()
                           : platform::RegDeleteValueIn(v.place.root, v.place.key, v.place.name);
        if (!ok) failed.push_back(v.place.name);
    }
    return failed;
}

}  // namespace kaza::backup

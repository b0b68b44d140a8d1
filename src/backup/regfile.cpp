#include "backup/regfile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/text.h"

namespace kaza::backup {
namespace {

using platform::Root;

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

}  // namespace

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

}  // namespace kaza::backup

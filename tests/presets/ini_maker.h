// Damaged and hand-edited preset index files, made from a fixed seed.
#pragma once
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kaza::test {

class IniMaker {
public:
    explicit IniMaker(uint32_t seed) : rng_(seed) {}

    // The preset names the last file gave sections to.
    std::vector<std::string> sections;

    std::string File() {
        eol_ = Pick({"\r\n", "\n", "\r", "\r\n"});
        mixedEol_ = Below(6) == 0;
        std::string f;
        std::vector<std::string> names;
        const int indexCopies = 1 + (Below(5) == 0);
        for (int copy = 0; copy < indexCopies; ++copy) {
            f += Line("[" + std::string(Below(4) ? "nagi" : "NAGI") + "]");
            const int n = Below(8) == 0 ? 90 + Below(30) : Below(9);
            for (int i = 1; i <= n; ++i) {
                std::string key = std::to_string(Below(12) == 0 ? i + Below(3) : i);  // now and then a gap or a repeat
                std::string name = Name();
                names.push_back(name);
                f += Line(key + "=" + name);
                if (Below(10) == 0) f += Line(key + "=" + Name());  // the same key twice
            }
        }
        sections.clear();
        const int count = std::min<int>(static_cast<int>(names.size()), 12);
        for (int s = 0; s < count; ++s) {
            const std::string& name = names[Below(static_cast<uint32_t>(names.size()))];
            sections.push_back(name);
            const int copies = 1 + (Below(6) == 0);
            for (int c = 0; c < copies; ++c) f += Section(name);
        }
        return Damaged(f);
    }

    // An oeminfo.ini as makers and hands leave it; now and then ten thousand support lines.
    std::string InfoFile() {
        eol_ = Pick({"\r\n", "\n", "\r"}), mixedEol_ = Below(6) == 0;
        std::string f = Line(Pick({"[General]", "[ general ]"})) + Line("Manufacturer=" + Value()) + Line("Model=" + Value());
        f += Line(Pick({"[Support Information]", "[SUPPORT INFORMATION]"}));
        for (int i = 1, n = Below(15) ? static_cast<int>(Below(40)) : 10000; i <= n; ++i)
            f += Line("Line" + std::to_string(Below(15) ? i : i + Below(3)) + "=" + (n == 10000 ? std::to_string(i) : Value()));
        return Damaged(f);
    }

private:
    uint32_t Below(uint32_t n) { return n ? static_cast<uint32_t>(rng_() % n) : 0u; }
    std::string Pick(std::initializer_list<const char*> from) { return *(from.begin() + Below(static_cast<uint32_t>(from.size()))); }

    std::string Line(const std::string& text) {
        return text + (mixedEol_ ? Pick({"\r\n", "\n", "\r"}) : eol_);
    }

    // Shift-JIS text, now and then broken: a lead byte without its trail, or cut in two.
    std::string Japanese() {
        static const char* const words[] = {"\x95\x97\x8e\xd4", "\x93\xfa\x96\x7b", "\x83\x65\x83\x58\x83\x67",
                                            "\x81\x40", "\xb6\xbb\xde"};
        std::string s;
        for (uint32_t i = 0, n = 1 + Below(4); i < n; ++i) s += words[Below(5)];
        switch (Below(5)) {
        case 0: s += '\x82'; break;                          // lead byte at the end
        case 1: s.insert(Below(static_cast<uint32_t>(s.size())), "\x81"); break;  // lead byte before anything
        case 2: s += "\x82\x0d"; break;                      // lead byte before a line break
        default: break;
        }
        return s;
    }

    std::string Name() {
        switch (Below(14)) {
        case 0: return "";
        case 1: return std::string(10240, static_cast<char>('a' + Below(26)));
        case 2: return Japanese();
        case 3: return "nagi";
        case 4: return Pick({"a]b", "=x", ";comment", "[x]", "\"q\"", "  padded  ", "a=b=c"});
        case 5: return std::string("x") + '\0' + "y";
        case 6: return Pick({"..", ".", "\\", "C:\\", "con", "NUL"});
        default: return "p" + std::to_string(Below(40));
        }
    }

    // The largest count that is still read ("10000") costs ten thousand reads, so it comes rarely.
    std::string Count() {
        if (Below(150) == 0) return "10000";
        return Pick({"99999999999999999999", "2147483648", "-1", "-2147483648", "abc", "", "0", "1", "2", "3", "5",
                     "10001", " 7", "7 ", "0x10", "1e3", "\x82\x54", "+5", "4294967297", "\"5\"", "40"});
    }

    std::string Picture() {
        return Pick({"wide.bmp", "WIDE.BMP", "missing.bmp", "..\\wide.bmp", "..\\..\\Plugins\\wide.bmp",
                     "C:\\wide.bmp", "c:wide.bmp", "\\\\server\\share\\a.bmp", "Plugins\\wide.bmp", "*.bmp",
                     "wi?e.bmp", "con", "aux.bmp", "nul", "COM1", "lpt1.gif", "broken.gif", "", " ", "9X.gif",
                     "wide.bmp\\..\\wide.bmp", "/wide.bmp"});
    }

    std::string Value() {
        switch (Below(9)) {
        case 0: return std::string(10240, 'v');
        case 1: return Japanese();
        case 2: return "\"" + Japanese() + "\"";
        case 3: return "\"unclosed";
        case 4: return std::string("nul") + '\0' + "inside";
        default: return "text" + std::to_string(Below(100));
        }
    }

    std::string Section(const std::string& name) {
        std::string s = Line("[" + name + "]");
        std::vector<std::pair<std::string, std::string>> keys = {
            {"1", Value()}, {"2", Value()}, {"3", Picture()}, {"777", Pick({"1", "", "0", "2", "11", "1 "})},
            {"999", Pick({"2", "", "1", "22", " 2"})}, {"555", Count()}};
        for (uint32_t i = 0, n = Below(8); i < n; ++i) keys.push_back({std::to_string(4 + Below(12)), Value()});
        if (Below(3) == 0) keys.push_back({"777", "1"}), keys.push_back({"999", "2"});  // both flags on
        for (uint32_t i = 0, n = Below(3); i < n; ++i) keys.push_back({keys[Below(6)].first, Value()});  // repeats
        for (auto& kv : keys) s += Line(kv.first + "=" + kv.second);
        return s;
    }

    std::string Damaged(std::string f) {
        if (Below(4) == 0) f += Garbage();
        if (Below(5) == 0) f.insert(Below(static_cast<uint32_t>(f.size() + 1)), std::string(1 + Below(4), '\0'));
        if (Below(8) == 0) f.resize(Below(static_cast<uint32_t>(f.size() + 1)));  // cut anywhere
        return f;
    }

    std::string Garbage() {
        std::string g;
        for (uint32_t i = 0, n = Below(300); i < n; ++i) g += static_cast<char>(rng_());
        return Line(g);
    }

    std::mt19937 rng_;
    std::string eol_;
    bool mixedEol_ = false;
};

}  // namespace kaza::test

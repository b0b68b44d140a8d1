#include "presets/names.h"

#include "platform/text.h"
#include "presets/store.h"

namespace kaza::presets {

namespace {

// The profile reader gives back at most 1023 bytes of a value.
constexpr size_t kLongestName = 1023;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
    return a == b || platform::LowerCase(a) == platform::LowerCase(b);
}

std::string NameRefusal(const std::string& name) {
    // Control characters include the line breaks; the reader would also drop them at either end.
    bool control = false;
    for (char c : name) control = control || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    if (control || name.find_first_of("[]=") != std::string::npos)
        return "名前に「[」「]」「=」や改行などの制御文字は使えません。";
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        return "名前の最初と最後に空白は使えません。";
    // The reader takes a value between quotes of one kind as the text inside them.
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
        return "名前の全体を引用符で囲むことはできません。";
    if (SameName(name, kIndexSection))
        return std::string(kIndexSection) + "はリストの管理に使っている名前なので使えません。";
    if (platform::ToAnsi(name).size() > kLongestName) return "名前が長すぎます。";
    return {};
}

}  // namespace kaza::presets

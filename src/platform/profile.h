#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/outcome.h"

namespace kaza::platform {

struct ProfileText {
    std::string text;        // UTF-8, cut at the first NUL
    unsigned long count = 0; // characters the read reported
};

// GetPrivateProfileStringA with the default "" and a 1024-byte buffer (or the one given, for
// texts the system allows to be longer).
ProfileText ProfileRead(std::string_view file, std::string_view section, std::string_view key, size_t bytes = 1024);

// The names of the keys of one section (GetPrivateProfileStringA with no key), as the file spells them.
std::vector<std::string> ProfileKeys(std::string_view file, std::string_view section);

// One section of a profile file, read with one GetPrivateProfileSectionA call. Read(key) gives
// what ProfileRead(file, section, key) gives: the first line of the first section of that name
// whose key matches without regard to case, blanks around key and value gone, one pair of
// enclosing quotes (double or single) taken off, "" when missing. Where one call cannot be
// trusted to give the same (the 9x family's 32,767-byte section limit or a file beyond 64 KB
// there, a cut section, NULs in the file, a value long enough for ProfileRead's buffer to cut)
// the value is read with ProfileRead.
class ProfileSection {
public:
    static ProfileSection Load(std::string_view file, std::string_view section);
    // What ProfileRead(file, section, key) gives, the count included.
    ProfileText Read(std::string_view key) const;
    std::string Value(std::string_view key) const { return Read(key).text; }
    // Whether the section has the key at all, even with an empty value. Where the values do not
    // come from the one call, only a key with text counts.
    bool Has(std::string_view key) const;
    // Whether the values come from the one call (false: each Value is a ProfileRead).
    bool whole() const { return whole_; }

private:
    std::string file_, section_;
    bool whole_ = false;
    struct Entry {
        std::string value;  // as the section call gave it, blanks around taken off, in ANSI
        bool ask = false;   // answered by ProfileRead
    };
    std::unordered_map<std::string, Entry> values_;  // by key in ASCII lower case
};

// WritePrivateProfileStringA; the outcome says whether the platform stored it.
Outcome ProfileWrite(std::string_view file, std::string_view section, std::string_view key, std::string_view value);
// A value in double quotes: the profile reader takes them off again and so keeps the text's
// leading and trailing blanks.
inline std::string ProfileQuoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
// The null-value form: removes one key.
bool ProfileDeleteKey(std::string_view file, std::string_view section, std::string_view key);
// The null-key form: removes the section with all its keys.
bool ProfileDeleteSection(std::string_view file, std::string_view section);
// The all-null form: the platform writes out and forgets what it keeps of the file, before the
// file is renamed or copied. Fails when the file on disk is then missing or empty: 98 keeps the
// writes in a cache until this and may fail to write them out.
Outcome ProfileFlush(std::string_view file);

}  // namespace kaza::platform

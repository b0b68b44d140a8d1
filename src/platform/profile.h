#pragma once
#include <string>
#include <string_view>

#include "platform/outcome.h"

namespace kaza::platform {

struct ProfileText {
    std::string text;        // UTF-8, cut at the first NUL
    unsigned long count = 0; // characters the read reported
};

// GetPrivateProfileStringA with the default "" and a 1024-byte buffer (or the one given, for
// texts the system allows to be longer).
ProfileText ProfileRead(std::string_view file, std::string_view section, std::string_view key, size_t bytes = 1024);
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
// file is renamed or copied.
void ProfileFlush(std::string_view file);

}  // namespace kaza::platform

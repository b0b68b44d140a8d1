#pragma once
#include <string>

namespace kaza::presets {

// Preset names are section names of the index file, which the profile functions match without
// regard to letter case: two names that differ only in case would share one section.
bool SameName(const std::string& a, const std::string& b);

// Why the index file could not carry `name` as a section name and an index value; the empty
// text when it can. The empty name is the add window's own refusal and is not judged here.
std::string NameRefusal(const std::string& name);

}  // namespace kaza::presets

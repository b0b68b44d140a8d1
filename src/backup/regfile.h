#pragma once
#include <string>
#include <vector>

#include "platform/registry.h"

// Registry files that regedit imports on every system from 98 on: the values a safety copy keeps,
// and what an export hands to other PCs.
namespace kaza::backup {

struct ValuePlace {
    platform::Root root;
    std::string key;
    std::string name;
};

struct SavedValue {
    ValuePlace place;
    platform::RegValue value;  // exists false: the value was absent
};

// REGEDIT4 text in the ANSI code page, and back. Parsing fails
// (false) on anything the writer does not produce.
std::string RegFileText(const std::vector<SavedValue>& values);
bool ParseRegFile(const std::string& text, std::vector<SavedValue>& values);

}  // namespace kaza::backup

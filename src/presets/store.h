#pragma once
#include <string>
#include <vector>

#include "app/variant.h"

namespace kaza::ui {
class Control;
}

namespace kaza::presets {

// The preset library on disk: the index file KAZE.ini and the picture copies, both in the
// Plugins folder beside the program. Every path is rebuilt before every access.
std::string PluginsFolder();  // program folder + "\Plugins"
std::string IndexPath();      // program folder + "\Plugins\KAZE.ini"

constexpr const char* kIndexSection = "nagi";
constexpr int kMaxPresets = 100;

std::string ReadValue(const std::string& section, const std::string& key);
bool WriteValue(const std::string& section, const std::string& key, const std::string& value);
bool DeleteKey(const std::string& section, const std::string& key);
bool DeleteSection(const std::string& section);

// Reads the index keys 1..100 in order, appending each name to every target list, up to the
// first missing or empty key. Returns the number of that key, or 0 when all 100 hold names.
// With `www`, the returned number (when not 0) is also stored there.
int ListPresets(const std::vector<ui::Control*>& targets, Variant* www);
// The same scan without lists.
std::vector<std::string> PresetNames();

// Removes the preset at index position p (from 1) named `name`, moving later entries up.
// False when any write was refused by the platform.
bool RemovePreset(int p, const std::string& name);

enum class StoreResult {
    Copied,        // the picture now lies in the Plugins folder
    AlreadyThere,  // TRF is that file already
    NoPicture,     // no picture chosen, or the file does not exist
    Refused,       // the name is one of the program's own page pictures
    Failed,        // the copy failed
};
// The name part of `trf` as the directory search finds it on disk; empty when missing.
std::string PictureFileName(const std::string& trf);
// Copies the picture named by `trf` into the Plugins folder under its own name.
StoreResult StorePicture(const std::string& trf);
// The program's own pictures in the Plugins folder, which a preset must never replace.
bool IsPagePicture(const std::string& fileName);

}  // namespace kaza::presets

#pragma once
#include <string>
#include <vector>

#include "platform/profile.h"

namespace kaza::presets {

// The preset library on disk: the index file KAZE.ini and the picture copies, both in the
// Plugins folder beside the program. Every path is rebuilt before every access.
inline constexpr const char* kPluginsFolder = "Plugins";
inline constexpr const char* kIndexFile = "KAZE.ini";
std::string PluginsFolder();  // program folder + "\Plugins"
std::string IndexPath();      // program folder + "\Plugins\KAZE.ini"

// The program's own pictures in the Plugins folder: the mock-up page of each system family.
inline constexpr const char* kPage9x = "9X.gif";
inline constexpr const char* kPage2000 = "2k.gif";
inline constexpr const char* kPageXp = "XP.jpg";
inline constexpr const char* kPageVista = "Vista.gif";  // the System control panel of 6.0 to 6.3
inline constexpr const char* kPageTenPanel = "10Panel.gif";  // the same panel in 10's look
inline constexpr const char* kPageTen = "10.gif";       // Settings' バージョン情報 of 10
inline constexpr const char* kPageEleven = "11.gif";    // the same page of 11
inline constexpr const char* kPagePictures[7] = {kPage9x,       kPage2000, kPageXp,    kPageVista,
                                                 kPageTenPanel, kPageTen,  kPageEleven};

inline constexpr const char* kIndexSection = "nagi";
inline constexpr int kMaxPresets = 100;

// The keys of a preset's section: maker and model (quoted; "1" and "2", the preset keys of
// kMakerDetails, app/maker.h), the picture's file name in the Plugins folder, the fit and centre
// flags, the stored count of support lines; the lines themselves follow from "4" on (LineKey);
// then the support details under their preset keys of kMakerDetails (quoted; an index older
// than them has none).
namespace key {
inline constexpr const char* kPicture = "3";
inline constexpr const char* kFit = "777";
inline constexpr const char* kCentre = "999";
inline constexpr const char* kLineCount = "555";
// Support line n (from 1).
inline std::string Line(size_t n) { return std::to_string(n + 3); }
}  // namespace key

// The profile reader's buffer, as for every value the program reads.
inline constexpr size_t kValueBytes = 1024;
std::string ReadValue(const std::string& section, const std::string& key);
// The buffer that holds a value of at most `most` characters, each up to two bytes in the ANSI
// code page (a website of up to 2,083 needs more than the ordinary one; 0: any that one holds).
inline constexpr size_t ValueBytes(size_t most) { return 2 * most + 1 > kValueBytes ? 2 * most + 1 : kValueBytes; }
std::string ReadValue(const std::string& section, const std::string& key, size_t bytes);
// The whole section of a preset at once; its Value(key) is ReadValue(section, key).
platform::ProfileSection ReadSection(const std::string& section);
bool WriteValue(const std::string& section, const std::string& key, const std::string& value);
bool DeleteKey(const std::string& section, const std::string& key);
bool DeleteSection(const std::string& section);

// The index keys 1..100 read in order up to the first missing or empty key: the names before
// it, and its number (0 when all 100 hold names).
struct PresetIndex {
    std::vector<std::string> names;
    int freeNumber = 0;
};
PresetIndex ReadIndex();

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

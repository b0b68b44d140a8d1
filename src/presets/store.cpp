#include "presets/store.h"

#include "platform/files.h"
#include "platform/replace.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"

namespace kaza::presets {

using namespace platform;

std::string PluginsFolder() { return ProgramFolder() + "\\" + kPluginsFolder; }
std::string IndexPath() { return PluginsFolder() + "\\" + kIndexFile; }

std::string ReadValue(const std::string& section, const std::string& key) {
    return ProfileRead(IndexPath(), section, key).text;
}
std::string ReadValue(const std::string& section, const std::string& key, size_t bytes) {
    return ProfileRead(IndexPath(), section, key, bytes).text;
}
platform::ProfileSection ReadSection(const std::string& section) {
    return platform::ProfileSection::Load(IndexPath(), section);
}
bool WriteValue(const std::string& section, const std::string& key, const std::string& value) {
    return ProfileWrite(IndexPath(), section, key, value).ok();
}
bool DeleteKey(const std::string& section, const std::string& key) {
    return ProfileDeleteKey(IndexPath(), section, key);
}
bool DeleteSection(const std::string& section) { return ProfileDeleteSection(IndexPath(), section); }

PresetIndex ReadIndex() {
    PresetIndex index;
    const ProfileSection section = ReadSection(kIndexSection);
    for (int n = 1; n <= kMaxPresets; ++n) {
        ProfileText v = section.Read(std::to_string(n));
        if (v.count == 0) {
            index.freeNumber = n;
            break;
        }
        index.names.push_back(v.text);
    }
    return index;
}

bool RemovePreset(int p, const std::string& name) {
    bool ok = DeleteSection(name);
    ok = DeleteKey(kIndexSection, std::to_string(p)) && ok;
    // An index written longer by hand moves a full 100 entries; its old key p + 100 is then the last.
    int last = p + kMaxPresets;
    for (int i = 1; i <= kMaxPresets; ++i) {
        ProfileText v = ProfileRead(IndexPath(), kIndexSection, std::to_string(p + i));
        if (v.count == 0) {
            last = p + i - 1;
            break;
        }
        ok = WriteValue(kIndexSection, std::to_string(p + i - 1), v.text) && ok;
    }
    // With nothing behind p this deletes p again, which is harmless.
    ok = DeleteKey(kIndexSection, std::to_string(last)) && ok;
    return ok;
}

std::string PictureFileName(const std::string& trf) {
    // A wildcard in a hand-edited "3" would make the directory search name some other file.
    if (trf.find_first_of("*?") != std::string::npos) return {};
    return OnDiskFileName(trf);
}

bool IsPagePicture(const std::string& fileName) {
    for (const char* page : kPagePictures)
        if (LowerCase(fileName) == LowerCase(page)) return true;
    return false;
}

StoreResult StorePicture(const std::string& trf) {
    std::string name = PictureFileName(trf);
    if (name.empty()) return StoreResult::NoPicture;
    std::string target = PluginsFolder() + "\\" + name;
    if (trf == target) return StoreResult::AlreadyThere;
    // The same file under another spelling: copying it onto itself would empty it.
    if (LowerCase(trf) == LowerCase(target)) return StoreResult::AlreadyThere;
    if (IsPagePicture(name)) return StoreResult::Refused;
    return CopyFileInPlace(trf, target) ? StoreResult::Copied : StoreResult::Failed;
}

}  // namespace kaza::presets

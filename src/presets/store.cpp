#include "presets/store.h"

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/ui/form.h"

namespace kaza::presets {

using namespace platform;

std::string PluginsFolder() { return ProgramFolder() + "\\Plugins"; }
std::string IndexPath() { return ProgramFolder() + "\\Plugins\\KAZE.ini"; }

std::string ReadValue(const std::string& section, const std::string& key) {
    return ProfileRead(IndexPath(), section, key).text;
}
bool WriteValue(const std::string& section, const std::string& key, const std::string& value) {
    return ProfileWrite(IndexPath(), section, key, value);
}
bool DeleteKey(const std::string& section, const std::string& key) {
    return ProfileDeleteKey(IndexPath(), section, key);
}
bool DeleteSection(const std::string& section) { return ProfileDeleteSection(IndexPath(), section); }

int ListPresets(const std::vector<ui::Control*>& targets, Variant* www) {
    for (int n = 1; n <= kMaxPresets; ++n) {
        ProfileText v = ProfileRead(IndexPath(), kIndexSection, std::to_string(n));
        if (v.count == 0) {
            if (www) *www = Variant::Number(n);
            return n;
        }
        for (ui::Control* list : targets) list->AddItem(v.text);
    }
    return 0;
}

std::vector<std::string> PresetNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= kMaxPresets; ++n) {
        ProfileText v = ProfileRead(IndexPath(), kIndexSection, std::to_string(n));
        if (v.count == 0) break;
        names.push_back(v.text);
    }
    return names;
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
    std::string lower = LowerCase(fileName);
    return lower == "9x.gif" || lower == "2k.gif" || lower == "xp.jpg";
}

StoreResult StorePicture(const std::string& trf) {
    std::string name = PictureFileName(trf);
    if (name.empty()) return StoreResult::NoPicture;
    std::string target = PluginsFolder() + "\\" + name;
    if (trf == target) return StoreResult::AlreadyThere;
    // The same file under another spelling: copying it onto itself would empty it.
    if (LowerCase(trf) == LowerCase(target)) return StoreResult::AlreadyThere;
    if (IsPagePicture(name)) return StoreResult::Refused;
    return CopyFileReplacing(trf, target) ? StoreResult::Copied : StoreResult::Failed;
}

}  // namespace kaza::presets

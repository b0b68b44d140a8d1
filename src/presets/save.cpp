#include "presets/save.h"

#include "app/form1.h"
#include "app/maker.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "windows/form2.h"

namespace kaza::presets {

namespace {

// The value of "3": the picture's file name as found on disk. A picture named like one of the
// program's own images is not copied (it would replace that image), so the preset gets no picture
// rather than the program's image.
std::string PictureKey(const std::string& trf) {
    std::string name = PictureFileName(trf);
    if (!name.empty() && IsPagePicture(name) &&
        platform::LowerCase(trf) != platform::LowerCase(PluginsFolder() + "\\" + name))
        return {};
    return name;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

}  // namespace

bool WriteSettings(Form1& main, const std::string& name, const std::string& indexKey) {
    bool ok = true;
    auto write = [&](const std::string& section, const std::string& key, const std::string& value) {
        ok = WriteValue(section, key, value) && ok;
    };
    // Maker and model first, the support details last, as an index keeps them.
    auto details = [&](Holder holder) {
        for (const MakerDetail& d : kMakerDetails)
            if (d.holder == holder) write(name, d.presetKey, platform::ProfileQuoted(FieldOf(main, d).Text()));
    };
    details(Holder::MainWindow);
    write(name, key::kPicture, PictureKey(main.TRF.AsText()));
    write(name, key::kFit, main.C("Text2").Text());
    write(name, key::kCentre, main.C("Text3").Text());
    if (!indexKey.empty()) write(kIndexSection, indexKey, name);
    std::vector<std::string> lines = ReadSupportLines(main);
    for (size_t k = 1; k <= lines.size(); ++k) write(name, key::Line(k), platform::ProfileQuoted(lines[k - 1]));
    write(name, key::kLineCount, std::to_string(lines.size() + 1));
    details(Holder::SupportEditor);
    return ok;
}

std::string PictureTrouble(StoreResult result, const std::string& trf) {
    switch (result) {
    case StoreResult::Copied:
    case StoreResult::AlreadyThere: return {};
    case StoreResult::NoPicture:
        // No picture chosen is an ordinary preset without a logo; a chosen one that is gone is not.
        // A preset saved without a picture gives back the bare folder, which names no file either.
        if (NameOf(trf).empty()) return {};
        return "画像ファイル" + NameOf(trf) + "が見つからないため画像なしで保存しました。";
    case StoreResult::Refused:
        return "画像の名前" + PictureFileName(trf) + "がこのソフトの画像と同じため画像は保存していません。";
    case StoreResult::Failed: return "画像をPluginsフォルダにコピーできませんでした。";
    }
    return {};
}

}  // namespace kaza::presets

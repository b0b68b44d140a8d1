#include "presets/commands.h"

#include "app/form1.h"
#include "app/maker.h"
#include "logo/logo.h"
#include "platform/ui/picturebox.h"
#include "presets/form3.h"
#include "presets/form4.h"
#include "presets/save.h"
#include "presets/store.h"
#include "windows/form2.h"

namespace kaza::presets {

namespace {

// More support lines than the editor would ever be given by hand; a larger count is damage.
constexpr long kMostLines = 10000;

}  // namespace

int ListPresets(const std::vector<ui::Control*>& lists, Variant* www) {
    PresetIndex index = ReadIndex();
    for (const std::string& name : index.names)
        for (ui::Control* list : lists) list->AddItem(name);
    if (www && index.freeNumber) *www = Variant::Number(index.freeNumber);
    return index.freeNumber;
}

long StoredLineCount(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    for (char c : text)
        if (c < '0' || c > '9') return -1;
    long v = std::stol(text);
    return v > kMostLines ? -1 : v;
}

void SelectPreset(Form1& main) {
    const std::string name = main.List1().SelectedText();
    if (name.empty()) return;
    ui::Control& frame = main.Picture1();

    frame.pictureBox()->ClearPicture();
    for (const MakerDetail& d : kMakerDetails)
        if (d.holder == Holder::MainWindow) FieldOf(main, d).SetText("");
    main.C("Text2").SetText("");
    main.C("Text3").SetText("");
    // One read of the whole section; each value as a read of its own key would give it.
    const platform::ProfileSection preset = ReadSection(name);
    for (const MakerDetail& d : kMakerDetails)
        if (d.holder == Holder::MainWindow) FieldOf(main, d).SetText(preset.Value(d.presetKey));
    const std::string centre = preset.Value(key::kCentre);
    const std::string picture = PluginsFolder() + "\\" + preset.Value(key::kPicture);
    main.TRF = Variant::Text(picture);

    // Hidden until the placement is done, so that the steps in between are never painted.
    frame.SetVisible(false);
    logo::LoadFramePicture(main, picture);

    // The count as stored is one more than the saved lines; the last saved line (the empty one
    // behind the final line break) is not read back. A count that is no number reads no lines.
    const std::string count = preset.Value(key::kLineCount);
    std::string support;
    for (long n = 1, v = StoredLineCount(count); n <= v - 2; ++n)
        support += preset.Value(key::Line(static_cast<size_t>(n))) + "\r\n";
    FillSupportLines(main, support, count);
    SupportValues details;
    for (const MakerDetail* d : SupportDetails()) details.push_back(ReadValue(name, d->presetKey, ValueBytes(d->most)));
    FillSupportValues(main, details);

    main.C("Text2").SetText(preset.Value(key::kFit));

    if (centre == "2") {
        logo::ShowCentreState(main, true);
        main.C("Text3").SetText("2");
        logo::CentreFrameOnPicture(main);
    } else {
        logo::ShowCentreState(main, false);
        logo::RestoreDesignRectangle(main);
    }

    if (main.C("Text2").Text() == "1") {
        logo::ShowFitState(main, true);
        logo::DrawStretched(main, main.TRF.AsText());
    } else {
        logo::ShowFitState(main, false);
    }
    frame.SetVisible(true);
}

void OpenAddWindow(Form1& main) { main.Window<Form4>().ShowModal(); }

void OpenDeleteWindow(Form1& main) { main.Window<Form3>().ShowModal(); }

void Overwrite(Form1& main) {
    const std::string name = main.List1().SelectedText();
    if (name.empty()) return;
    bool written = WriteSettings(main, name, "");
    std::string trf = main.TRF.AsText();
    std::string trouble = PictureTrouble(StorePicture(trf), trf);
    if (!written)
        main.SetPanel(1, "KAZE.iniに書き込めないため、" + name + "に設定を上書きできませんでした。");
    else if (!trouble.empty())
        main.SetPanel(1, name + "に設定を上書きしましたが、" + trouble);
    else
        main.SetPanel(1, name + "に設定を上書きしました。");
}

}  // namespace kaza::presets

#include "presets/form3.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "presets/commands.h"
#include "presets/store.h"

namespace kaza {
namespace {

using namespace ui;

// Escape closes; Enter presses nothing, since a deletion cannot be undone.
const ControlDecl kControls[] = {
    // The picked name overlaps the foot of the instruction: it goes on top so that it shows whole.
    Label("Label2", 120, 720, 1695, 615),
    Label("Label1", 120, 240, 1695, 735, "削除したい項目を選択してください。"),
    Button("Command1", 120, 1560, 1695, 615, "削除").Tab(1),
    Button("Command2", 120, 2280, 1695, 375, "閉じる").Tab(2).Cancel(),
    List("List1", 2040, 120, 1815, 2580).Tab(0),
};
const FormDecl kForm3{"リスト削除", kWindowFont, 3945, 2865, kControls, Count(kControls)};

}  // namespace

Form3::Form3(Form1& main) : Form(kForm3), main_(main) {
    On("List1", Event::Click, [this](int) { List1_Click(); });
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
}

void Form3::Form_Load() { presets::ListPresets({&List1()}, &main_.WWW); }

void Form3::List1_Click() { Label2().SetCaption("選択されている項目：" + List1().SelectedText()); }

void Form3::Command1_Click() {
    std::string name = List1().SelectedText();
    if (name.empty()) {
        Label2().SetCaption("");
        return;
    }
    int position = List1().ListIndex() + 1;
    main_.SetPanel(1, name + "を削除しました。");
    bool removed = presets::RemovePreset(position, name);
    main_.List1().Clear();
    List1().Clear();
    presets::ListPresets({&main_.List1(), &List1()}, &main_.WWW);
    Label2().SetCaption("");
    if (!removed) main_.SetPanel(1, "KAZE.iniに書き込めないため、" + name + "を削除できませんでした。");
}

void Form3::Command2_Click() { Unload(); }

}  // namespace kaza

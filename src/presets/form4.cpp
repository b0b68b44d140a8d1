#include "presets/form4.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "platform/seams.h"
#include "presets/commands.h"
#include "presets/names.h"
#include "presets/save.h"
#include "presets/store.h"

namespace kaza {
namespace {

using namespace ui;

const ControlDecl kControls[] = {
    Frame("Frame1", 120, 120, 3735, 1095, "リストに追加するときの名前を入力してください"),
    Text("Text1", 600, 480, 2415, 270).In("Frame1").Tab(0),
    Button("Command1", 840, 1320, 1095, 375, "追加").Tab(1).Default(),
    Button("Command2", 2040, 1320, 975, 375, "キャンセル").Tab(2).Cancel(),
    // Below the client area: the names already in the index, for the name checks only.
    List("List1", 1200, 2400, 1455, 960).Hidden(),
};
const FormDecl kForm4{"リスト追加", kWindowFont, 3990, 1755, kControls, Count(kControls)};

}  // namespace

Form4::Form4(Form1& main) : Form(kForm4), main_(main) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
}

void Form4::Form_Load() { freeNumber_ = presets::ListPresets({&List1()}, nullptr); }

bool Form4::Refuse(const std::string& text) {
    platform::dialogs().Message(hwnd(), text, "Error!!", MB_OK);
    return false;
}

bool Form4::CheckName(const std::string& name) {
    if (name.empty()) return Refuse("一文字くらい書こうよ。（ｗ");
    for (int k = 0; k < List1().ListCount(); ++k)
        if (presets::SameName(List1().ListItem(k), name)) return Refuse("すでに同じ名前が登録されています。");
    std::string why = presets::NameRefusal(name);
    if (!why.empty()) return Refuse(why);
    if (freeNumber_ == 0)
        return Refuse("リストに登録できるのは" + std::to_string(presets::kMaxPresets) +
                      "件までです。いらない項目を削除してから追加してください。");
    return true;
}

void Form4::Command1_Click() {
    std::string name = Text1().Text();
    if (!CheckName(name)) return;

    main_.SetPanel(1, name + "をリストに追加しました。");
    // The scan on opening found this number; it is what the last refill left in WWW.
    bool written = presets::WriteSettings(main_, name, std::to_string(freeNumber_));
    main_.List1().Clear();
    presets::ListPresets({&main_.List1()}, &main_.WWW);
    std::string trf = main_.TRF.AsText();
    std::string trouble = presets::PictureTrouble(presets::StorePicture(trf), trf);
    if (!written)
        main_.SetPanel(1, "KAZE.iniに書き込めないため、" + name + "をリストに追加できませんでした。");
    else if (!trouble.empty())
        main_.SetPanel(1, name + "をリストに追加しましたが、" + trouble);
    Unload();
}

void Form4::Command2_Click() { Unload(); }

}  // namespace kaza

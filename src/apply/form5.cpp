#include "apply/form5.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "apply/apply.h"

namespace kaza {
namespace {

using namespace ui;

constexpr COLORREF kDarkRed = RGB(192, 0, 0);

const ControlDecl kControls[] = {
    Frame("Frame1", 120, 120, 4815, 855, "注意"),
    Label("Label1", 240, 240, 4455, 375,
          "メーカー製のパソコンなどはロゴ画像などの情報が上書きされてしまいますので、必ずバックアップを取って下さい。")
        .In("Frame1")
        .Fore(kDarkRed),
    Frame("Frame2", 120, 1200, 4815, 855, "ロゴを何色で出力するか選んでください"),
    Option("Option2", 1080, 360, 1215, 255, "フルカラー").In("Frame2").Tab(2),
    Option("Option1", 2640, 360, 1335, 255, "256色").In("Frame2").Tab(3),
    Button("Command1", 1200, 2280, 1215, 375, "実行").Tab(0).Default(),
    Button("Command2", 2640, 2280, 1095, 375, "キャンセル").Tab(1).Cancel(),
};
const FormDecl kForm5{"最終確認", kWindowFont, 5055, 2715, kControls, Count(kControls)};

}  // namespace

Form5::Form5(Form1& main) : Form(kForm5), main_(main) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
    On("Option1", Event::Click, [this](int) { Option1_Click(); });
    On("Option2", Event::Click, [this](int) { Option2_Click(); });
}

void Form5::Form_Load() {
    C("Option2").SetChecked(true);
    C("Option1").SetChecked(false);
    // Centred over the main window, as a confirmation is expected to appear.
    CentreOver(main_.hwnd());
}

void Form5::Command1_Click() {
    apply::LogoDepth depth =
        C("Option1").Checked() ? apply::LogoDepth::Colours256 : apply::LogoDepth::FullColour;
    const std::optional<platform::Steps> steps = apply::ApplySettings(main_, depth, "実行", hwnd());
    main_.SetPanel(1, steps ? apply::ApplyResultText(*steps) : kNothingWritten);
    Unload();
}

void Form5::Command2_Click() {
    main_.SetPanel(1, "実行はキャンセルされました。");
    Unload();
}

void Form5::Option1_Click() { main_.SetPanel(1, "メーカー画像の場合256色のほうがいいです。"); }

void Form5::Option2_Click() { main_.SetPanel(1, "オリジナル画像の場合フルカラーのほうがいいです。"); }

}  // namespace kaza

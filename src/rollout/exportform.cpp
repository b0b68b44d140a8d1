#include "rollout/exportform.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "rollout/grouppolicy.h"

namespace kaza {
namespace {

using namespace ui;

constexpr COLORREF kExampleGrey = RGB(128, 128, 128);
constexpr COLORREF kRefusalRed = RGB(192, 0, 0);

const ControlDecl kControls[] = {
    Label("Label1", 120, 120, 5415, 435,
          "グループポリシーでロゴを配るときは、ロゴを置く共有フォルダを入力してください (使わないときは空欄のまま)"),
    Text("Text1", 120, 600, 5415, 285).Tab(0),
    Label("Label2", 120, 930, 5415, 225, "例: \\\\server\\share\\kazaguruma").Fore(kExampleGrey),
    Label("Label3", 120, 1200, 5415, 435, "").Fore(kRefusalRed),
    Button("Command1", 3240, 1740, 1095, 375, "次へ").Tab(1).Default(),
    Button("Command2", 4440, 1740, 1095, 375, "キャンセル").Tab(2).Cancel(),
};
const FormDecl kExportForm{"配布用に書き出す", kWindowFont, 5655, 2235, kControls, Count(kControls)};

}  // namespace

ExportForm::ExportForm(Form1&) : Form(kExportForm) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
}

void ExportForm::Form_Load() {
    // The share given last in this session, for the next export to the same domain.
    accepted_ = false;
    Text1().SetText(share_);
    Label3().SetCaption("");
}

void ExportForm::Command1_Click() {
    const std::string share = Text1().Text();
    if (const std::string why = rollout::ShareProblem(share); !why.empty()) {
        Label3().SetCaption(why);
        return;
    }
    share_ = share;
    accepted_ = true;
    Unload();
}

void ExportForm::Command2_Click() { Unload(); }

}  // namespace kaza

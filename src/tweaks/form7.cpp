#include "tweaks/form7.h"

#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/form1.h"
#include "app/places.h"
#include "backup/backup.h"
#include "app/rows.h"
#include "platform/registry.h"

namespace kaza {
namespace {

using namespace ui;
using platform::Root;
using places::kPolicyKey;

const ControlDecl kControls[] = {
    Check("Check1", 480, 960, 2535, 255, "デバイス　マネージャ").Index(0).Tab(0),
    Check("Check1", 480, 1320, 2775, 375, "ハードウェア　プロフィール").Index(1).Tab(1),
    Check("Check1", 480, 1800, 4335, 375, "パフォーマンスの「ファイルシステム」ボタンを隠す").Index(2).Tab(2),
    Check("Check1", 480, 2280, 4335, 375, "パフォーマンスの「仮想メモリ」ボタンを隠す").Index(3).Tab(3),
    Label("Label1", 120, 120, 4695, 615,
          "何人かでパソコンを共有している場合などは、誤って設定を変えられてしまう危険性があります。"
          "そこで、このようなトラブルを防ぐためにアクセス制限をしましょう。")
        .Tab(4),
    Button("Command1", 960, 3000, 1455, 375, "実行").Tab(5).Default(),
    Button("Command2", 2520, 3000, 1335, 375, "キャンセル").Tab(6).Cancel(),
};
const FormDecl kForm7{"アクセス制限", kWindowFont, 5025, 3465, kControls, Count(kControls)};

// The restrictions' names in the failure text, in the order of kRestrictions and the boxes.
const char* const kShortNames[] = {"デバイスマネージャ", "ハードウェアプロフィール", "ファイルシステム", "仮想メモリ"};
static_assert(Count(kShortNames) == Count(kRestrictions));

// The policy format: type 4 with the single byte "1", not a four-byte number.
platform::Outcome WriteOn(const char* value) {
    return platform::RegWriteRaw(Root::CurrentUser, kPolicyKey, value, REG_DWORD, "1", 1);
}

}  // namespace

Form7::Form7(Form1& main) : Form(kForm7), main_(main) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
}

void Form7::Form_Load() {
    for (int i = 0; i < 4; ++i)
        if ((main_.*kRestrictions[i].member).IsOn()) Check1(i).SetChecked(true);
}

platform::Outcome Form7::Store(int i, const platform::Outcome& cleared) {
    const Restriction& r = kRestrictions[i];
    bool ticked = Check1(i).Checked();
    bool on = ticked;
    platform::Outcome stored = ticked ? WriteOn(r.value) : cleared;
    if (!stored) {
        // The key keeps something other than what the box asks for: show what it holds, read
        // as start-up reads it, so that the marks agree with the next start of the program.
        on = platform::RegReadText(Root::CurrentUser, kPolicyKey, r.value) == "1";
    }
    main_.*r.member = Variant::Number(on ? 1 : 0);
    return stored;
}

platform::Steps Form7::StoreAll() {
    // Clearing: only these four values, for the others in the key belong to other software. A
    // value that is not there is cleared already.
    platform::Outcome cleared[4];
    for (int i = 0; i < 4; ++i) {
        const char* value = kRestrictions[i].value;
        cleared[i] = platform::RegDeleteValueIn(Root::CurrentUser, kPolicyKey, value);
        if (!cleared[i] && !platform::RegReadRaw(Root::CurrentUser, kPolicyKey, value).exists) cleared[i] = {};
    }
    // Each restriction in turn, its marks following what was really stored.
    platform::Steps steps;
    for (int i = 0; i < 4; ++i) steps.push_back({kShortNames[i], kRestrictions[i].value, Store(i, cleared[i])});
    return steps;
}

void Form7::Command1_Click() {
    if (!backup::KeepBeforeWriting(main_, hwnd(), backup::RestrictionTargets(main_), "アクセス制限")) {
        main_.SetPanel(1, backup::WithSafetyNote(backup::kNothingWritten));
        Unload();
        return;
    }
    const std::string failed = RowsText(StoreAll(), Failed);
    main_.ShowRestrictionMarks();
    main_.SetPanel(1, backup::WithSafetyNote(
                          failed.empty() ? "ファイルシステムを「F」,仮想メモリを「K」と表現しています。"
                                         : "アクセス制限を変更できませんでした（" + failed + "）。赤い印は実際の設定を表しています。"));
    Unload();
}

void Form7::Command2_Click() { Unload(); }

}  // namespace kaza

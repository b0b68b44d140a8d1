#include "backup/form9.h"

#include <cstdio>

#include "app/fonts.h"
#include "app/form1.h"
#include "app/places.h"
#include "backup/backup.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace kaza {
namespace {

using namespace ui;
using backup::FileState;
using backup::SafetyCopy;

const ControlDecl kControls[] = {
    Label("Label2", 120, 120, 5175, 255, "保存されている変更前の状態（新しい順）"),
    List("List1", 120, 405, 5175, 1335).Tab(0),
    Label("Label1", 120, 1860, 5175, 1455),
    Button("Command1", 1080, 3435, 1455, 375, "戻す").Tab(1).Default(),
    Button("Command2", 2880, 3435, 1455, 375, "閉じる").Tab(2).Cancel(),
};
const FormDecl kForm9{"変更前の状態に戻す", kWindowFont, 5415, 3930, kControls, Count(kControls)};

constexpr const char* kIdeographicSpace = "　";

std::string ListText(const SafetyCopy& c) {
    std::string text = c.made + kIdeographicSpace + "「" + c.command + "」の前";
    return c.original ? text + "（最初の状態）" : text;
}

std::string Thousands(size_t n) {
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string FileText(const SafetyCopy& c, FileState state, const std::string& name) {
    if (state == FileState::Absent) return name + "：なし";
    std::string bytes;
    size_t size = 0;
    if (platform::ReadWholeFile(c.folder + "\\" + name, bytes)) size = bytes.size();
    return name + "：" + Thousands(size) + "バイト";
}

// A value as a person reads it: texts in brackets, anything else by its type and length.
std::string ValueText(const backup::SavedValue& v) {
    const platform::RegValue& r = v.value;
    std::string text = v.place.name + "＝";
    if (!r.exists) return text + "なし";
    if ((r.type == REG_SZ || r.type == REG_EXPAND_SZ) && !r.bytes.empty() && r.bytes.back() == '\0')
        return text + "「" + platform::FromAnsi(r.bytes) + "」";
    return text + "型" + std::to_string(r.type) + "・" + std::to_string(r.bytes.size()) + "バイト";
}

// A copy changed outside the program (backup::ChangedOutside): nothing of it is put back.
std::string ChangedText(const std::vector<std::string>& changed) {
    std::string names;
    for (const std::string& n : changed) names += (names.empty() ? "" : "、") + n;
    return "この変更前の状態はカザグルマの外で書き換えられているため、戻せません（カザグルマが書き込まない所：" + names +
           "）。";
}

// What the copy holds, for Label1; `changed` as ChangedOutside gives it.
std::string Describe(const SafetyCopy& c, const std::vector<std::string>& changed) {
    if (!changed.empty()) return ChangedText(changed);
    std::string text = c.original ? "カザグルマが最初に変更する前の状態です。\r\n"
                                  : "「" + c.command + "」で変更する前の状態です。\r\n";
    std::string files;
    for (const backup::HeldFile& f : c.files) files += (files.empty() ? "" : "　") + FileText(c, f.state, f.name);
    if (!files.empty()) text += files + "\r\n";
    std::string values;
    for (const backup::SavedValue& v : c.values) values += (values.empty() ? "" : "、") + ValueText(v);
    if (!values.empty()) text += values;
    return text;
}

}  // namespace

Form9::Form9(Form1& main) : Form(kForm9), main_(main) {
    On("List1", Event::Click, [this](int) { List1_Click(); });
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
}

void Form9::Form_Load() {
    CentreOver(main_.hwnd());
    copies_ = backup::ListSafetyCopies();
    for (const SafetyCopy& c : copies_) List1().AddItem(ListText(c));
    if (copies_.empty()) {
        C("Label1").SetCaption("変更前の状態はまだ保存されていません。システムに書き込む操作をすると、その前の状態がここに保存されます。");
        C("Command1").SetEnabled(false);
        return;
    }
    List1().SetListIndex(0);
    List1_Click();
}

void Form9::List1_Click() {
    int i = List1().ListIndex();
    bool chosen = i >= 0 && i < static_cast<int>(copies_.size());
    const std::vector<std::string> changed = chosen ? backup::ChangedOutside(main_, copies_[i]) : std::vector<std::string>();
    C("Label1").SetCaption(chosen ? Describe(copies_[i], changed) : "");
    C("Command1").SetEnabled(chosen && changed.empty());
}

void Form9::Command1_Click() {
    int i = List1().ListIndex();
    if (i < 0 || i >= static_cast<int>(copies_.size())) return;
    const SafetyCopy copy = copies_[i];
    // The present state first, so that going back can itself be undone.
    const backup::GoneBack back = backup::GoBack(main_, copy, "変更前の状態に戻す", hwnd());
    if (!back.changed.empty()) {
        main_.SetPanel(1, ChangedText(back.changed) + "何も変更しませんでした。");
        Unload();
        return;
    }
    const std::optional<platform::Steps>& steps = back.steps;
    if (!steps) {
        main_.SetPanel(1, backup::kNothingWritten);
        Unload();
        return;
    }
    RefreshMain(copy);

    const std::string state = copy.original ? "最初の状態（" + copy.made + "）"
                                            : copy.made + "（「" + copy.command + "」の前）の状態";
    const std::string failed = FailedRows(*steps);
    main_.SetPanel(1, failed.empty() ? state + "に戻しました。" : state + "に戻せなかったもの：" + failed);
    Unload();
}

void Form9::Command2_Click() { Unload(); }

void Form9::RefreshMain(const SafetyCopy& copy) {
    using platform::Root;
    bool restrictions = false;
    for (const backup::SavedValue& v : copy.values) {
        const std::string& name = v.place.name;
        const std::string now = platform::RegReadText(v.place.root, v.place.key, name);
        if (v.place.root == Root::CurrentUser) {
            restrictions = true;
        } else if (name == places::kVendorIdentifier) {
            main_.STEPPP = Variant::Text(now);
            main_.C("Label6").SetCaption(now);
        } else if (name == places::kProcessorName) {
            main_.C("Text6").SetText(now);
        } else {
            for (int i = 0; i < 3; ++i)
                if (name == places::kRegistrationValues[i]) main_.Text1(i).SetText(now);
        }
    }
    if (restrictions) main_.ReadRestrictions();
}

}  // namespace kaza

#include "app/form1.h"

#include "app/fonts.h"
#include "app/firmware_names.h"
#include "app/probe.h"
#include "apply/plan.h"
#include "backup/backup.h"
#include "platform/registry.h"
#include "platform/seams.h"

namespace kaza {
namespace {

using namespace ui;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);

const ControlDecl kControls[] = {
    // settings fields
    Text("Text4", 3480, 3360, 2655, 270, "通常は会社名").Index(0).Tab(3),
    Text("Text4", 3480, 3600, 2655, 270, "通常はパソコンのモデルNo").Index(1).Tab(4),
    Text("Text1", 3960, 2040, 2175, 270).Index(0).Tab(1),
    Text("Text1", 3960, 2280, 2175, 270).Index(1).Tab(2),
    Text("Text1", 3960, 2640, 2175, 270).Index(2).Tab(0),
    Text("Text6", 3480, 3960, 2655, 495).MultiLine().Hidden().Tab(8),
    PictureBox("Picture1", kLogoFrame.left, kLogoFrame.top, kLogoFrame.width, kLogoFrame.height)
        .Back(kLightGrey)
        .Tab(5),
    // hidden flag and memory fields
    Text("Text2", 240, 1920, 615, 270).Hidden(),
    Text("Text3", 240, 2160, 615, 270).Hidden(),
    Text("Text5", 240, 2400, 615, 270).Hidden(),
    // display-only elements of the mock-up
    Label("Label1", 3720, 1200, 2175, 495, "Label1"),
    Label("Label2", 3600, 4200, 2655, 255, "Label2"),
    Label("Label6", 3600, 3960, 2655, 255, "Label6"),
    Label("Label4", 5300, 405, 495, 255).Fore(kRed).Font(kGothic, 15.75f, true),
    // The support details, where the pages of Vista and later show them.
    Label("Label8", 3480, 3960, 2895, 210).Hidden(),
    Label("Label9", 3480, 4170, 2895, 210).Hidden(),
    Label("Label10", 3480, 4380, 2895, 210).Hidden(),
    // Settings' pages of 10 and 11: the trade-in and recycling links side by side, where the
    // panel's pages show the hours.
    Label("Label12", 3480, 4170, 1440, 210).Hidden(),
    Label("Label13", 4935, 4170, 1440, 210).Hidden(),
    // Under the logo frame where the page shows no logo: the frame stays for the systems that do.
    Label("Label11", 240, 5130, 3600, 210, "この Windows ではロゴは表示されません").Hidden(),
    Line("Line1", 960, 600, 2160, 600).Fore(kRed).Width(4).Hidden(),
    Line("Line2", 2400, 600, 3960, 600).Fore(kRed).Width(4).Hidden(),
    Line("Line3", 4200, 600, 5160, 600).Fore(kRed).Width(4).Hidden(),
    PictureBox("Picture2", 60, 400, 6105, 375).NoBorder().Hidden(),
    // click areas
    ClickArea("Label3", 1080, 1440, 1455, 1215),
    ClickArea("Label5", 840, 480, 5055, 255),
    ClickArea("Label7", 3600, 3960, 2535, 495),
    // presets and actions
    List("List1", 6480, 120, 1695, 2580).Tab(7),
    Button("Command2", 6480, 2700, 855, 315, "項目追加").Tab(9),
    Button("Command7", 6480, 3008, 855, 300, "上書き").Tab(10),
    Button("Command3", 7320, 2700, 855, 615, "項目削除").Tab(11),
    Button("Command5", 6480, 3480, 855, 735, "画像　　ぴったり").Tab(12),
    Button("Command6", 7320, 3480, 855, 735, "中央").Tab(13),
    Button("Command4", 6480, 4320, 1695, 975, "実行").Font(kGothic, 21.75f).Tab(14),
    Button("Command1", 3840, 4680, 1935, 375, "サポート情報（Ｓ）").Tab(6),
};

const MenuDecl kMenus[] = {
    {"F", "ファイル", 0},
    {"sisuhyou", "システムのプロパティを表示", 1},
    {"a", "-", 1},
    {"sisu", "現在のシステムのプロパティを保存", 1},
    {"DESUK", "デスクトップに保存", 2},
    {"HURO", "フロッピーに保存", 2},
    {"SONOTA", "保存先を指定する", 2},
    {"moto", "バックアップしたシスプロを元に戻す", 1},
    {"HENKOUMAE", "変更前の状態に戻す", 1},
    {"HAIHU", "配布用に書き出す…", 1},
    {"GENZAI", "現在の設定を読み込む", 1},
    {"OEMSAKUZYO", "OEM情報を削除…", 1},
    {"SEN", "-", 1},
    {"E", "終了", 1},
    {"HEN", "編集", 0},
    {"G", "画像を取り込む", 1},
    {"SENNN", "-", 1},
    {"RISUTOTUI", "リストに現在の設定を追加", 1},
    {"SAKUZYORISU", "リストの項目を削除", 1},
    {"H", "-", 1},
    {"GAZOAWA", "画像合わせる", 1},
    {"GAZOTYUUOU", "画像中央に表示", 1},
    {"SENN", "-", 1},
    {"CPU", "CPUのファミリーネームを表示", 1},
    {"JG", "-", 1},
    {"AKUKIN", "アクセス制限", 1},
    {"JGG", "-", 1},
    {"SYUTOKU", "メーカー名と型番をこの PC から取得", 1},
    {"HELP", "ヘルプ", 0},
    {"BAZYON", "バージョン情報", 1},
};

const StatusPanel kPanels[] = {
    {5310, "カザグルマVer6.2"},
    {1440, "画像　　　　　　止"},
    {1440, "中央　　　　　　止"},
};

const FormDecl kForm1{"カザグルマ", kWindowFont, 8250, 5655, kControls, Count(kControls),
                      kMenus, Count(kMenus), kPanels, Count(kPanels)};

}  // namespace

bool CommonDialog::ShowOpen(HWND owner) { return platform::dialogs().OpenFile(owner, Filter, FileName); }

Form1::Form1() : Form(kForm1) { BindCommands(); }

Form1::~Form1() {
    // The other windows go first: their handlers may refer to this window.
    windows_.clear();
}

void Form1::Form_Load() {
    RunStartupProbe(*this);
    ShowFirmwareEntry(*this);
}

// The window joins what the features do not know of each other: apply/ builds the plans,
// backup/ keeps what they name.
std::vector<Plan> Form1::PlansFor(const Family& family) {
    return {apply::ApplyPlan(*this, apply::LogoDepth::FullColour, family), apply::RemovalPlan(family)};
}

bool Form1::KeepBeforeWriting(HWND owner, const Plan& plan, const std::string& command) {
    return backup::KeepBeforeWriting(*this, owner, backup::TargetsOf(plan), command);
}

std::string Form1::WithSafetyNote(const std::string& result) { return backup::WithSafetyNote(result); }

void Form1::ReadRestrictions() {
    // A 4-byte number 1 reads as the character 1, not "1": only the text "1" is on.
    for (const Restriction& r : kRestrictions)
        this->*r.member = Variant::Text(platform::RegReadText(platform::Root::CurrentUser, places::kPolicyKey, r.value));
    ShowRestrictionMarks();
}

void Form1::ShowRestrictionMarks() {
    bool fileSystem = CCC.IsOn(), virtualMemory = DDD.IsOn();
    C("Line1").SetVisible(AAA.IsOn());
    C("Line2").SetVisible(BBB.IsOn());
    C("Line3").SetVisible(fileSystem || virtualMemory);
    C("Label4").SetCaption(std::string(fileSystem ? "F" : "") + (virtualMemory ? "K" : ""));
}

void Form1::Form_Unload() {
    for (auto& [type, window] : windows_)
        if (window->Loaded()) window->Unload();
    if (onClosed) onClosed();
}

}  // namespace kaza

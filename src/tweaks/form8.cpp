#include "tweaks/form8.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "app/places.h"
#include "backup/backup.h"
#include "platform/registry.h"

namespace kaza {
namespace {

using namespace ui;
using platform::Root;

using places::kProcessorKey;
constexpr COLORREF kLightGrey = RGB(224, 224, 224);

const ControlDecl kControls[] = {
    Label("Label2", 120, 120, 4095, 615,
          "Windows9xでCPU情報をNT/2000のようにFamily/Model/Steppingと表示させることができます。"
          "ただし、再起動後に元に戻ります。"),
    Label("Label3", 120, 960, 975, 255, "現在の設定").Back(kLightGrey),
    Label("Label1", 120, 1200, 3855, 255, "Label1").Back(kLightGrey),
    // A downward arrow from the current sample to the new one.
    Line("Line1", 1440, 1440, 1440, 1800),
    Line("Line2", 1440, 1800, 1320, 1680),
    Line("Line3", 1440, 1800, 1560, 1680),
    Label("Label4", 120, 1680, 975, 255, "変更後").Back(kLightGrey),
    Label("Label5", 120, 1920, 3855, 255, "Label5").Back(kLightGrey),
    Label("Label6", 120, 2280, 4455, 255, "*これはINTEL製CPUの場合のイメージです。"),
    Button("Command1", 120, 2640, 975, 495, "変更").Tab(0).Default(),
    Button("Command2", 1080, 2640, 975, 495, "キャンセル").Tab(1).Cancel(),
};
const FormDecl kForm8{"CPUファミリーネームの表示", kWindowFont, 4155, 3225, kControls, Count(kControls)};

constexpr const char* kBrand = "Pentium（r） Ⅱ Processor";
constexpr const char* kFamily = "x86 Family 6 Model Stepping 10";

struct Vendor {
    const char* current;  // STEPPP, compared exactly
    const char* shown;    // what the System Properties page shows now
    const char* after;    // and after the change
    const char* next;     // the other form of the identifier
};
const Vendor kVendors[] = {
    {"GenuineIntel", kBrand, kFamily, "Genuine Intel"},
    {"Genuine Intel", kFamily, kBrand, "GenuineIntel"},
    {"AuthenticAMD", kBrand, kFamily, "Authentic AMD"},
    {"Authentic AMD", kFamily, kBrand, "AuthenticAMD"},
    {"CyrixInstead", kBrand, kFamily, "Cyrix Instead"},
    {"Cyrix Instead", kFamily, kBrand, "CyrixInstead"},
};

}  // namespace

Form8::Form8(Form1& main) : Form(kForm8), main_(main) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
}

void Form8::Form_Load() {
    VC.clear();
    const std::string current = main_.STEPPP.AsText();
    for (const Vendor& v : kVendors)
        if (current == v.current) {
            C("Label1").SetCaption(v.shown);
            C("Label5").SetCaption(v.after);
            VC = v.next;
            break;
        }
    // A vendor outside the table has no other form; writing would empty the identifier.
    C("Command1").SetEnabled(!VC.empty());
}

platform::Steps Form8::WriteIdentifier() {
    // REG_SZ with its NUL counted.
    return {{"CPUファミリーネーム", places::kVendorIdentifier,
             platform::RegWriteString(Root::LocalMachine, kProcessorKey, places::kVendorIdentifier, VC)}};
}

void Form8::Command1_Click() {
    if (VC.empty()) return;
    if (!backup::KeepBeforeWriting(main_, hwnd(), backup::VendorTargets(main_), "CPUファミリーネームの表示")) {
        main_.SetPanel(1, backup::WithSafetyNote(backup::kNothingWritten));
        Unload();
        return;
    }

    // The main window follows only what was really stored.
    const bool written = WriteIdentifier().front().ok();
    if (written) {
        main_.STEPPP = Variant::Text(VC);
        main_.C("Label6").SetCaption(VC);
    }

    // The identifier as the system now reports it, and the result.
    main_.C("Label2").SetCaption(platform::RegReadText(Root::LocalMachine, kProcessorKey, places::kIdentifier));
    main_.SetPanel(1, backup::WithSafetyNote(written ? "変更しました。でも再起動後に元に戻ってしまいます。"
                                                     : "レジストリに書き込めなかったため、CPUの表示を変更できませんでした。"));
    Unload();
}

void Form8::Command2_Click() { Unload(); }

}  // namespace kaza

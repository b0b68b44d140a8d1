#include "app/probe.h"

#include "app/form1.h"
#include "platform/picture.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/ui/picturebox.h"
#include "presets/store.h"

namespace kaza {

using platform::RegReadText;
using platform::Root;

namespace {

constexpr const char* kCpuKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr const char* kNtKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

platform::Picture PagePicture(const char* file) {
    return platform::Picture::Load(platform::ProgramFolder() + "\\Plugins\\" + file);
}

void ShowStrip(Form1& f) {
    auto& strip = f.C("Picture2");
    strip.pictureBox()->SetPicture(PagePicture("2k.gif"));
    strip.SetVisible(true);
}

}  // namespace

// A 4-byte number 1 reads as the character 1, not "1".
void ReadRestrictions(Form1& f) {
    Variant* members[4] = {&f.AAA, &f.BBB, &f.CCC, &f.DDD};
    for (int i = 0; i < 4; ++i)
        *members[i] = Variant::Text(RegReadText(Root::CurrentUser, kPolicyKey, kPolicyValueNames[i]));
    const bool fileSystem = f.CCC.AsText() == "1", virtualMemory = f.DDD.AsText() == "1";
    f.C("Line1").SetVisible(f.AAA.AsText() == "1");
    f.C("Line2").SetVisible(f.BBB.AsText() == "1");
    f.C("Line3").SetVisible(fileSystem || virtualMemory);
    f.C("Label4").SetCaption(fileSystem && virtualMemory ? "FK" : fileSystem ? "F" : virtualMemory ? "K" : "");
}

void RunStartupProbe(Form1& f) {
    // 1-2. System directory and version.
    f.Labe = Variant::Text(platform::SystemDirectory());
    platform::VersionInfo v = platform::WindowsVersion();

    // 3. Platform family.
    if (v.platformId == 1) {
        f.SYT = Variant::Text("");
        f.SetBackgroundPicture(PagePicture("9X.gif"));
    } else if (v.platformId == 2) {
        f.OS = Variant::Text("NT");
        f.SYT = Variant::Text(" NT");
        f.C("Label2").SetVisible(false);
        f.C("Label6").SetVisible(false);
        f.C("Label7").SetEnabled(false);
        f.C("Label5").SetEnabled(false);
        f.Menu("CPU").SetEnabled(false);
        f.Menu("CPU").SetCaption("CPUのファミリーネームを表示(9x限定");
        f.Menu("AKUKIN").SetEnabled(false);
        f.Menu("AKUKIN").SetCaption("アクセス制限(9x限定");
    }

    // 4. Build: the whole 32-bit field, which on the 9x family never equals these.
    switch (v.build) {
    case 2600:
        f.SetBackgroundPicture(PagePicture("XP.jpg"));
        f.C("Text6").SetVisible(true);
        break;
    case 2195:
    case 1381:
        f.SetBackgroundPicture(PagePicture("9X.gif"));
        ShowStrip(f);
        break;
    default:
        break;
    }

    // 5. Preset list.
    presets::ListPresets({&f.List1()}, &f.WWW);

    // 6. Registered user.
    const std::string userKey = "SOFTWARE\\Microsoft\\Windows" + f.SYT.AsText() + "\\CurrentVersion";
    const char* userValues[] = {"RegisteredOwner", "RegisteredOrganization", "ProductId"};
    for (int i = 0; i < 3; ++i) f.Text1(i).SetText(RegReadText(Root::LocalMachine, userKey, userValues[i]));

    // 7-8. Access restriction and its marks.
    ReadRestrictions(f);

    // 9-10. Processor identifier and vendor.
    f.C("Label2").SetCaption(RegReadText(Root::LocalMachine, kCpuKey, "Identifier"));
    f.STEPPP = Variant::Text(RegReadText(Root::LocalMachine, kCpuKey, "VendorIdentifier"));
    f.C("Label6").SetCaption(f.STEPPP.AsText());

    // 11. System name: product name, line break, service pack.
    f.C("Label1").SetCaption(RegReadText(Root::LocalMachine, kNtKey, "ProductName"));
    f.C("Label1").SetCaption(f.C("Label1").Caption() + "\r\n" + RegReadText(Root::LocalMachine, kNtKey, "CSDVersion"));

    // 12. Processor name on the NT family.
    if (f.OS.AsText() == "NT")
        f.C("Text6").SetText(RegReadText(Root::LocalMachine, kCpuKey, "ProcessorNameString"));
}

}  // namespace kaza

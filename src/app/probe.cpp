#include "app/probe.h"

#include <algorithm>
#include <string>

#include "app/form1.h"
#include "app/maker.h"
#include "app/places.h"
#include "platform/picture.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/ui/picturebox.h"
#include "presets/commands.h"
#include "presets/store.h"

namespace kaza {

using platform::RegReadText;
using platform::Root;

namespace {

using namespace places;

constexpr unsigned long kFirstSettingsBuild = 19042;  // Windows 10 20H2
constexpr unsigned long kFirstElevenBuild = 22000;

platform::Picture PagePicture(const char* file) {
    return platform::Picture::Load(presets::PluginsFolder() + "\\" + file);
}

// Every page fills the same 420 x 355 pixels at 96 dpi under the window's controls, whatever
// the size it was drawn at.
void ShowPage(Form1& f, const char* file) { f.SetBackgroundPicture(PagePicture(file), 6300, 5325); }

void ShowStrip(Form1& f) {
    auto& strip = f.C("Picture2");
    strip.pictureBox()->SetPicture(PagePicture(presets::kPage2000));
    strip.SetVisible(true);
}

// The support details show where the page pictured shows them.
void ShowSupportDetails(Form1& f) {
    for (const MakerDetail& d : kMakerDetails)
        if (d.pageLabel && Shows(d.pages, f.page)) f.C(d.pageLabel).SetVisible(true);
}

// 10 and 11 both report version 10.0, and only the build tells them apart; Wine reports one
// build (18362) for all of them. Windows names the same build in the registry, where a Wine
// prefix can be given any: the later of the two decides.
platform::VersionInfo RunningVersion() {
    platform::VersionInfo v = platform::WindowsVersion();
    if (v.platformId != 2 || v.major != 10) return v;
    const std::string named = RegReadText(Root::LocalMachine, kNtVersionKey, kCurrentBuildNumber);
    if (named.empty() || named.size() > 9 || named.find_first_not_of("0123456789") != std::string::npos) return v;
    v.build = std::max(v.build, std::stoul(named));
    return v;
}

}  // namespace

std::string EditionShown(const std::string& productName, Page page) {
    // 11 keeps 10's name in the registry; its own pages name it 11.
    const std::string ten = "Windows 10";
    if (page != Page::Eleven || productName.compare(0, ten.size(), ten) != 0) return productName;
    if (productName.size() > ten.size() && productName[ten.size()] != ' ') return productName;
    return "Windows 11" + productName.substr(ten.size());
}

Page PageFor(const platform::VersionInfo& v) {
    if (v.platformId == 1) return Page::NineX;
    if (v.platformId != 2) return Page::None;
    switch (v.build) {
    case 1381:
    case 2195: return Page::NineX;
    case 2600:
    case 3790: return Page::Xp;
    default: break;
    }
    if (v.major == 6) return Page::Vista;
    if (v.major < 10) return Page::None;
    // 10 to version 2004 still open the System control panel; from 20H2 on it opens Settings.
    // 11 reports 10.0 too: only its build tells it apart.
    if (v.major == 10 && v.minor == 0 && v.build < kFirstSettingsBuild) return Page::TenPanel;
    if (v.major == 10 && v.minor == 0 && v.build < kFirstElevenBuild) return Page::Ten;
    return Page::Eleven;
}

void RunStartupProbe(Form1& f) {
    // System directory and version.
    f.Labe = Variant::Text(platform::SystemDirectory());
    platform::VersionInfo v = RunningVersion();

    // Platform family.
    if (v.platformId == 1) {
        f.SYT = Variant::Text("");
        ShowPage(f, presets::kPage9x);
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

    // Build: the whole 32-bit field, which on the 9x family never equals these; from Vista on
    // the version decides.
    f.page = PageFor(v);
    if (v.platformId == 2) {
        switch (f.page) {
        case Page::Xp:
            ShowPage(f, presets::kPageXp);
            f.C("Text6").SetVisible(true);
            break;
        case Page::NineX:
            ShowPage(f, presets::kPage9x);
            ShowStrip(f);
            break;
        case Page::Vista:
            ShowPage(f, presets::kPageVista);
            ShowSupportDetails(f);
            break;
        case Page::TenPanel:
            ShowPage(f, presets::kPageTenPanel);
            ShowSupportDetails(f);
            break;
        case Page::Ten:
        case Page::Eleven:
            ShowPage(f, f.page == Page::Ten ? presets::kPageTen : presets::kPageEleven);
            ShowSupportDetails(f);
            f.C("Label11").SetVisible(true);
            break;
        case Page::None: break;
        }
    }

    // Preset list.
    presets::ListPresets({&f.List1()}, &f.WWW);

    // Registered user.
    const std::string userKey = VersionKey(f.SYT.AsText());
    for (int i = 0; i < 3; ++i) {
        bool unreadable = false;
        f.Text1(i).SetText(RegReadText(Root::LocalMachine, userKey, kRegistrationValues[i], &unreadable));
        if (unreadable) f.MarkUnreadAtStart(f.Text1(i));
    }

    // Access restriction, as text, and its marks.
    f.ReadRestrictions();

    // Processor identifier and vendor.
    f.C("Label2").SetCaption(RegReadText(Root::LocalMachine, kProcessorKey, kIdentifier));
    f.STEPPP = Variant::Text(RegReadText(Root::LocalMachine, kProcessorKey, kVendorIdentifier));
    f.C("Label6").SetCaption(f.STEPPP.AsText());

    // System name: product name, line break, service pack.
    f.C("Label1").SetCaption(EditionShown(RegReadText(Root::LocalMachine, kNtVersionKey, kProductName), f.page));
    f.C("Label1").SetCaption(f.C("Label1").Caption() + "\r\n" + RegReadText(Root::LocalMachine, kNtVersionKey, kServicePack));

    // Processor name on the NT family.
    if (f.OS.AsText() == "NT") {
        bool unreadable = false;
        f.C("Text6").SetText(RegReadText(Root::LocalMachine, kProcessorKey, kProcessorName, &unreadable));
        if (unreadable) f.MarkUnreadAtStart(f.C("Text6"));
    }
}

}  // namespace kaza

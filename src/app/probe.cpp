#include "app/probe.h"

#include "app/form1.h"
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

platform::Picture PagePicture(const char* file) {
    return platform::Picture::Load(presets::PluginsFolder() + "\\" + file);
}

void ShowStrip(Form1& f) {
    auto& strip = f.C("Picture2");
    strip.pictureBox()->SetPicture(PagePicture(presets::kPage2000));
    strip.SetVisible(true);
}

// The support details show where the pages of Vista and later show them.
void ShowSupportDetails(Form1& f) {
    for (const char* label : {"Label8", "Label9", "Label10"}) f.C(label).SetVisible(true);
}

}  // namespace

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
    if (v.major >= 10) return Page::Ten;
    return Page::None;
}

void RunStartupProbe(Form1& f) {
    // 1-2. System directory and version.
    f.Labe = Variant::Text(platform::SystemDirectory());
    platform::VersionInfo v = platform::WindowsVersion();

    // 3. Platform family.
    if (v.platformId == 1) {
        f.SYT = Variant::Text("");
        f.SetBackgroundPicture(PagePicture(presets::kPage9x));
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

    // 4. Build: the whole 32-bit field, which on the 9x family never equals these; from Vista on
    // the version decides.
    f.page = PageFor(v);
    if (v.platformId == 2) {
        switch (f.page) {
        case Page::Xp:
            f.SetBackgroundPicture(PagePicture(presets::kPageXp));
            f.C("Text6").SetVisible(true);
            break;
        case Page::NineX:
            f.SetBackgroundPicture(PagePicture(presets::kPage9x));
            ShowStrip(f);
            break;
        case Page::Vista:
            f.SetBackgroundPicture(PagePicture(presets::kPageVista));
            ShowSupportDetails(f);
            break;
        case Page::Ten:
            f.SetBackgroundPicture(PagePicture(presets::kPageTen));
            ShowSupportDetails(f);
            break;
        case Page::None: break;
        }
    }

    // 5. Preset list.
    presets::ListPresets({&f.List1()}, &f.WWW);

    // 6. Registered user.
    const std::string userKey = VersionKey(f.SYT.AsText());
    for (int i = 0; i < 3; ++i) {
        bool unreadable = false;
        f.Text1(i).SetText(RegReadText(Root::LocalMachine, userKey, kRegistrationValues[i], &unreadable));
        if (unreadable) f.MarkUnreadAtStart(f.Text1(i));
    }

    // 7-8. Access restriction, as text, and its marks.
    f.ReadRestrictions();

    // 9-10. Processor identifier and vendor.
    f.C("Label2").SetCaption(RegReadText(Root::LocalMachine, kProcessorKey, kIdentifier));
    f.STEPPP = Variant::Text(RegReadText(Root::LocalMachine, kProcessorKey, kVendorIdentifier));
    f.C("Label6").SetCaption(f.STEPPP.AsText());

    // 11. System name: product name, line break, service pack.
    f.C("Label1").SetCaption(RegReadText(Root::LocalMachine, kNtVersionKey, kProductName));
    f.C("Label1").SetCaption(f.C("Label1").Caption() + "\r\n" + RegReadText(Root::LocalMachine, kNtVersionKey, kServicePack));

    // 12. Processor name on the NT family.
    if (f.OS.AsText() == "NT") {
        bool unreadable = false;
        f.C("Text6").SetText(RegReadText(Root::LocalMachine, kProcessorKey, kProcessorName, &unreadable));
        if (unreadable) f.MarkUnreadAtStart(f.C("Text6"));
    }
}

}  // namespace kaza

// Start-up of the main window under one emulated Windows family (the program's name says which).
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

#include "app/form1.h"
#include "app/firmware_names.h"
#include "app/places.h"
#include "platform/firmware.h"
#include "platform/registry.h"
#include "platform/ui/picturebox.h"
#include "app/probe.h"
#include "platform/system.h"
#include "presets/store.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza {
namespace {

using platform::Root;
using test::ProgramFolder;

const std::string kFamily = KAZA_TEST_WINDOWS;
const bool kNt = kFamily != "win98";
const std::string kUserKey = places::VersionKey(kNt ? " NT" : "");
const std::string kOtherUserKey = places::VersionKey(kNt ? "" : " NT");
using places::kPolicyKey;
const char* kCpuKey = places::kProcessorKey;
const char* kNtKey = places::kNtVersionKey;

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

class Probe : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteKeyTree(Root::CurrentUser, kPolicyKey);
        test::SetText(Root::LocalMachine, kUserKey, places::kRegisteredOwner, "山田 太郎");
        test::SetText(Root::LocalMachine, kUserKey, places::kRegisteredOrganization, "風車工房");
        test::SetText(Root::LocalMachine, kUserKey, places::kProductId, "12345-OEM-0000001-00001");
        test::SetText(Root::LocalMachine, kOtherUserKey, places::kRegisteredOwner, "wrong family");
        test::SetText(Root::LocalMachine, kCpuKey, places::kIdentifier, "x86 Family 6 Model 8 Stepping 3");
        test::SetText(Root::LocalMachine, kCpuKey, places::kVendorIdentifier, "GenuineIntel");
        test::SetText(Root::LocalMachine, kCpuKey, places::kProcessorName, "Intel(R) Pentium(R) III");
        test::SetText(Root::LocalMachine, kNtKey, places::kProductName, "Microsoft Windows XP");
        test::SetText(Root::LocalMachine, kNtKey, places::kServicePack, "Service Pack 2");
    }
    void TearDown() override { test::DeleteKeyTree(Root::CurrentUser, kPolicyKey); }

    test::MachineSnapshot machine_;
    ProgramFolder folder_;
};

TEST_F(Probe, FamilyDecidesKeysPicturesAndNineXOnlyCommands) {
    Form1 f;
    f.Load();
    EXPECT_EQ(f.SYT, Variant::Text(kNt ? " NT" : ""));
    EXPECT_EQ(f.OS, kNt ? Variant::Text("NT") : Variant());
    EXPECT_EQ(f.Labe.AsText().empty(), false);
    EXPECT_EQ(f.Labe.AsText().back() == '\\', false);

    // Registered user from the family's own key.
    EXPECT_EQ(f.Text1(0).Text(), "山田 太郎");
    EXPECT_EQ(f.Text1(1).Text(), "風車工房");
    EXPECT_EQ(f.Text1(2).Text(), "12345-OEM-0000001-00001");

    // Background, strip, the processor name field (XP pages only) and the support details
    // (from Vista on). Wine's 10 is build 18362, which still opens the control panel.
    const struct {
        const char* family;
        const char* background;
        bool strip, processor, support;
    } pages[] = {
        {"win98", presets::kPage9x, false, false, false}, {"nt40", presets::kPage9x, true, false, false},
        {"win2k", presets::kPage9x, true, false, false},  {"winxp", presets::kPageXp, false, true, false},
        {"winxp64", presets::kPageXp, false, true, false}, {"vista", presets::kPageVista, false, false, true},
        {"win81", presets::kPageVista, false, false, true}, {"win10", presets::kPageTenPanel, false, false, true},
    };
    const auto* page = std::find_if(std::begin(pages), std::end(pages), [](const auto& p) { return kFamily == p.family; });
    ASSERT_NE(page, std::end(pages));
    EXPECT_EQ(FileName(f.BackgroundPicture().source()), page->background);
    EXPECT_EQ(f.C("Picture2").Visible(), page->strip);
    if (page->strip) {
        const auto& strip = *f.C("Picture2").pictureBox();
        EXPECT_EQ(FileName(strip.Picture().source()), presets::kPage2000);
        EXPECT_EQ(strip.Picture().width(), 407);
    }
    EXPECT_EQ(f.C("Text6").Visible(), page->processor);
    EXPECT_EQ(f.C("Text6").Text(), kNt ? "Intel(R) Pentium(R) III" : "");
    for (const char* label : {"Label8", "Label9", "Label10"}) EXPECT_EQ(f.C(label).Visible(), page->support) << label;
    EXPECT_EQ(f.ReadsOemInformation(), page->support);
    EXPECT_FALSE(f.C("Label11").Visible());  // each of these systems shows the logo

    // Processor labels and their click area.
    EXPECT_EQ(f.C("Label2").Caption(), "x86 Family 6 Model 8 Stepping 3");
    EXPECT_EQ(f.C("Label6").Caption(), "GenuineIntel");
    EXPECT_EQ(f.STEPPP, Variant::Text("GenuineIntel"));
    EXPECT_EQ(f.C("Label2").Visible(), !kNt);
    EXPECT_EQ(f.C("Label6").Visible(), !kNt);
    EXPECT_EQ(f.C("Label5").Enabled(), !kNt);
    EXPECT_EQ(f.C("Label7").Enabled(), !kNt);
    EXPECT_TRUE(f.C("Label3").Enabled());

    EXPECT_EQ(f.Menu("CPU").Enabled(), !kNt);
    EXPECT_EQ(f.Menu("AKUKIN").Enabled(), !kNt);
    EXPECT_EQ(f.Menu("CPU").Caption(), kNt ? "CPUのファミリーネームを表示(9x限定" : "CPUのファミリーネームを表示");
    EXPECT_EQ(f.Menu("AKUKIN").Caption(), kNt ? "アクセス制限(9x限定" : "アクセス制限");

    EXPECT_EQ(f.C("Label1").Caption(), "Microsoft Windows XP\r\nService Pack 2");
    // Design-time texts stay.
    EXPECT_EQ(f.Text4(0).Text(), "通常は会社名");
    EXPECT_EQ(f.Text4(1).Text(), "通常はパソコンのモデルNo");
    EXPECT_EQ(f.Panel(1), "カザグルマVer6.2");
    EXPECT_EQ(f.Panel(2), "画像　　　　　　止");
    EXPECT_EQ(f.Panel(3), "中央　　　　　　止");
}

// Builds the emulator cannot be set to, 11 among them, through the version seam; and the build
// the registry names, which Windows keeps equal to the one it reports and Wine does not.
TEST(StartupPages, ChosenByVersion) {
    const struct {
        unsigned long platformId, major, minor, build;
        Page page;
    } cases[] = {
        {1, 4, 10, 67766446, Page::NineX}, {2, 4, 0, 1381, Page::NineX},    {2, 5, 0, 2195, Page::NineX},
        {2, 5, 1, 2600, Page::Xp},         {2, 5, 2, 3790, Page::Xp},       {2, 5, 1, 2599, Page::None},
        {2, 6, 0, 6002, Page::Vista},      {2, 6, 3, 9600, Page::Vista},    {2, 10, 0, 10240, Page::TenPanel},
        {2, 10, 0, 19041, Page::TenPanel}, {2, 10, 0, 19042, Page::Ten},    {2, 10, 0, 19045, Page::Ten},
        {2, 10, 0, 22000, Page::Eleven},   {2, 10, 0, 22631, Page::Eleven}, {0, 0, 0, 0, Page::None},
    };
    for (const auto& c : cases) {
        platform::VersionInfo v{true, c.platformId, c.build, c.major, c.minor};
        EXPECT_EQ(PageFor(v), c.page) << c.major << "." << c.minor << "." << c.build;
    }

    // Only where the system shows no logo does the page say so; the frame stays either way.
    const struct {
        unsigned long reported;
        const char* named;  // CurrentBuildNumber
        const char* background;
        bool noLogo;
        const char* product;  // ProductName, and the edition the page names (11 keeps 10's name)
        const char* edition;
    } starts[] = {
        {19041, "19041", presets::kPageTenPanel, false, "Windows 10 Pro", "Windows 10 Pro"},
        {18362, "19045", presets::kPageTen, true, "Windows 10 Home", "Windows 10 Home"},
        {22631, "7601", presets::kPageEleven, true, "Windows 10 Pro", "Windows 11 Pro"},
        {22000, "22000", presets::kPageEleven, true, "Windows 10", "Windows 11"},
        {22000, "22000", presets::kPageEleven, true, "Windows 100", "Windows 100"},
        {18362, "2263l", presets::kPageTenPanel, false, "Windows 10 Pro", "Windows 10 Pro"},
    };
    test::MachineSnapshot machine;
    test::ProgramFolder folder;
    for (const auto& s : starts) {
        test::SetText(Root::LocalMachine, kNtKey, places::kCurrentBuildNumber, s.named);
        test::SetText(Root::LocalMachine, kNtKey, places::kProductName, s.product);
        platform::VersionInfo v{true, 2, s.reported, 10, 0};
        platform::SetVersionForTesting(&v);
        Form1 f;
        f.Load();
        platform::SetVersionForTesting(nullptr);
        EXPECT_EQ(FileName(f.BackgroundPicture().source()), s.background) << s.named;
        EXPECT_EQ(f.C("Label11").Visible(), s.noLogo) << s.named;
        EXPECT_EQ(f.C("Label11").Caption(), "この Windows ではロゴは表示されません");
        EXPECT_TRUE(f.Picture1().Visible());
        EXPECT_TRUE(f.ReadsOemInformation());
        EXPECT_EQ(f.C("Label1").Caption().substr(0, f.C("Label1").Caption().find('\r')), s.edition);
        // Settings' pages show the links where the panel's show the hours.
        for (const char* label : {"Label8", "Label10"}) EXPECT_TRUE(f.C(label).Visible());
        EXPECT_EQ(f.C("Label9").Visible(), !s.noLogo);
        for (const char* label : {"Label12", "Label13"}) EXPECT_EQ(f.C(label).Visible(), s.noLogo);
    }

    // There the provider shows, or the maker while there is none, and only the links that are set.
    platform::VersionInfo eleven{true, 2, 22631, 10, 0};
    platform::SetVersionForTesting(&eleven);
    Form1 f;
    f.Load();
    platform::SetVersionForTesting(nullptr);
    f.Text4(0).SetText("風車工房");
    EXPECT_EQ(f.C("Label8").Caption(), "サポート: 風車工房");
    FillSupportValues(f, {"0120", "平日", "https://s.example.jp", "", "", "https://t.example.jp"});
    EXPECT_EQ(f.C("Label8").Caption() + f.C("Label10").Caption(), "サポート: 風車工房Web サイト: オンライン サポート");
    EXPECT_EQ(f.C("Label12").Caption() + "|" + f.C("Label13").Caption(), "下取り|");
    FillSupportValues(f, {"", "", "", "風車サポート", "", "", "https://r.example.jp"});
    f.Text4(0).SetText("別の会社");
    EXPECT_EQ(f.C("Label8").Caption(), "サポート: 風車サポート");
    EXPECT_EQ(f.C("Label12").Caption() + "|" + f.C("Label13").Caption(), "|リサイクル");
}

// The SMBIOS table as GetSystemFirmwareTable('RSMB') gives it: the 8-byte header, its length
// field `declared` (the structures' own length when SIZE_MAX), then the structures.
std::vector<unsigned char> Smbios(const std::string& structures, size_t declared = SIZE_MAX) {
    size_t n = declared == SIZE_MAX ? structures.size() : declared;
    std::vector<unsigned char> t = {0, 3, 4, 0, static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8), 0, 0};
    t.insert(t.end(), structures.begin(), structures.end());
    return t;
}

using namespace std::string_literals;
const std::string kBios = "\x00\x05\x00\x00\x01"s + "BIOS\0\0"s;
const std::string kSystem = "\x01\x08\x01\x00\x01\x02\x00\x00"s;  // maker string 1, product 2
const std::string kEnd = "\x7f\x04\x02\x00\0\0"s;

// The firmware's table may be wrong in any way: each fault gives an empty name, never a read
// past the bytes, and the names that are there come through as written.
TEST(FirmwareNames, ReadDefensivelyAndPlaceholdersSkipped) {
    const std::string names = "ACME\0KZ-621\0\0"s;
    const struct {
        std::vector<unsigned char> table;
        const char *maker, *model;
    } cases[] = {
        {Smbios(kBios + kSystem + names + kEnd), "ACME", "KZ-621"},
        {Smbios(kBios + kSystem + names + kEnd, 2000), "ACME", "KZ-621"},  // length past the end
        {Smbios(kBios + kSystem + names + kEnd, kBios.size()), "", ""},     // the table ends before it
        {Smbios(kBios + "\x01\x40\x01\x00\x01\x02"s), "", ""},            // formatted part past the end
        {Smbios(kSystem + "ACME\0KZ"s), "ACME", "KZ"},                       // no terminator
        {Smbios(kSystem + "ACME\0\0"s), "ACME", ""},                        // string 2 beyond the set
        {Smbios("\x01\x08\x01\x00\x09\x00\x00\x00"s + names), "", ""},     // 9 beyond, 0 none
        {Smbios("\x00\x00\x00\x00"s + kSystem + names), "", ""},           // a length of 0 stops
        {Smbios(kEnd + kSystem + names), "", ""},                            // nothing after the end
        {Smbios(kSystem + "AC\tME\0\x7fKZ\0\0"s), "AC ME", " KZ"},
        {{0, 3, 4, 0, 0xff, 0}, "", ""},
    };
    for (const auto& c : cases) {
        platform::FirmwareNames n = platform::SmbiosSystemNames(c.table.data(), c.table.size());
        EXPECT_EQ(n.manufacturer, c.maker) << &c - cases;
        EXPECT_EQ(n.product, c.model) << &c - cases;
    }
    for (const char* p : {"To Be Filled By O.E.M.", " default STRING ", "System manufacturer", "System Product Name",
                          "o.e.m.", "Not Applicable", "NOT SPECIFIED", "None", "", "   "})
        EXPECT_TRUE(IsPlaceholderName(p)) << p;
    for (const char* name : {"ACME", "None Such", "O.E.M", "Default"}) EXPECT_FALSE(IsPlaceholderName(name)) << name;
}

// The entry fills what the firmware names and keeps a field whose name is a placeholder; where the
// system has no firmware table it is disabled and says why.
TEST_F(Probe, FirmwareFillsMakerAndModelOrKeepsThem) {
    const struct {
        bool present;
        std::string names;
        const char *maker, *model, *panel;
    } cases[] = {
        {true, " ACME \0KZ-621\0\0"s, "ACME", "KZ-621", "メーカー名「ACME」と型番「KZ-621」をこの PC から取得しました。"},
        {true, "System manufacturer\0KZ-621\0\0"s, "前の会社", "KZ-621",
         "型番「KZ-621」をこの PC から取得しました。ファームウェアにメーカー名は書かれていません。"},
        {true, "To Be Filled By O.E.M.\0Default string\0\0"s, "前の会社", "前の型番",
         "この PC のファームウェアにはメーカー名も型番も書かれていません。"},
    };
    for (const auto& c : cases) {
        platform::FirmwareForTesting firmware{c.present, Smbios(kSystem + c.names + kEnd)};
        platform::SetFirmwareForTesting(&firmware);
        Form1 f;
        f.Show();
        f.Text4(0).SetText("前の会社");
        f.Text4(1).SetText("前の型番");
        EXPECT_TRUE(f.Menu("SYUTOKU").Enabled());
        f.Raise("SYUTOKU", -1, ui::Event::Click);
        platform::SetFirmwareForTesting(nullptr);
        EXPECT_EQ(f.Text4(0).Text(), c.maker);
        EXPECT_EQ(f.Text4(1).Text(), c.model);
        EXPECT_EQ(f.Panel(1), c.panel);
    }
    platform::FirmwareForTesting none{false, {}};
    platform::SetFirmwareForTesting(&none);
    Form1 f;
    f.Load();
    platform::SetFirmwareForTesting(nullptr);
    EXPECT_FALSE(f.Menu("SYUTOKU").Enabled());
    EXPECT_EQ(f.Menu("SYUTOKU").Caption(), "メーカー名と型番をこの PC から取得(XP x64・Vista 以降");
}

TEST_F(Probe, MissingValuesGiveEmptyTexts) {
    test::DeleteValue(Root::LocalMachine, kUserKey, places::kRegisteredOrganization);
    test::DeleteValue(Root::LocalMachine, kNtKey, places::kServicePack);
    test::DeleteValue(Root::LocalMachine, kNtKey, places::kProductName);
    Form1 f;
    f.Load();
    EXPECT_EQ(f.Text1(0).Text(), "山田 太郎");
    EXPECT_EQ(f.Text1(1).Text(), "");
    EXPECT_EQ(f.Text1(2).Text(), "12345-OEM-0000001-00001");
    EXPECT_EQ(f.C("Label1").Caption(), "\r\n");
}

struct PolicyCase {
    const char* aaa;  // nullptr: value absent; "#1": the 4-byte number 1
    const char* bbb;
    const char* ccc;
    const char* ddd;
    bool line1, line2, line3;
    const char* label4;
};

class ProbePolicies : public Probe, public ::testing::WithParamInterface<PolicyCase> {};

void Seed(const char* name, const char* v) {
    if (!v) return;
    if (std::string(v) == "#1") test::SetDword(Root::CurrentUser, kPolicyKey, name, 1);
    else test::SetText(Root::CurrentUser, kPolicyKey, name, v);
}

TEST_P(ProbePolicies, MarksFollowTheValuesAsText) {
    const PolicyCase& c = GetParam();
    Seed(places::kNoDeviceManagerPage, c.aaa);
    Seed(places::kNoHardwareProfilesPage, c.bbb);
    Seed(places::kNoFileSystemButton, c.ccc);
    Seed(places::kNoVirtualMemoryButton, c.ddd);
    Form1 f;
    f.Load();
    EXPECT_EQ(f.C("Line1").Visible(), c.line1);
    EXPECT_EQ(f.C("Line2").Visible(), c.line2);
    EXPECT_EQ(f.C("Line3").Visible(), c.line3);
    EXPECT_EQ(f.C("Label4").Caption(), c.label4);
    EXPECT_EQ(f.AAA.IsOn(), c.line1);
    EXPECT_EQ(f.BBB.IsOn(), c.line2);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, ProbePolicies,
    ::testing::Values(PolicyCase{nullptr, nullptr, nullptr, nullptr, false, false, false, ""},
                      PolicyCase{"1", nullptr, nullptr, nullptr, true, false, false, ""},
                      PolicyCase{nullptr, "1", nullptr, nullptr, false, true, false, ""},
                      PolicyCase{nullptr, nullptr, "1", nullptr, false, false, true, "F"},
                      PolicyCase{nullptr, nullptr, nullptr, "1", false, false, true, "K"},
                      PolicyCase{nullptr, nullptr, "1", "1", false, false, true, "FK"},
                      PolicyCase{"1", "1", "1", "1", true, true, true, "FK"},
                      PolicyCase{"#1", "#1", "#1", "#1", false, false, false, ""},
                      PolicyCase{"0", "11", "1", "#1", false, false, true, "F"}));

TEST_F(Probe, PresetListEndsAtTheFirstGapOrEmptyValue) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> keys;
        std::vector<std::string> listed;
        Variant www;
    };
    const Case cases[] = {
        {{}, {}, Variant::Number(1)},
        {{{"1", "A"}, {"2", "B"}, {"3", "C"}, {"4", ""}}, {"A", "B", "C"}, Variant::Number(4)},
        {{{"1", "A"}, {"3", "C"}}, {"A"}, Variant::Number(2)},
        {{{"1", "ＮＥＣ 風"}, {"2", ""}, {"3", "C"}}, {"ＮＥＣ 風"}, Variant::Number(2)},
    };
    for (const Case& c : cases) {
        test::RemoveTree(folder_.index());
        for (auto& [k, v] : c.keys)
            WritePrivateProfileStringA("nagi", k.c_str(), test::Sjis(v).c_str(), test::Sjis(folder_.index()).c_str());
        Form1 f;
        f.Load();
        std::vector<std::string> listed;
        for (int i = 0; i < f.List1().ListCount(); ++i) listed.push_back(f.List1().ListItem(i));
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(f.WWW, c.www);
        EXPECT_EQ(f.List1().ListIndex(), -1);
    }
}

TEST_F(Probe, FullIndexLeavesWwwEmpty) {
    for (int i = 1; i <= 100; ++i)
        WritePrivateProfileStringA("nagi", std::to_string(i).c_str(), ("P" + std::to_string(i)).c_str(),
                                   test::Sjis(folder_.index()).c_str());
    Form1 f;
    f.Load();
    EXPECT_EQ(f.List1().ListCount(), 100);
    EXPECT_TRUE(f.WWW.IsEmpty());
}

TEST_F(Probe, MissingPagePicturesStillOpenTheWindow) {
    ProgramFolder bare(false);
    Form1 f;
    f.Load();
    EXPECT_TRUE(f.BackgroundPicture().empty());
    EXPECT_TRUE(f.Text4(0).Enabled());
    EXPECT_EQ(f.C("Picture2").Visible(), kFamily == "nt40" || kFamily == "win2k");
}


// On the NT 4.0 and 2000 pages the strip is laid over the pictured tabs: what lies under it (the
// tab click area, the strike-through lines, the marker) must not paint over it.
TEST_F(Probe, OverlayStripShowsWhollyOnTheScreen) {
    if (kFamily != "nt40" && kFamily != "win2k") GTEST_SKIP() << "no strip on " << kFamily;
    for (const char* name : {places::kNoDeviceManagerPage, places::kNoHardwareProfilesPage, places::kNoFileSystemButton, places::kNoVirtualMemoryButton})
        test::SetText(Root::CurrentUser, kPolicyKey, name, "1");
    Form1 f;
    f.Show();
    RedrawWindow(f.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::DoEvents();
    const ui::PictureBoxWindow& strip = *f.C("Picture2").pictureBox();
    RECT r = f.C("Picture2").PixelRect();
    ASSERT_EQ(r.right - r.left, strip.SurfaceWidth());
    HDC dc = GetDC(f.hwnd());
    int differing = 0;
    for (int y = 0; y < strip.SurfaceHeight() && y < r.bottom - r.top; ++y)
        for (int x = 0; x < strip.SurfaceWidth(); ++x) {
            COLORREF shown = GetPixel(dc, r.left + x, r.top + y);
            uint32_t own = strip.Bits()[y * strip.SurfaceWidth() + x];
            if (shown != RGB((own >> 16) & 0xFF, (own >> 8) & 0xFF, own & 0xFF)) ++differing;
        }
    ReleaseDC(f.hwnd(), dc);
    EXPECT_EQ(differing, 0);
}
}  // namespace
}  // namespace kaza

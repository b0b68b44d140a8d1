// The access-restriction window, driven through the main window as the user drives it.
#include <algorithm>
#include <ostream>
#include <utility>
#include <string>

#include "app/form1.h"
#include "app/places.h"
#include "platform/registry.h"
#include "support/fixtures.h"
#include "tweaks/form7.h"

namespace kaza {
namespace {

using platform::Root;

using places::kPolicyKey;
// The value each box stands for, box 0 first.
const char* const kValues[4] = {places::kNoDeviceManagerPage, places::kNoHardwareProfilesPage,
                                places::kNoFileSystemButton, places::kNoVirtualMemoryButton};
const char* kHint = "Win9x限定機能です。タブをクリックすることでもダイアログ開きます。";
const char* kDone = "ファイルシステムを「F」,仮想メモリを「K」と表現しています。";

using test::ClickMenu;

// Writes a policy value the way this program does: type 4, the one byte "1".
void SeedOn(const char* value) {
    EXPECT_TRUE(platform::RegWriteRaw(Root::CurrentUser, kPolicyKey, value, REG_DWORD, "1", 1));
}

struct Marks {
    bool line1, line2, line3;
    std::string label4;
    bool operator==(const Marks& o) const {
        return line1 == o.line1 && line2 == o.line2 && line3 == o.line3 && label4 == o.label4;
    }
};
Marks MarksOf(Form1& f) {
    return {f.C("Line1").Visible(), f.C("Line2").Visible(), f.C("Line3").Visible(), f.C("Label4").Caption()};
}
std::ostream& operator<<(std::ostream& os, const Marks& m) {
    return os << m.line1 << m.line2 << m.line3 << " \"" << m.label4 << "\"";
}

class AccessRestriction : public ::testing::Test {
protected:
    void SetUp() override { test::DeleteKeyTree(Root::CurrentUser, kPolicyKey); }
    void TearDown() override {
        platform::SetWriteRefusalForTesting(nullptr);
        test::DeleteKeyTree(Root::CurrentUser, kPolicyKey);
    }
    Form7& Open(Form1& f) {
        ClickMenu(f, "AKUKIN");
        Form7* w = f.ExistingWindow<Form7>();
        EXPECT_TRUE(w && w->Visible());
        return *w;
    }
    test::ProgramFolder folder_;
};

TEST_F(AccessRestriction, EveryTickCombinationStoresExactlyTheTickedValues) {
    test::SetDword(Root::CurrentUser, kPolicyKey, "DisableRegistryTools", 1);
    Form1 f;
    f.Load();
    int previous = 0;
    // Every combination once, each opening after a different one, so that every opening
    // must show what the previous "実行" stored.
    for (int mask : {15, 0, 5, 10, 1, 2, 4, 8, 3, 12, 6, 9, 7, 11, 13, 14, 15}) {
        SCOPED_TRACE("mask " + std::to_string(mask));
        Form7& w = Open(f);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(w.Check1(i).Checked(), (previous >> i & 1) != 0) << "box " << i;
            w.Check1(i).SetChecked((mask >> i & 1) != 0);
        }
        test::Click(w.C("Command1"));
        EXPECT_FALSE(w.Loaded());
        EXPECT_EQ(f.Panel(1), kDone);

        Variant* members[4] = {&f.AAA, &f.BBB, &f.CCC, &f.DDD};
        for (int i = 0; i < 4; ++i) {
            bool on = (mask >> i & 1) != 0;
            platform::RegValue v = platform::RegReadRaw(Root::CurrentUser, kPolicyKey, kValues[i]);
            EXPECT_EQ(v.exists, on) << kValues[i];
            if (on) {
                EXPECT_EQ(v.type, static_cast<unsigned long>(REG_DWORD)) << kValues[i];
                EXPECT_EQ(v.bytes, "1") << kValues[i];
            }
            EXPECT_EQ(*members[i], Variant::Number(on ? 1 : 0)) << kValues[i];
        }
        bool fs = mask & 4, vm = mask & 8;
        Marks expected{(mask & 1) != 0, (mask & 2) != 0, fs || vm, fs && vm ? "FK" : fs ? "F" : vm ? "K" : ""};
        EXPECT_EQ(MarksOf(f), expected);
        // The next start of the program reads the same state back.
        Form1 next;
        next.Load();
        EXPECT_EQ(MarksOf(next), expected);
        // Values other software keeps in the key survive.
        EXPECT_TRUE(platform::RegReadRaw(Root::CurrentUser, kPolicyKey, "DisableRegistryTools").exists);
        previous = mask;
    }
}

TEST_F(AccessRestriction, OpeningShowsTheStateReadAtStartUp) {
    {
        // No values at all: every box unticked. The click area opens the window as the menu does.
        Form1 f;
        f.Load();
        test::ClickArea(f.C("Label5"));
        Form7* w = f.ExistingWindow<Form7>();
        ASSERT_TRUE(w && w->Visible());
        EXPECT_EQ(f.Panel(1), kHint);
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(w->Check1(i).Checked());
        // Modeless: the main window stays usable while it is open.
        EXPECT_TRUE(IsWindowEnabled(f.hwnd()));
    }
    // The text "1" counts as on; a four-byte number 1 does not, as at start-up.
    test::SetText(Root::CurrentUser, kPolicyKey, places::kNoDeviceManagerPage, "1");
    test::SetDword(Root::CurrentUser, kPolicyKey, places::kNoHardwareProfilesPage, 1);
    SeedOn(places::kNoVirtualMemoryButton);
    Form1 f;
    f.Load();
    Form7& w = Open(f);
    EXPECT_TRUE(w.Check1(0).Checked());
    EXPECT_FALSE(w.Check1(1).Checked());
    EXPECT_FALSE(w.Check1(2).Checked());
    EXPECT_TRUE(w.Check1(3).Checked());
}

TEST_F(AccessRestriction, CancelCloseBoxAndReopeningChangeNothing) {
    SeedOn(places::kNoHardwareProfilesPage);
    SeedOn(places::kNoFileSystemButton);
    Form1 f;
    f.Load();
    const Marks before = MarksOf(f);
    ASSERT_EQ(before, (Marks{false, true, true, "F"}));

    auto unchanged = [&] {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(platform::RegReadRaw(Root::CurrentUser, kPolicyKey, kValues[i]).exists, i == 1 || i == 2);
        EXPECT_EQ(f.AAA, Variant::Text(""));
        EXPECT_EQ(f.BBB, Variant::Text("1"));
        EXPECT_EQ(f.CCC, Variant::Text("1"));
        EXPECT_EQ(f.DDD, Variant::Text(""));
        EXPECT_EQ(MarksOf(f), before);
        EXPECT_EQ(f.Panel(1), kHint);
    };

    Form7& w = Open(f);
    for (int i = 0; i < 4; ++i) w.Check1(i).SetChecked(i == 0 || i == 3);
    // Opening again while it is open only brings it to the front: the ticks stay as changed.
    ClickMenu(f, "AKUKIN");
    EXPECT_TRUE(w.Check1(0).Checked());
    EXPECT_FALSE(w.Check1(1).Checked());
    test::Click(w.C("Command2"));
    EXPECT_FALSE(w.Loaded());
    unchanged();

    Open(f);
    EXPECT_FALSE(w.Check1(0).Checked());
    EXPECT_TRUE(w.Check1(1).Checked());
    EXPECT_TRUE(w.Check1(2).Checked());
    w.Check1(1).SetChecked(false);
    SendMessageA(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(w.Loaded());
    unchanged();
}

TEST_F(AccessRestriction, FailedWritesAreReportedAndTheMarksShowWhatIsStored) {
    SeedOn(places::kNoHardwareProfilesPage);
    Form1 f;
    f.Load();
    Form7& w = Open(f);
    // Ticked: device manager, file system, virtual memory; unticked: hardware profiles.
    for (int i = 0; i < 4; ++i) w.Check1(i).SetChecked(i != 1);
    platform::SetWriteRefusalForTesting([](Root, std::string_view, std::string_view value) {
        return value == places::kNoHardwareProfilesPage || value == places::kNoFileSystemButton;
    });
    test::Click(w.C("Command1"));
    platform::SetWriteRefusalForTesting(nullptr);
    EXPECT_FALSE(w.Loaded());

    // Every step was still attempted.
    EXPECT_TRUE(platform::RegReadRaw(Root::CurrentUser, kPolicyKey, places::kNoDeviceManagerPage).exists);
    EXPECT_TRUE(platform::RegReadRaw(Root::CurrentUser, kPolicyKey, places::kNoHardwareProfilesPage).exists);
    EXPECT_FALSE(platform::RegReadRaw(Root::CurrentUser, kPolicyKey, places::kNoFileSystemButton).exists);
    EXPECT_TRUE(platform::RegReadRaw(Root::CurrentUser, kPolicyKey, places::kNoVirtualMemoryButton).exists);
    // Members and marks follow the registry, not the boxes.
    EXPECT_EQ(f.AAA, Variant::Number(1));
    EXPECT_EQ(f.BBB, Variant::Number(1));
    EXPECT_EQ(f.CCC, Variant::Number(0));
    EXPECT_EQ(f.DDD, Variant::Number(1));
    const Marks stored{true, true, true, "K"};
    EXPECT_EQ(MarksOf(f), stored);
    Form1 next;
    next.Load();
    EXPECT_EQ(MarksOf(next), stored);

    EXPECT_EQ(f.Panel(1), "アクセス制限を変更できませんでした（ハードウェアプロフィール、ファイルシステム）。"
                          "赤い印は実際の設定を表しています。");
}

// The marker and the processor labels lie above the click areas that share their place, so
// nothing paints over them; a click on them still reaches the area below.
TEST_F(AccessRestriction, DisplaysOverClickAreasStayVisibleAndLetClicksThrough) {
    SeedOn(places::kNoFileSystemButton);
    Form1 f;
    f.Show();
    for (auto [label, area] : {std::pair{"Label4", "Label5"}, {"Label6", "Label7"}, {"Label2", "Label7"}}) {
        SCOPED_TRACE(label);
        HWND shown = f.C(label).hwnd(), under = f.C(area).hwnd();
        bool above = false;
        for (HWND h = GetWindow(shown, GW_HWNDNEXT); h && !above; h = GetWindow(h, GW_HWNDNEXT)) above = h == under;
        EXPECT_TRUE(above);
        RECT r, a;
        GetWindowRect(shown, &r);
        GetWindowRect(under, &a);
        POINT p{std::max(r.left, a.left) + 1, std::max(r.top, a.top) + 1};
        EXPECT_EQ(WindowFromPoint(p), under);
    }
}

}  // namespace
}  // namespace kaza

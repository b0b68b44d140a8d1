// The processor family name window: modal, so it is driven from inside its own loop.
#include <functional>
#include <string>

#include "app/form1.h"
#include "app/places.h"
#include "platform/registry.h"
#include "support/fixtures.h"
#include "tweaks/form8.h"

namespace kaza {
namespace {

using platform::Root;

const char* kCpuKey = places::kProcessorKey;
const char* kHint = "Win9x限定機能。コンピュータの下をクリックしてもダイアログ開きます。";
const char* kDone = "変更しました。でも再起動後に元に戻ってしまいます。";
const std::string kBrand = "Pentium（r） Ⅱ Processor";
const std::string kFamily = "x86 Family 6 Model Stepping 10";

struct Seen {
    std::string label1, label5, vc;
    bool canChange = false;
};

class CpuFamily : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::SetText(Root::LocalMachine, kCpuKey, places::kIdentifier, "x86 Family 6 Model 8 Stepping 3");
        test::SetText(Root::LocalMachine, kCpuKey, places::kVendorIdentifier, "GenuineIntel");
        MainWindowTest::SetUp();
    }

    // Opens the window from the menu, records what it offers, then lets `act` close it.
    Seen Open(const std::function<void(Form8&)>& act, const char* via = "CPU") {
        Seen seen;
        {
            test::ModalScope modal([&](ui::Form& form) {
                auto& w = dynamic_cast<Form8&>(form);
                EXPECT_EQ(main_.Panel(1), kHint);
                EXPECT_FALSE(IsWindowEnabled(main_.hwnd()));
                seen = {w.C("Label1").Caption(), w.C("Label5").Caption(), w.VC, w.C("Command1").Enabled()};
                act(w);
            });
            if (std::string(via) == "CPU") {
                test::ClickMenu(main_, "CPU");
            } else {
                test::ClickArea(main_.C(via));
            }
        }
        EXPECT_FALSE(main_.ExistingWindow<Form8>()->Loaded());
        EXPECT_TRUE(IsWindowEnabled(main_.hwnd()));
        return seen;
    }
    static void Change(Form8& w) { test::Click(w.C("Command1")); }
    static void Cancel(Form8& w) { test::Click(w.C("Command2")); }
    static void CloseBox(Form8& w) { SendMessageA(w.hwnd(), WM_CLOSE, 0, 0); }

    platform::RegValue Stored() { return platform::RegReadRaw(Root::LocalMachine, kCpuKey, places::kVendorIdentifier); }
};

TEST_F(CpuFamily, EachVendorSwitchesThereAndBack) {
    struct Row {
        const char* vendor;
        const std::string& shown;
        const std::string& after;
        const char* next;
        size_t nextBytes;  // written length, the NUL counted
    };
    const Row rows[] = {
        {"GenuineIntel", kBrand, kFamily, "Genuine Intel", 14}, {"Genuine Intel", kFamily, kBrand, "GenuineIntel", 13},
        {"AuthenticAMD", kBrand, kFamily, "Authentic AMD", 14}, {"Authentic AMD", kFamily, kBrand, "AuthenticAMD", 13},
        {"CyrixInstead", kBrand, kFamily, "Cyrix Instead", 14}, {"Cyrix Instead", kFamily, kBrand, "CyrixInstead", 13},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.vendor);
        main_.STEPPP = Variant::Text(r.vendor);
        // The processor label is read back from the system after the change.
        test::SetText(Root::LocalMachine, kCpuKey, places::kIdentifier, std::string("id after ") + r.vendor);

        Seen first = Open(Change);
        EXPECT_EQ(first.label1, r.shown);
        EXPECT_EQ(first.label5, r.after);
        EXPECT_EQ(first.vc, r.next);
        EXPECT_TRUE(first.canChange);

        platform::RegValue v = Stored();
        EXPECT_EQ(v.type, static_cast<unsigned long>(REG_SZ));
        EXPECT_EQ(v.bytes.size(), r.nextBytes);
        EXPECT_EQ(v.bytes, std::string(r.next) + '\0');
        EXPECT_EQ(main_.STEPPP, Variant::Text(r.next));
        EXPECT_EQ(main_.C("Label6").Caption(), r.next);
        EXPECT_EQ(main_.C("Label2").Caption(), std::string("id after ") + r.vendor);
        EXPECT_EQ(main_.Panel(1), kDone);

        // The next opening offers the way back, with the samples swapped.
        Seen second = Open(Change, "Label7");
        EXPECT_EQ(second.label1, r.after);
        EXPECT_EQ(second.label5, r.shown);
        EXPECT_EQ(second.vc, r.vendor);
        EXPECT_EQ(Stored().bytes, std::string(r.vendor) + '\0');
        EXPECT_EQ(main_.STEPPP, Variant::Text(r.vendor));
        EXPECT_EQ(main_.C("Label6").Caption(), r.vendor);
    }
}

TEST_F(CpuFamily, AnUnknownVendorCannotBeChanged) {
    for (const char* vendor : {"genuineintel", "GenuineIntel ", "", "CentaurHauls"}) {
        SCOPED_TRACE(vendor);
        test::SetText(Root::LocalMachine, kCpuKey, places::kVendorIdentifier, vendor);
        main_.STEPPP = Variant::Text(vendor);
        main_.C("Label6").SetCaption(vendor);
        Seen seen = Open([](Form8& w) {
            Change(w);  // neither the disabled button
            w.C("Command1").SetEnabled(true);
            Change(w);  // nor its handler writes anything
            if (w.Loaded()) Cancel(w);
        });
        EXPECT_EQ(seen.label1, "Label1");
        EXPECT_EQ(seen.label5, "Label5");
        EXPECT_EQ(seen.vc, "");
        EXPECT_FALSE(seen.canChange);
        EXPECT_EQ(Stored().bytes, std::string(vendor) + '\0');
        EXPECT_EQ(main_.STEPPP, Variant::Text(vendor));
        EXPECT_EQ(main_.Panel(1), kHint);
    }
}

TEST_F(CpuFamily, CancelAndCloseBoxChangeNothing) {
    const std::string label2 = main_.C("Label2").Caption();
    test::SetText(Root::LocalMachine, kCpuKey, places::kIdentifier, "changed meanwhile");
    for (auto close : {Cancel, CloseBox}) {
        Seen seen = Open(close);
        EXPECT_EQ(seen.vc, "Genuine Intel");
        platform::RegValue v = Stored();
        EXPECT_EQ(v.bytes, std::string("GenuineIntel") + '\0');
        EXPECT_EQ(main_.STEPPP, Variant::Text("GenuineIntel"));
        EXPECT_EQ(main_.C("Label6").Caption(), "GenuineIntel");
        EXPECT_EQ(main_.C("Label2").Caption(), label2);
        EXPECT_EQ(main_.Panel(1), kHint);
    }
}

TEST_F(CpuFamily, AFailedWriteIsReportedAndTheMainWindowKeepsWhatIsStored) {
    platform::SetWriteRefusalForTesting(
        [](Root, std::string_view, std::string_view value) { return value == places::kVendorIdentifier; });
    Open(Change);
    EXPECT_EQ(Stored().bytes, std::string("GenuineIntel") + '\0');
    EXPECT_EQ(main_.STEPPP, Variant::Text("GenuineIntel"));
    EXPECT_EQ(main_.C("Label6").Caption(), "GenuineIntel");
    EXPECT_EQ(main_.Panel(1), "レジストリに書き込めなかったため、CPUの表示を変更できませんでした。");
    // Nothing changed, so the next opening offers the same change again.
    platform::SetWriteRefusalForTesting(nullptr);
    EXPECT_EQ(Open(Cancel).vc, "Genuine Intel");
}

}  // namespace
}  // namespace kaza

// Apply on the systems that read the maker's details from the OEMInformation key (the program's
// name says which), through the real windows; going back to the first safety copy.
#include "app/form1.h"
#include "app/rows.h"
#include "apply/apply.h"
#include "backup/safety.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/wow64.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza {
namespace {

using platform::Root;
using test::Click;
using test::I32;

const char* kKey = places::kOemInformationKey;
const char* kSuccess = "設定が反映されました。（Windowsの旗をクリックしてみてください。)";

class OemInformation : public test::MainWindowTest {
protected:
    void SetUp() override {
        system_ = test::ScratchFolder("sys" + std::to_string(GetCurrentProcessId()));
        test::WriteBytes(system_ + "\\..\\logo.bmp", test::TwoColourBmp(60, 40));
        for (const char* v : test::kOemValues) test::DeleteValue(Root::LocalMachine, kKey, v);
        test::SetText(Root::LocalMachine, kKey, "HelpCustomized", "app");  // not the program's
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
        main_.Show();
        main_.Text4(0).SetText("風車 工房");
        main_.Text4(1).SetText("KZ-7");
    }
    void TearDown() override {
        main_.Unload();
        test::DeleteValue(Root::LocalMachine, kKey, "HelpCustomized");
        test::RemoveTree(system_);
        test::RemoveTree(backup::SafetyFolder());
    }
    // The value as the system reads it: REG_SZ in the ANSI code page, or "<absent>".
    std::string Value(const char* name) const {
        platform::RegValue v = platform::RegReadRaw(Root::LocalMachine, kKey, name);
        if (!v.exists) return "<absent>";
        if (v.type != REG_SZ || v.bytes.find('\0') + 1 != v.bytes.size()) return "<not one REG_SZ text>";
        return platform::FromAnsi(v.bytes);
    }
    void Import() {
        dialogs_.openAnswers.push_back(system_ + "\\..\\logo.bmp");
        main_.Raise("G", -1, ui::Event::Click);
    }
    void ApplyFullColour() {
        test::ModalScope modal([](ui::Form& f) { Click(f.C("Command1")); });
        Click(main_.C("Command4"));
    }
    std::string SmallLogo() const { return system_ + "\\" + places::kSmallLogoFile; }
    std::string system_;
};

TEST_F(OemInformation, SixValuesAndTheSmallLogoThenGoingBackRemovesThem) {
    ASSERT_TRUE(main_.ReadsOemInformation());
    FillSupportValues(main_, {"0120-000-000", "平日 9:00～17:00", "https://example.jp/support", "風車サポート",
                              "kazaguruma-support:open", "https://example.jp/trade", "https://example.jp/recycle"});
    Import();
    // Fitted, the frame is 210 x 106, shrunk to 120 x 61; centred, 60 x 40 is not enlarged.
    for (auto [width, height] : {std::pair{120, 61}, std::pair{60, 40}}) {
        Click(main_.C(width == 120 ? "Command5" : "Command6"));
        ApplyFullColour();
        EXPECT_EQ(main_.Panel(1), kSuccess);
        const std::string values[] = {"風車 工房", "KZ-7", "0120-000-000", "平日 9:00～17:00",
                                      "https://example.jp/support", SmallLogo(), "風車サポート",
                                      "kazaguruma-support:open", "https://example.jp/trade", "https://example.jp/recycle"};
        for (int i = 0; i < 10; ++i) EXPECT_EQ(Value(test::kOemValues[i]), values[i]) << test::kOemValues[i];
        std::string bmp = test::ReadBytes(SmallLogo());
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(std::vector<uint32_t>({test::U32(bmp, 18), test::U32(bmp, 22), test::U16(bmp, 28), test::U32(bmp, 30)}),
                  std::vector<uint32_t>({uint32_t(width), uint32_t(height), 32, BI_RGB}));
        ASSERT_EQ(bmp.size(), 54u + width * 4u * height);
        EXPECT_EQ(test::TranslucentPixels(bmp), 0);
        // The logo 98 to XP show is still the frame itself.
        EXPECT_EQ(I32(test::ReadBytes(test::AppliedLogoIn(system_)), 18), width == 120 ? 210 : 60);
    }
    EXPECT_EQ(Value("HelpCustomized"), "app");
    // Under WOW64 they are in the 64-bit view the system reads, none in the 32-bit one.
    HKEY k = nullptr;
    if (platform::wow64().Active() &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &k) == ERROR_SUCCESS) {
        EXPECT_EQ(RegQueryValueExA(k, "Model", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
        RegCloseKey(k);
    }

    std::vector<backup::SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(FailedRows(backup::PutBack(copies.back(), system_)), "");
    for (const char* v : test::kOemValues) EXPECT_EQ(Value(v), "<absent>") << v;
    EXPECT_FALSE(platform::FileExists(SmallLogo()));
    EXPECT_EQ(Value("HelpCustomized"), "app");
    // The later copy held the six values and the small logo: going back to it restores them.
    EXPECT_EQ(FailedRows(backup::PutBack(copies.front(), system_)), "");
    EXPECT_EQ(Value("Model"), "KZ-7");
    EXPECT_EQ(I32(test::ReadBytes(SmallLogo()), 18), 120);
}

TEST_F(OemInformation, EmptyDetailsRemoveTheirValuesAndNoLogoLeavesLogoAlone) {
    for (const char* v : {"SupportPhone", "SupportHours", "Logo"})
        test::SetText(Root::LocalMachine, kKey, v, "before");
    FillSupportValues(main_, {"", "", "http://example.jp"});
    ApplyFullColour();
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_EQ(Value("SupportPhone") + Value("SupportHours"), "<absent><absent>");
    EXPECT_EQ(Value("SupportURL"), "http://example.jp");
    EXPECT_EQ(Value("Logo"), "before");
    EXPECT_FALSE(platform::FileExists(SmallLogo()));
}

TEST_F(OemInformation, RefusedDetailsAndMissingRightsAreNamed) {
    test::SetText(Root::LocalMachine, kKey, "SupportURL", "https://old.example.jp");
    FillSupportValues(main_, {"1", "2", "example.jp"});
    ApplyFullColour();
    EXPECT_EQ(main_.Panel(1), "サポート Web サイトは http:// か https:// で始まるアドレスを入力してください。"
                              "（電話番号、サポート時間、サポート Web サイト、サポート提供元、サポート アプリ、下取り Web サイト、リサイクル Web サイトは書き込んでいません。）");
    EXPECT_EQ(Value("SupportURL") + Value("SupportPhone"), "https://old.example.jp<absent>");
    EXPECT_EQ(Value("Model"), "KZ-7");

    // Without administrator rights neither the key nor the small logo (a folder in its place).
    FillSupportValues(main_, {"1", "", ""});
    Import();
    CreateDirectoryA(SmallLogo().c_str(), nullptr);
    platform::SetWriteRefusalForTesting([](Root, std::string_view key, std::string_view) { return key == kKey; });
    ApplyFullColour();
    EXPECT_EQ(main_.Panel(1), "管理者権限がないためメーカー情報（OEMInformation）、Vista以降のロゴ画像を書き込めませんでした。");
    EXPECT_EQ(Value("SupportURL"), "https://old.example.jp");
}

}  // namespace
}  // namespace kaza

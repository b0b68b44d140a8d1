// Apply on the systems that read the maker's details from the OEMInformation key (the program's
// name says which), through the real windows; going back to the first safety copy.
#include <string>

#include "app/form1.h"
#include "app/places.h"
#include "backup/safety.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/wow64.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza {
namespace {

using platform::Root;
using test::Click;
using test::I32;
using test::U16;
using test::U32;

const char* kKey = places::kOemInformationKey;
const char* kSuccess = "設定が反映されました。（Windowsの旗をクリックしてみてください。)";
const char* kSix[] = {places::kOemManufacturer, places::kOemModel,      places::kOemSupportPhone,
                      places::kOemSupportHours, places::kOemSupportUrl, places::kOemLogo};

class OemInformation : public test::MainWindowTest {
protected:
    void SetUp() override {
        system_ = test::ScratchFolder("sys" + std::to_string(GetCurrentProcessId()));
        picture_ = system_ + "\\..\\logo" + std::to_string(GetCurrentProcessId()) + ".bmp";
        test::WriteBytes(picture_, test::TwoColourBmp(60, 40));
        for (const char* v : kSix) test::DeleteValue(Root::LocalMachine, kKey, v);
        test::SetText(Root::LocalMachine, kKey, "SupportAppURL", "app");  // not the program's
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
        main_.Show();
        main_.Text4(0).SetText("風車 工房");
        main_.Text4(1).SetText("KZ-7");
    }
    void TearDown() override {
        main_.Unload();
        test::DeleteValue(Root::LocalMachine, kKey, "SupportAppURL");
        test::RemoveTree(system_);
        test::RemoveTree(backup::SafetyFolder());
        DeleteFileA(picture_.c_str());
    }
    platform::RegValue Value(const char* name) const { return platform::RegReadRaw(Root::LocalMachine, kKey, name); }
    void ExpectText(const char* name, const std::string& text) const {
        platform::RegValue v = Value(name);
        EXPECT_TRUE(v.exists) << name;
        EXPECT_EQ(v.type, static_cast<unsigned long>(REG_SZ)) << name;
        EXPECT_EQ(v.bytes, test::Sjis(text) + '\0') << name;
    }
    void Import() {
        dialogs_.openAnswers.push_back(picture_);
        main_.Raise("G", -1, ui::Event::Click);
    }
    void ApplyFullColour() {
        test::ModalScope modal([](ui::Form& f) { Click(f.C("Command1")); });
        Click(main_.C("Command4"));
    }
    std::string SmallLogo() const { return system_ + "\\" + places::kSmallLogoFile; }

    std::string system_, picture_;
};

TEST_F(OemInformation, SixValuesAndTheSmallLogoThenGoingBackRemovesThem) {
    ASSERT_TRUE(main_.ReadsOemInformation());
    FillSupportValues(main_, {"0120-000-000", "平日 9:00～17:00", "https://example.jp/support"});
    Import();
    // Fitted, the frame is 210 x 106: shrunk to 120 wide; centred, 60 x 40 stays as it is.
    const struct {
        const char* placement;
        int width, height;
    } cases[] = {{"Command5", 120, 61}, {"Command5", 60, 40}};  // the second press turns fit off
    for (const auto& c : cases) {
        Click(main_.C(c.placement));
        if (c.width == 60) Click(main_.C("Command6"));
        ApplyFullColour();
        EXPECT_EQ(main_.Panel(1), kSuccess);
        ExpectText(places::kOemManufacturer, "風車 工房");
        ExpectText(places::kOemModel, "KZ-7");
        ExpectText(places::kOemSupportPhone, "0120-000-000");
        ExpectText(places::kOemSupportHours, "平日 9:00～17:00");
        ExpectText(places::kOemSupportUrl, "https://example.jp/support");
        ExpectText(places::kOemLogo, SmallLogo());
        std::string bmp = test::ReadBytes(SmallLogo());
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(I32(bmp, 18), c.width);
        EXPECT_EQ(I32(bmp, 22), c.height);
        EXPECT_EQ(U16(bmp, 28), 24u);
        EXPECT_EQ(bmp.size(), U32(bmp, 10) + uint32_t((c.width * 3 + 3) & ~3) * c.height);
        // The logo 98 to XP show is still the frame itself.
        EXPECT_EQ(I32(test::ReadBytes(test::AppliedLogoIn(system_)), 18), c.width == 120 ? 210 : 60);
    }
    ExpectText("SupportAppURL", "app");
    // Under WOW64 they are in the 64-bit view the system reads, none in the 32-bit one.
    if (platform::wow64().Active()) {
        HKEY k = nullptr;
        DWORD size = 0;
        LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &k);
        if (rc == ERROR_SUCCESS) {
            rc = RegQueryValueExA(k, places::kOemModel, nullptr, nullptr, nullptr, &size);
            RegCloseKey(k);
        }
        EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
    }

    std::vector<backup::SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies.back().smallLogo, backup::FileState::Absent);
    EXPECT_TRUE(backup::PutBack(copies.back(), system_).empty());
    for (const char* v : kSix) EXPECT_FALSE(Value(v).exists) << v;
    EXPECT_FALSE(platform::FileExists(SmallLogo()));
    ExpectText("SupportAppURL", "app");
    // The later copy held the six values and the small logo: going back to it restores them.
    EXPECT_TRUE(backup::PutBack(copies.front(), system_).empty());
    ExpectText(places::kOemModel, "KZ-7");
    EXPECT_EQ(I32(test::ReadBytes(SmallLogo()), 18), 120);
}

TEST_F(OemInformation, EmptyDetailsRemoveTheirValuesAndNoLogoLeavesLogoAlone) {
    for (const char* v : {places::kOemSupportPhone, places::kOemSupportHours, places::kOemLogo})
        test::SetText(Root::LocalMachine, kKey, v, "before");
    FillSupportValues(main_, {"", "", "http://example.jp"});
    ApplyFullColour();
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_FALSE(Value(places::kOemSupportPhone).exists);
    EXPECT_FALSE(Value(places::kOemSupportHours).exists);
    ExpectText(places::kOemSupportUrl, "http://example.jp");
    ExpectText(places::kOemLogo, "before");
    EXPECT_FALSE(platform::FileExists(SmallLogo()));
}

TEST_F(OemInformation, RefusedDetailsAndMissingRightsAreNamed) {
    test::SetText(Root::LocalMachine, kKey, places::kOemSupportUrl, "https://old.example.jp");
    FillSupportValues(main_, {"1", "2", "example.jp"});
    ApplyFullColour();
    EXPECT_EQ(main_.Panel(1), "サポート Web サイトは http:// か https:// で始まるアドレスを入力してください。"
                              "（電話番号、サポート時間、サポート Web サイトは書き込んでいません。）");
    ExpectText(places::kOemSupportUrl, "https://old.example.jp");
    EXPECT_FALSE(Value(places::kOemSupportPhone).exists);
    ExpectText(places::kOemModel, "KZ-7");

    // Without administrator rights the key cannot be written, the small logo neither.
    FillSupportValues(main_, {"1", "", ""});
    Import();
    CreateDirectoryA(SmallLogo().c_str(), nullptr);
    platform::SetWriteRefusalForTesting([](Root, std::string_view key, std::string_view) { return key == kKey; });
    ApplyFullColour();
    EXPECT_EQ(main_.Panel(1), "管理者権限がないためメーカー情報（OEMInformation）、Vista以降のロゴ画像を書き込めませんでした。");
    ExpectText(places::kOemSupportUrl, "https://old.example.jp");
}

}  // namespace
}  // namespace kaza

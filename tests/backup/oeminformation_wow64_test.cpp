// The 32-bit program on 64-bit Vista to 10 (the program's name says which), with the system's own
// redirection: a preset with the maker's details and a logo, applied in full colour, lands in the
// OEMInformation key of the 64-bit view and in the 64-bit system32, where the System control panel
// and Settings read them; going back to the first safety copy takes them away again.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>
#include <string>

#include "backup/wow64_fixture.h"
#include "presets/store.h"

namespace kaza::test {
namespace {

const char* kKey = places::kOemInformationKey;

// Every value of the key as one registry view holds it.
std::map<std::string, platform::RegValue> Values(REGSAM view) {
    std::map<std::string, platform::RegValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        char name[256] = {}, data[4096] = {};
        DWORD nameSize = sizeof name, size = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
            break;
        values[name] = {true, type, std::string(data, size)};
    }
    RegCloseKey(key);
    return values;
}

// None of the six in one view.
void ExpectNoneOfTheSix(REGSAM view) {
    const std::map<std::string, platform::RegValue> values = Values(view);
    for (const char* v : test::kOemValues) EXPECT_EQ(values.count(v), 0u) << v;
}

class OemInformationWow64 : public Wow64 {
protected:
    void SetUp() override {
        // Neither view holds any of them to begin with (the snapshot gives the 64-bit one back).
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE | view, &key) != ERROR_SUCCESS) continue;
            for (const char* v : test::kOemValues) RegDeleteValueA(key, v);
            RegCloseKey(key);
        }
        WriteBytes(program_.plugins() + "\\wide.bmp", TwoColourBmp(300, 150));
        namespace key = presets::key;
        const std::pair<std::string, std::string> preset[] = {
            {"1", "\"風車 工房\""}, {"2", "\"KZ-7\""}, {key::kPicture, "wide.bmp"}, {key::kFit, "1"},
            {key::kLineCount, "2"}, {key::Line(1), "\"\""}, {"SupportPhone", "\"0120-000-000\""},
            {"SupportHours", "\"平日 9:00～17:00\""}, {"SupportURL", "\"https://example.jp/support\""}};
        for (const auto& [name, value] : preset) presets::WriteValue("七", name, value);
        presets::WriteValue(presets::kIndexSection, "1", "七");
        Wow64::SetUp();
    }
};

TEST_F(OemInformationWow64, APresetAppliedReachesTheSystemAndGoingBackRemovesIt) {
    ASSERT_TRUE(main_.ReadsOemInformation());
    main_.List1().SetListIndex(0);
    main_.Raise("List1", -1, ui::Event::Click);
    Apply("オーナー");
    EXPECT_EQ(main_.Panel(1), "設定が反映されました。（Windowsの旗をクリックしてみてください。)");

    // Exactly the six, as the system's code page holds them, in the view the system reads.
    const std::string logo = main_.Labe.AsText() + "\\" + places::kSmallLogoFile;
    const std::map<std::string, std::string> want = {
        {"Manufacturer", "風車 工房"},   {"Model", "KZ-7"},
        {"SupportPhone", "0120-000-000"}, {"SupportHours", "平日 9:00～17:00"},
        {"SupportURL", "https://example.jp/support"}, {"Logo", logo}};
    std::map<std::string, platform::RegValue> view64 = Values(KEY_WOW64_64KEY);
    EXPECT_EQ(view64.size(), want.size());
    for (const auto& [name, text] : want) {
        EXPECT_EQ(view64[name].type, static_cast<unsigned long>(REG_SZ)) << name;
        EXPECT_EQ(view64[name].bytes, Sjis(text) + '\0') << name;
    }
    ExpectNoneOfTheSix(KEY_WOW64_32KEY);

    // The small logo: an opaque 32-bit BMP of at most 120 x 120 in the real system32, the frame's shape
    // (the full-colour OEMLOGO.BMP is the frame itself) to within the rounding of one pixel.
    ASSERT_TRUE(platform::FileExists(Host("system32", places::kSmallLogoFile)));
    const std::string small = ReadBytes(Host("system32", places::kSmallLogoFile));
    const std::string frame = ReadBytes(Host("system32", places::kLogoFile));
    ASSERT_GE(small.size(), 54u);
    ASSERT_GE(frame.size(), 54u);
    const int w = I32(small, 18), h = I32(small, 22), fw = I32(frame, 18), fh = I32(frame, 22);
    EXPECT_EQ(U16(small, 28), 32u);
    EXPECT_EQ(TranslucentPixels(small), 0);
    EXPECT_EQ(std::max(w, h), std::min(120, std::max(fw, fh))) << w << " x " << h;
    EXPECT_LE(std::abs(w * fh - h * fw), std::max(fw, fh)) << w << " x " << h << " from " << fw << " x " << fh;
    EXPECT_EQ(small.size(), U32(small, 10) + uint32_t(w * 4 * h));

    // The first copy held their absence: going back deletes the values and the small logo, and
    // puts the maker's logo back.
    GoBackToTheFirstCopy();
    EXPECT_NE(main_.Panel(1).find("に戻しました。"), std::string::npos) << main_.Panel(1);
    ExpectNoneOfTheSix(KEY_WOW64_64KEY);
    EXPECT_EQ(Real(places::kSmallLogoFile), "<absent>");
    EXPECT_EQ(Real(places::kLogoFile), kMakerLogo);
}

}  // namespace
}  // namespace kaza::test

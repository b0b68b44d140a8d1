#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/registry.h"
#include "platform/profile.h"
#include "support/kaza_test.h"

namespace kaza::platform {
namespace {

TEST(Text, RoundTripsThroughCodePage932) {
    ASSERT_EQ(GetACP(), 932u) << "tests need the Japanese code page (LC_ALL=ja_JP.UTF-8)";
    const std::string s = "カザグルマ　ﾊﾞｰｼﾞｮﾝ ①Ⅱ（ｗ";
    EXPECT_EQ(ToAnsi("ア"), std::string("\x83\x41", 2));
    EXPECT_EQ(FromAnsi(ToAnsi(s)), s);
    EXPECT_EQ(FromAnsi(std::string("ab\0cd", 5)), "ab");
}

TEST(Text, CutNeverSplitsADoubleByteCharacter) {
    std::string a = ToAnsi("aア");  // 'a' then a lead and a trail byte
    EXPECT_EQ(AnsiCutWithoutSplit(a.data(), 2), 1u);
    EXPECT_EQ(AnsiCutWithoutSplit(a.data(), 3), 3u);
    EXPECT_EQ(AnsiCutWithoutSplit(a.data(), 0), 0u);
}

TEST(Registry, StringsCountTheirNulAndReadsCutAtIt) {
    const char* key = "Software\\KazaTest";
    test::DeleteKeyTree(Root::CurrentUser, key);
    ASSERT_TRUE(RegWriteString(Root::CurrentUser, key, "Name", "風車"));
    RegValue v = RegReadRaw(Root::CurrentUser, key, "Name");
    EXPECT_EQ(v.type, static_cast<unsigned long>(REG_SZ));
    EXPECT_EQ(v.bytes, ToAnsi("風車") + std::string(1, '\0'));
    EXPECT_EQ(RegReadText(Root::CurrentUser, key, "Name"), "風車");

    ASSERT_TRUE(RegWriteString(Root::CurrentUser, key, "Empty", ""));
    EXPECT_EQ(RegReadRaw(Root::CurrentUser, key, "Empty").bytes, std::string(1, '\0'));

    ASSERT_TRUE(RegWriteRaw(Root::CurrentUser, key, "One", REG_DWORD, "1", 1));
    v = RegReadRaw(Root::CurrentUser, key, "One");
    EXPECT_EQ(v.type, static_cast<unsigned long>(REG_DWORD));
    EXPECT_EQ(v.bytes, "1");
    EXPECT_EQ(RegReadText(Root::CurrentUser, key, "One"), "1");

    // Too long for the 1024-byte buffer: the read fails and gives the empty text.
    ASSERT_TRUE(RegWriteString(Root::CurrentUser, key, "Long", std::string(1500, 'x')));
    EXPECT_EQ(RegReadText(Root::CurrentUser, key, "Long"), "");

    EXPECT_TRUE(RegDeleteValueIn(Root::CurrentUser, key, "One"));
    EXPECT_TRUE(RegDeleteValueIn(Root::CurrentUser, key, "One"));
    EXPECT_FALSE(RegReadRaw(Root::CurrentUser, key, "One").exists);
    EXPECT_EQ(RegReadText(Root::CurrentUser, "Software\\KazaTest\\Missing", "x"), "");
    test::DeleteKeyTree(Root::CurrentUser, key);
}

TEST(Profile, StoresShiftJisAndKeepsQuotedBlanks) {
    std::string dir = test::ScratchFolder("profile");
    std::string file = dir + "\\t.ini";
    ASSERT_TRUE(ProfileWrite(file, "風車", "1", "\"  空白 \""));
    ASSERT_TRUE(ProfileWrite(file, "風車", "2", "  plain  "));
    EXPECT_EQ(ProfileRead(file, "風車", "1").text, "  空白 ");
    EXPECT_EQ(ProfileRead(file, "風車", "2").text, "plain");
    EXPECT_NE(test::ReadBytes(file).find(ToAnsi("[風車]")), std::string::npos);
    ProfileText missing = ProfileRead(file, "風車", "9");
    EXPECT_EQ(missing.text, "");
    EXPECT_EQ(missing.count, 0u);
    ASSERT_TRUE(ProfileDeleteKey(file, "風車", "2"));
    EXPECT_EQ(ProfileRead(file, "風車", "2").count, 0u);
    ASSERT_TRUE(ProfileDeleteSection(file, "風車"));
    EXPECT_EQ(ProfileRead(file, "風車", "1").count, 0u);
    test::RemoveTree(dir);
}

}  // namespace
}  // namespace kaza::platform

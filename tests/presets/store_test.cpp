#include "presets/store.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/profile.h"
#include "support/kaza_test.h"

namespace kaza::presets {
namespace {

class Store : public ::testing::Test {
protected:
    void Index(std::vector<std::string> names) {
        for (size_t i = 0; i < names.size(); ++i) WriteValue(kIndexSection, std::to_string(i + 1), names[i]);
    }
    std::string Key(const std::string& n) { return ReadValue(kIndexSection, n); }
    test::ProgramFolder folder_;
};

TEST_F(Store, ValuesAreShiftJisOnDiskAndSectionsIgnoreCase) {
    ASSERT_TRUE(WriteValue("ＮＥＣ風", "1", "\"  日本電気  \""));
    ASSERT_TRUE(WriteValue("Abc", "2", "x"));
    EXPECT_EQ(ReadValue("ＮＥＣ風", "1"), "  日本電気  ");
    EXPECT_EQ(ReadValue("aBC", "2"), "x");
    std::string bytes = test::ReadBytes(folder_.index());
    EXPECT_NE(bytes.find(test::Sjis("[ＮＥＣ風]\r\n1=\"  日本電気  \"")), std::string::npos);
    EXPECT_EQ(ReadValue("none", "1"), "");
}

TEST_F(Store, RemovePresetRenumbersTheIndex) {
    struct Case {
        int p;
        std::vector<std::string> after;
    };
    for (const Case& c : {Case{1, {"B", "C"}}, Case{2, {"A", "C"}}, Case{3, {"A", "B"}}}) {
        test::RemoveTree(folder_.index());
        Index({"A", "B", "C"});
        const char* names[] = {"A", "B", "C"};
        for (const char* n : names) WriteValue(n, "1", "\"m\"");
        ASSERT_TRUE(RemovePreset(c.p, names[c.p - 1]));
        EXPECT_EQ(ReadIndex().names, c.after);
        EXPECT_EQ(platform::ProfileRead(folder_.index(), kIndexSection, "3").count, 0u);
        EXPECT_EQ(ReadValue(names[c.p - 1], "1"), "");
        for (const std::string& n : c.after) EXPECT_EQ(ReadValue(n, "1"), "m");
    }
}

TEST_F(Store, RemoveLeavesEntriesBehindAGapAlone) {
    WriteValue(kIndexSection, "1", "A");
    WriteValue(kIndexSection, "2", "B");
    WriteValue(kIndexSection, "4", "D");
    ASSERT_TRUE(RemovePreset(2, "B"));
    EXPECT_EQ(ReadIndex().names, std::vector<std::string>{"A"});
    EXPECT_EQ(Key("4"), "D");
    EXPECT_EQ(Key("3"), "");
}

TEST_F(Store, RemoveFromAnIndexLongerThanTheListLosesNoEntry) {
    // Written by hand: 101 entries, one more than the list shows.
    std::vector<std::string> names;
    for (int i = 1; i <= 101; ++i) names.push_back("p" + std::to_string(i));
    Index(names);
    ASSERT_TRUE(RemovePreset(1, "p1"));
    EXPECT_EQ(Key("1"), "p2");
    EXPECT_EQ(Key("100"), "p101");
    EXPECT_EQ(Key("101"), "");
}

// A name whose last character ends in the byte of a backslash in Shift-JIS is stored whole.
TEST_F(Store, StorePictureKeepsNamesEndingInTheByteOfABackslash) {
    std::string outside = test::ScratchFolder("pics-5c");
    for (const char* name : {"能力表.bmp", "一覧表.bmp", "マークソ.bmp", "第十.bmp"}) {
        SCOPED_TRACE(name);
        test::WriteBytes(outside + "\\" + name, name);
        EXPECT_EQ(StorePicture(outside + "\\" + name), StoreResult::Copied);
        EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\" + name), name);
    }
    test::RemoveTree(outside);
}

TEST_F(Store, StorePictureCopiesOnlyWhatIsNotThereAlready) {
    std::string outside = test::ScratchFolder("pics");
    test::WriteBytes(outside + "\\Logo.BMP", "new bytes");
    test::WriteBytes(folder_.plugins() + "\\Logo.BMP", "old");
    EXPECT_EQ(PictureFileName(outside + "\\logo.bmp"), "Logo.BMP");
    EXPECT_EQ(StorePicture(outside + "\\Logo.BMP"), StoreResult::Copied);
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\Logo.BMP"), "new bytes");

    // Already the stored file, also under another spelling of the same path: never copied onto itself.
    EXPECT_EQ(StorePicture(folder_.plugins() + "\\Logo.BMP"), StoreResult::AlreadyThere);
    EXPECT_EQ(StorePicture(folder_.path() + "\\plugins\\logo.bmp"), StoreResult::AlreadyThere);
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\Logo.BMP"), "new bytes");

    // The program's own page pictures are never replaced.
    std::string page = test::ReadBytes(folder_.plugins() + "\\" + presets::kPageXp);
    test::WriteBytes(outside + "\\xp.JPG", "not the page");
    EXPECT_EQ(StorePicture(outside + "\\xp.JPG"), StoreResult::Refused);
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\" + presets::kPageXp), page);

    EXPECT_EQ(StorePicture(""), StoreResult::NoPicture);
    EXPECT_EQ(StorePicture(outside + "\\missing.gif"), StoreResult::NoPicture);
    EXPECT_EQ(PictureFileName(""), "");
    EXPECT_EQ(PictureFileName(folder_.plugins() + "\\*.BMP"), "");
    EXPECT_EQ(StorePicture(folder_.plugins() + "\\Logo.BM?"), StoreResult::NoPicture);
    test::RemoveTree(outside);
}

}  // namespace
}  // namespace kaza::presets

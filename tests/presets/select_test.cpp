// Selecting a preset in the main list: texts, flags, support lines and the logo placement.
#include "presets/commands.h"
#include "presets/preset_fixture.h"

namespace kaza {
namespace {

using test::Preset;
using namespace std::string_literals;

const char* kFitOn = "画像　　　　　　動";
const char* kFitOff = "画像　　　　　　止";
const char* kCentreOn = "中央　　　　　　動";
const char* kCentreOff = "中央　　　　　　止";

class Selecting : public test::PresetTest {
protected:
    void SetUp() override {
        Picture(folder_.plugins(), "wide.bmp", 100, 50);
        Picture(folder_.plugins(), "small.bmp", 20, 10);
        Picture(folder_.plugins(), "big.bmp", 300, 200);
        Seed("中央", {"  日本電気  ", "PC-9821", "wide.bmp", "", "2", "5", {"一行目", "  二行目", ""}});
        Seed("fit", {"Fit Co.", "F-1", "small.bmp", "1", "", "2", {""}});
        Seed("plain", {"Plain", "P", "big.bmp", "0", "3", "2", {}});
        Seed("both", {"Both", "B", "wide.bmp", "1", "2", "2", {}});
        Seed("gone", {"Gone", "G", "missing.bmp", "", "", "3", {"x"}});
        Index({"中央", "fit", "plain", "both", "gone"});
        Start();
    }
    void ExpectCentred(const char* name) {
        SCOPED_TRACE(name);
        Rect r = Frame();
        EXPECT_FLOAT_EQ(r.left, 1815 - r.width / 2);
        EXPECT_FLOAT_EQ(r.top, 4275 - r.height / 2);
    }
};

TEST_F(Selecting, CentrePresetFillsTheWindowAndCentresTheFrame) {
    Select("中央");
    EXPECT_EQ(main().Text4(0).Text(), "  日本電気  ");
    EXPECT_EQ(main().Text4(1).Text(), "PC-9821");
    EXPECT_EQ(F("Text2").Text(), "");
    EXPECT_EQ(F("Text3").Text(), "2");
    EXPECT_EQ(main().TRF, Variant::Text(folder_.plugins() + "\\wide.bmp"));
    EXPECT_EQ(main().Panel(1), "カザグルマVer6.2");
    EXPECT_EQ(main().Panel(2), kFitOff);
    EXPECT_EQ(main().Panel(3), kCentreOn);
    // Lines 1 to 3 of "555" = 5, each with its line break; the editor stays hidden.
    EXPECT_EQ(Editor().Text1().Text(), "一行目\r\n  二行目\r\n\r\n");
    EXPECT_EQ(Editor().Label1().Caption(), "総行数5");
    EXPECT_FALSE(Editor().Visible());
    EXPECT_TRUE(main().Picture1().Visible());
    EXPECT_EQ(main().Picture1().pictureBox()->Picture().width(), 100);
    ExpectCentred("with the start-up border");

    // Fit removes the border for good: the frame is then exactly the picture's 1500 × 750 twips.
    Select("fit");
    Select("中央");
    Rect r = Frame();
    EXPECT_EQ(r.width, 1500);
    EXPECT_EQ(r.height, 750);
    EXPECT_EQ(r.left, 1065);
    EXPECT_EQ(r.top, 3900);
}

TEST_F(Selecting, FitPresetStretchesThePictureOntoTheDesignFrame) {
    Select("中央");
    Select("fit");
    auto* box = main().Picture1().pictureBox();
    Rect r = Frame();
    EXPECT_EQ(r.left, 240);
    EXPECT_EQ(r.top, 3480);
    EXPECT_EQ(r.width, 3150);
    EXPECT_EQ(r.height, 1590);
    EXPECT_FALSE(box->Border());
    ASSERT_EQ(box->SurfaceWidth(), 210);
    ASSERT_EQ(box->SurfaceHeight(), 106);
    // The 20 × 10 picture covers the whole frame, split in the middle.
    EXPECT_EQ(Pixel(2, 2), test::kRed);
    EXPECT_EQ(Pixel(90, 103), test::kRed);
    EXPECT_EQ(Pixel(120, 2), test::kBlue);
    EXPECT_EQ(Pixel(207, 103), test::kBlue);
    EXPECT_EQ(main().Panel(2), kFitOn);
    EXPECT_EQ(main().Panel(3), kCentreOff);
    EXPECT_EQ(F("Text2").Text(), "1");
    EXPECT_EQ(F("Text3").Text(), "");
    EXPECT_EQ(Editor().Text1().Text(), "");
    EXPECT_EQ(Editor().Label1().Caption(), "総行数2");
}

TEST_F(Selecting, FlagsOffGiveTheDesignFrameAndOtherFlagValuesCountAsOff) {
    Select("中央");
    Select("plain");
    Rect r = Frame();
    EXPECT_EQ(r.left, 240);
    EXPECT_EQ(r.top, 3480);
    EXPECT_EQ(r.width, 3150);
    EXPECT_EQ(r.height, 1590);
    EXPECT_EQ(F("Text2").Text(), "0");  // the stored fit flag as it is
    EXPECT_EQ(F("Text3").Text(), "");
    EXPECT_EQ(main().Panel(2), kFitOff);
    EXPECT_EQ(main().Panel(3), kCentreOff);
    // Clipped at the frame: the picture shows at its own size from the top-left.
    EXPECT_EQ(main().Picture1().pictureBox()->Picture().width(), 300);
    EXPECT_EQ(Pixel(20, 20), test::kRed);
}

TEST_F(Selecting, BothFlagsCentreThenStretch) {
    Select("fit");  // no border from here on
    Select("both");
    EXPECT_EQ(main().Panel(2), kFitOn);
    EXPECT_EQ(main().Panel(3), kCentreOn);
    EXPECT_EQ(F("Text2").Text(), "1");
    EXPECT_EQ(F("Text3").Text(), "2");
    Rect r = Frame();
    EXPECT_EQ(r.left, 1065);
    EXPECT_EQ(r.top, 3900);
    EXPECT_EQ(r.width, 1500);
    EXPECT_EQ(r.height, 750);
    EXPECT_EQ(Pixel(10, 45), test::kRed);
    EXPECT_EQ(Pixel(90, 5), test::kBlue);
}

TEST_F(Selecting, MissingPictureLeavesTheFrameEmptyButNamesTheFile) {
    Select("中央");
    Select("gone");
    EXPECT_TRUE(main().Picture1().pictureBox()->Picture().empty());
    EXPECT_TRUE(main().Picture1().Visible());
    EXPECT_EQ(main().TRF, Variant::Text(folder_.plugins() + "\\missing.bmp"));
    EXPECT_EQ(main().Text4(0).Text(), "Gone");
    EXPECT_EQ(Editor().Text1().Text(), "x\r\n");
}

TEST_F(Selecting, StoredCountDecidesTheLinesRead) {
    struct Case {
        const char* count;
        const char* text;
    };
    // A count that is not a number reads no line at all.
    for (const Case& c : {Case{"5", "a\r\nb\r\nc\r\n"}, Case{"3", "a\r\n"}, Case{"2", ""}, Case{"0", ""},
                          Case{"-4", ""}, Case{"x", ""}, Case{"", ""}, Case{"99999999", ""}}) {
        SCOPED_TRACE(c.count);
        presets::WriteValue("中央", "555", c.count);
        for (int k = 4; k <= 8; ++k) presets::WriteValue("中央", std::to_string(k), "abcde"s.substr(k - 4, 1));
        Editor().Text1().SetText("old");
        Select("中央");
        EXPECT_EQ(Editor().Text1().Text(), c.text);
        EXPECT_EQ(Editor().Label1().Caption(), "総行数"s + c.count);
    }
    EXPECT_EQ(presets::StoredLineCount("12"), 12);
    EXPECT_EQ(presets::StoredLineCount("1 2"), -1);
}

}  // namespace
}  // namespace kaza

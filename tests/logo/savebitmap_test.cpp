// The 256-colour bitmap writer, the full-colour save, and the surface they read.
#include <climits>
#include <string>

#include "app/fonts.h"
#include "app/form1.h"
#include "logo/logo.h"
#include "logo/logo_test_util.h"
#include "logo/savebitmap.h"
#include "platform/bmpfile.h"
#include "platform/files.h"
#include "platform/replace.h"
#include "platform/ui/form.h"
#include "platform/ui/picturebox.h"
#include "support/fixtures.h"

namespace kaza {
namespace {

using ui::PictureBoxWindow;
using ui::ScaleMode;

const ui::ControlDecl kControls[] = {
    ui::PictureBox("Picture1", 0, 0, 300 * 15, 200 * 15).NoBorder(),
};
const ui::FormDecl kSurfaceForm{"surface", kWindowFont, 6000, 4500, kControls, ui::Count(kControls)};

using test::U16;
using test::U32;

// Palette entry i as 0x00RRGGBB.
uint32_t PaletteRgb(const std::string& b, int i) {
    size_t at = 54 + size_t(i) * 4;
    EXPECT_EQ(b[at + 3], 0);
    return uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 1])) << 8 | uint8_t(b[at]);
}

class Writer : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = test::ScratchFolder("savebitmap");
        form_.Load();
        surface().SetScale(ScaleMode::Pixels);  // as the writer's callers do
        // Every pixel differs from its neighbours in red, green and blue.
        uint32_t* bits = surface().Bits();
        for (int y = 0; y < surface().SurfaceHeight(); ++y)
            for (int x = 0; x < surface().SurfaceWidth(); ++x)
                bits[y * surface().SurfaceWidth() + x] = uint32_t(x * 7 % 256) << 16 | uint32_t(y * 5 % 256) << 8 |
                                                         uint32_t((x + 3 * y) % 256);
    }
    PictureBoxWindow& surface() { return *form_.C("Picture1").pictureBox(); }
    std::string Path(const std::string& name) { return dir_ + "\\" + name; }
    std::string Write(const std::string& name, int32_t sx, int32_t sy, int32_t w, int32_t h) {
        CSaveBitmap().SaveBitmap256(surface(), Path(name), sx, sy, w, h);
        return test::ReadBytes(Path(name));
    }
    void SetPixel(int x, int y, uint32_t bgr) {
        surface().Bits()[y * surface().SurfaceWidth() + x] =
            (bgr & 0xFF) << 16 | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    }
    // The file's pixel rows against Point sampled one pixel at a time, bottom row first.
    void ExpectRowsMatchPoint(const std::string& file, int32_t sx, int32_t sy, int32_t w, int32_t h) {
        const uint32_t rowBytes = (uint32_t(w) + 3) & ~3u;
        ASSERT_EQ(file.size(), 1078 + size_t(rowBytes) * h);
        for (int32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < rowBytes; ++x) {
                uint8_t want = x < uint32_t(w) ? logo::PaletteIndex(surface().Point(sx + int32_t(x), sy + h - 1 - y)) : 0;
                ASSERT_EQ(uint8_t(file[1078 + y * rowBytes + x]), want) << "row " << y << " byte " << x;
            }
    }

    test::ScriptedDialogs dialogs_;
    ui::Form form_{kSurfaceForm};
    std::string dir_;
};

TEST_F(Writer, LogoSizedFileHasTheFixedHeadersPaletteAndPaddedBottomUpRows) {
    std::string b = Write("logo.bmp", 0, 0, 210, 106);
    ASSERT_EQ(b.size(), 23550u);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(U32(b, 2), 23550u);
    EXPECT_EQ(U32(b, 6), 0u);
    EXPECT_EQ(U32(b, 10), 1078u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), 210u);
    EXPECT_EQ(U32(b, 22), 106u);
    EXPECT_EQ(U16(b, 26), 1u);
    EXPECT_EQ(U16(b, 28), 8u);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), 22472u);
    for (size_t at : {38, 42, 46, 50}) EXPECT_EQ(U32(b, at), 0u);
    // The palette: red in bits 7-5, green in 4-2, blue in 1-0 of the index.
    EXPECT_EQ(PaletteRgb(b, 0), 0x000000u);
    EXPECT_EQ(PaletteRgb(b, 3), 0x0000FFu);
    EXPECT_EQ(PaletteRgb(b, 28), 0x00FF00u);
    EXPECT_EQ(PaletteRgb(b, 224), 0xFF0000u);
    EXPECT_EQ(PaletteRgb(b, 255), 0xFFFFFFu);
    EXPECT_EQ(PaletteRgb(b, 204), 0xC06000u);
    EXPECT_EQ(PaletteRgb(b, 182), 0xA0A080u);
    EXPECT_EQ(PaletteRgb(b, 219), 0xC0C0FFu);
    EXPECT_EQ(PaletteRgb(b, 1 * 32 + 2 * 4 + 1), 0x204040u);
    for (int y = 0; y < 106; ++y) {
        EXPECT_EQ(b[1078 + y * 212 + 210], 0);
        EXPECT_EQ(b[1078 + y * 212 + 211], 0);
    }
    ExpectRowsMatchPoint(b, 0, 0, 210, 106);
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(Writer, RowSizesRoundUpToFourBytes) {
    struct Case {
        int32_t w, h;
        uint32_t size;
    };
    for (Case c : {Case{206, 102, 22294}, Case{4, 3, 1078 + 12}, Case{5, 3, 1078 + 24}, Case{1, 1, 1082}}) {
        std::string b = Write("size.bmp", 7, 9, c.w, c.h);
        EXPECT_EQ(b.size(), c.size) << c.w;
        EXPECT_EQ(U32(b, 2), c.size) << c.w;
        EXPECT_EQ(U32(b, 34), c.size - 1078) << c.w;
        ExpectRowsMatchPoint(b, 7, 9, c.w, c.h);
    }
}

TEST_F(Writer, ColoursAreCutToTheirTopBits) {
    const uint32_t colours[] = {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x3264C8 /* (200,100,50) */,
                                0xBFBFBF, 0xC0C0C0, 0x000000};
    const uint8_t indices[] = {255, 224, 28, 3, 204, 182, 219, 0};
    for (int i = 0; i < 8; ++i) SetPixel(10 + i, 20, colours[i]);
    std::string b = Write("colours.bmp", 10, 20, 8, 1);
    ASSERT_EQ(b.size(), 1078u + 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(uint8_t(b[1078 + i]), indices[i]) << i;
}

TEST(WriterOnAPlainSurface, RowsRunBottomUpPaddedToFourBytesInEitherUnit) {
    const uint32_t bits[6] = {0xE040C0, 0x000000, 0xFFFFFF,   // top row: indices 235, 0, 255
                              0x200000, 0x002000, 0x000040};  // bottom row: 32, 4, 1
    const std::string dir = test::ScratchFolder("plainsurface");
    ASSERT_TRUE(logo::WriteBitmap256({bits, 3, 2, 1}, nullptr, dir + "\\px.bmp", 0, 0, 3, 2));
    std::string b = test::ReadBytes(dir + "\\px.bmp");
    ASSERT_EQ(b.size(), 1078u + 2 * 4);
    EXPECT_EQ(b.substr(1078), std::string("\x20\x04\x01\x00\xEB\x00\xFF\x00", 8));

    // In twips each step is one twip: 45 steps from twip 0 of row twip 16 take each pixel of
    // the bottom row fifteen times.
    ASSERT_TRUE(logo::WriteBitmap256({bits, 3, 2, 15}, nullptr, dir + "\\tw.bmp", 0, 16, 45, 1));
    b = test::ReadBytes(dir + "\\tw.bmp");
    ASSERT_EQ(b.size(), 1078u + 48);
    EXPECT_EQ(b.substr(1078), std::string(15, '\x20') + std::string(15, '\x04') + std::string(15, '\x01') +
                                  std::string(3, '\0'));
    test::RemoveTree(dir);
}

TEST_F(Writer, SamplesExactlyAsPointDoesInEitherUnitAndOutsideTheSurface) {
    // Twips: each step is one twip, so fifteen samples share a pixel.
    surface().SetScale(ScaleMode::Twips);
    ExpectRowsMatchPoint(Write("twips.bmp", 100, 200, 61, 33), 100, 200, 61, 33);
    surface().SetScale(ScaleMode::Pixels);
    // Partly outside: Point reads -1 there.
    ExpectRowsMatchPoint(Write("outside.bmp", -3, 195, 9, 8), -3, 195, 9, 8);
    ExpectRowsMatchPoint(Write("right.bmp", 296, -2, 9, 4), 296, -2, 9, 4);
}

TEST_F(Writer, ReplacesALargerFileWhole) {
    test::WriteBytes(Path("old.bmp"), std::string(100000, 'x'));
    std::string b = Write("old.bmp", 0, 0, 1, 1);
    EXPECT_EQ(b.size(), 1082u);
    EXPECT_EQ(U32(b, 2), 1082u);
    EXPECT_EQ(b.substr(1079), std::string(3, '\0'));
}

TEST_F(Writer, FailuresShowTheErrorBoxAndReturn) {
    std::string missing = dir_ + "\\no such folder\\logo.bmp";
    CSaveBitmap().SaveBitmap256(surface(), missing, 0, 0, 210, 106);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].title, "ビットマップ書き込みエラー");
    EXPECT_EQ(dialogs_.messages[0].style, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(dialogs_.messages[0].text, platform::LastErrorText(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(platform::FileExists(missing));

    // Sizes beyond 32 bits are refused before the target is touched.
    test::WriteBytes(Path("keep.bmp"), "keep");
    auto write = [&](int32_t sx, int32_t w, int32_t h) {
        return logo::WriteBitmap256(surface().Surface(), nullptr, Path("keep.bmp"), sx, 0, w, h);
    };
    EXPECT_EQ(write(0, INT32_MAX, 2).error(), unsigned(ERROR_ARITHMETIC_OVERFLOW));
    EXPECT_FALSE(write(0, 70000, 70000));
    EXPECT_FALSE(write(INT32_MAX, 2, 1));
    EXPECT_FALSE(write(0, 0, 5));
    EXPECT_EQ(test::ReadBytes(Path("keep.bmp")), "keep");
    ASSERT_EQ(dialogs_.messages.size(), 5u);
    EXPECT_EQ(dialogs_.messages[1].title, "ビットマップ書き込みエラー");
    EXPECT_EQ(dialogs_.messages[1].text, platform::LastErrorText(ERROR_ARITHMETIC_OVERFLOW));

    // An error the system has no words for is shown by its number.
    platform::SetRenameForTesting(
        [](const std::string&, const std::string&, bool) { return platform::Outcome::Failed(0x20000001ul); });
    Write("nameless.bmp", 0, 0, 2, 2);
    platform::SetRenameForTesting(nullptr);
    ASSERT_EQ(dialogs_.messages.size(), 6u);
    EXPECT_EQ(dialogs_.messages[5].text, "エラー 536870913");
}

TEST_F(Writer, SurfacePointGeometryAndFullColourSave) {
    PictureBoxWindow& pb = surface();
    pb.SetScale(ScaleMode::Twips);
    SetPixel(4, 6, 0x3264C8);
    EXPECT_EQ(pb.Point(4 * 15, 6 * 15), 0x3264C8);
    EXPECT_EQ(pb.Point(4 * 15 + 14, 6 * 15 + 14), 0x3264C8);
    EXPECT_EQ(pb.Point(-1, 0), -1);
    EXPECT_EQ(pb.Point(300 * 15, 0), -1);
    EXPECT_FLOAT_EQ(pb.ScaleWidth(), 4500);
    pb.SetScale(ScaleMode::Pixels);
    EXPECT_EQ(pb.Point(4, 6), 0x3264C8);
    EXPECT_FLOAT_EQ(pb.ScaleWidth(), 300);

    std::string path = Path("full.bmp");
    ASSERT_TRUE(platform::WriteBmp24(pb.Surface(), path));
    std::string b = test::ReadBytes(path);
    ASSERT_EQ(b.size(), 54u + 900u * 200u);
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 18), 300u);
    EXPECT_EQ(U32(b, 22), 200u);
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);
    size_t at = 54 + size_t(200 - 1 - 6) * 900 + 4 * 3;
    EXPECT_EQ(b.substr(at, 3), std::string("\x32\x64\xC8", 3));
    EXPECT_EQ(platform::WriteBmp24(pb.Surface(), dir_ + "\\none\\x.bmp").error(), unsigned(ERROR_PATH_NOT_FOUND));

    // Geometry in single-precision twips, fractions and negatives kept.
    form_.C("Picture1").Move(-435.5, 3525.25, 4500, 1500);
    EXPECT_FLOAT_EQ(pb.Left(), -435.5f);
    EXPECT_FLOAT_EQ(pb.Top(), 3525.25f);
    EXPECT_EQ(form_.C("Picture1").PixelRect().left, -29);
    EXPECT_EQ(pb.SurfaceWidth(), 300);
    EXPECT_EQ(pb.SurfaceHeight(), 100);
    // Drawing survives a resize where the old and the new surface overlap.
    EXPECT_EQ(pb.Point(4, 6), 0x3264C8);
    MoveWindow(pb.hwnd(), 10, 20, 50, 40, FALSE);
    EXPECT_FLOAT_EQ(pb.Left(), 150);
    EXPECT_FLOAT_EQ(pb.Width(), 750);

    // A surface larger than one write block: every pixel lands in its bottom-up place.
    pb.SetScale(ScaleMode::Pixels);
    form_.C("Picture1").Move(0, 0, 301 * 15, 1500 * 15);
    ASSERT_EQ(pb.SurfaceHeight(), 1500);
    for (int y = 0; y < 1500; ++y)
        for (int x = 0; x < 301; ++x) SetPixel(x, y, uint32_t(x * 13 + y * 7) & 0xFFFFFF);
    ASSERT_TRUE(platform::WriteBmp24(pb.Surface(), path));
    b = test::ReadBytes(path);
    const size_t row = 904;
    ASSERT_EQ(b.size(), 54 + row * 1500);
    for (int y = 0; y < 1500; ++y)
        for (int x = 0; x < 301; ++x) {
            const uint32_t c = uint32_t(pb.Point(x, 1499 - y));
            const size_t p = 54 + size_t(y) * row + size_t(x) * 3;
            ASSERT_EQ(uint32_t(uint8_t(b[p])) << 16 | uint32_t(uint8_t(b[p + 1])) << 8 | uint8_t(b[p + 2]), c)
                << x << "," << y;
        }
    EXPECT_EQ(b.substr(54 + row - 1, 1), std::string(1, '\0'));
}

// The two logo saves through the main window's frame.
class LogoSave : public test::MainWindowTest {
protected:
    void SetUp() override {
        dir_ = test::ScratchFolder("logosave");
        MainWindowTest::SetUp();
    }
    std::string dir_;
};

TEST_F(LogoSave, TwoHundredFiftySixColoursWriteTheWholeBorderlessFrame) {
    std::string pic = dir_ + "\\p.bmp";
    test::WriteBmp(pic, 10, 10, [](int, int) { return 0x0000FFu; });
    dialogs_.openAnswers.push_back(pic);
    logo::Import(main_);
    PictureBoxWindow& pb = *main_.Picture1().pictureBox();
    ASSERT_TRUE(pb.Border());
    ASSERT_TRUE(logo::SaveLogo256(main_, test::AppliedLogoIn(dir_)));
    EXPECT_FALSE(pb.Border());
    EXPECT_EQ(pb.Scale(), ScaleMode::Pixels);
    std::string b = test::ReadBytes(test::AppliedLogoIn(dir_));
    ASSERT_EQ(b.size(), 23550u);
    EXPECT_EQ(uint8_t(b[1078 + 105 * 212]), 224);      // top-left: the red picture
    EXPECT_EQ(uint8_t(b[1078 + 0 * 212 + 209]), 219);  // bottom-right: the grey background
    EXPECT_EQ(logo::SaveLogo256(main_, dir_ + "\\none\\OEMLOGO.BMP").error(), unsigned(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_F(LogoSave, FullColourSavesTheClientAreaInsideTheBorder) {
    ASSERT_TRUE(main_.Picture1().pictureBox()->Border());
    ASSERT_TRUE(logo::SaveLogoFullColour(main_, test::AppliedLogoIn(dir_)));
    std::string b = test::ReadBytes(test::AppliedLogoIn(dir_));
    EXPECT_EQ(U32(b, 18), 206u);
    EXPECT_EQ(U32(b, 22), 102u);
    EXPECT_EQ(b.size(), 54u + 620u * 102u);
    EXPECT_EQ(b.substr(54, 3), std::string("\xC0\xC0\xC0", 3));
    EXPECT_TRUE(main_.Picture1().pictureBox()->Border());
    EXPECT_EQ(logo::SaveLogoFullColour(main_, dir_ + "\\none\\OEMLOGO.BMP").error(),
              unsigned(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(dialogs_.messages.empty());
}

}  // namespace
}  // namespace kaza

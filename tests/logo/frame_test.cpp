// The logo frame on the main window: import, fit and centre, and what the frame's surface holds.
#include <functional>
#include <string>

#include "app/form1.h"
#include "logo/logo.h"
#include "logo/logo_test_util.h"
#include "platform/files.h"
#include "platform/ui/picturebox.h"
#include "presets/store.h"
#include "support/kaza_test.h"

namespace kaza {
namespace {

using test::Colour;
using test::WriteBmp;

const std::string kFitOff = "画像　　　　　　止";
const std::string kFitOn = "画像　　　　　　動";
const std::string kCentreOff = "中央　　　　　　止";
const std::string kCentreOn = "中央　　　　　　動";
const std::string kImportHint = "BMP,JPG,GIF,ico取り込めます。";
const std::string kFitHint = "画像が大きいと縮小するのに時間がかります。";
const std::string kCentreHint = "画像が大きいとおもいっきりはみ出ます。（でも実行すれば機能します。";
constexpr uint32_t kGrey = 0xC0C0C0;
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

class LogoFrame : public test::MainWindowTest {
protected:
    void SetUp() override {
        pictures_ = test::ScratchFolder("logo_frame");
        MainWindowTest::SetUp();
    }

    // Imports a picture file through the scripted dialog.
    void Import(const std::string& path) {
        dialogs_.openAnswers.push_back(path);
        logo::Import(main_);
    }
    std::string Picture(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& colour) {
        std::string path = pictures_ + "\\" + name;
        WriteBmp(path, w, h, colour);
        return path;
    }
    // A picture in two halves: red on the left, blue on the right.
    std::string Halves(const std::string& name, int w, int h) {
        return Picture(name, w, h, [w](int x, int) { return x < w / 2 ? kRed : kBlue; });
    }

    ui::PictureBoxWindow& frame() { return *main_.Picture1().pictureBox(); }
    // The surface pixel as 0x00BBGGRR.
    uint32_t At(int x, int y) { return static_cast<uint32_t>(test::PixelAt(frame(), x, y)); }
    std::string Flags() { return main_.C("Text2").Text() + "|" + main_.C("Text3").Text(); }
    std::string Panels() { return main_.Panel(2) + "|" + main_.Panel(3); }
    void ExpectGeometry(float left, float top, float width, float height) {
        EXPECT_FLOAT_EQ(frame().Left(), left);
        EXPECT_FLOAT_EQ(frame().Top(), top);
        EXPECT_FLOAT_EQ(frame().Width(), width);
        EXPECT_FLOAT_EQ(frame().Height(), height);
        RECT r = main_.Picture1().PixelRect();
        EXPECT_EQ(r.left, ui::Px(left));
        EXPECT_EQ(r.top, ui::Px(top));
        EXPECT_EQ(r.right - r.left, ui::Px(width));
        EXPECT_EQ(r.bottom - r.top, ui::Px(height));
    }
    void ExpectDesignRectangle() {
        ExpectGeometry(kLogoFrame.left, kLogoFrame.top, kLogoFrame.width, kLogoFrame.height);
    }

    std::string pictures_;
};

TEST_F(LogoFrame, StartsEmptyGreyWithBorderInItsDesignRectangle) {
    ExpectDesignRectangle();
    EXPECT_TRUE(frame().Border());
    EXPECT_FALSE(frame().AutoSize());
    EXPECT_EQ(frame().Scale(), ui::ScaleMode::Twips);
    EXPECT_TRUE(frame().Picture().empty());
    EXPECT_EQ(frame().SurfaceWidth(), 210 - 4);
    EXPECT_EQ(frame().SurfaceHeight(), 106 - 4);
    EXPECT_EQ(At(0, 0), kGrey);
    EXPECT_EQ(At(205, 101), kGrey);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(Panels(), kFitOff + "|" + kCentreOff);
}

TEST_F(LogoFrame, ImportShowsThePictureUnscaledAtTheTopLeft) {
    std::string first = Halves("a.bmp", 40, 20);
    Import(first);
    ASSERT_EQ(dialogs_.openFilters.size(), 1u);
    EXPECT_EQ(dialogs_.openFilters[0], "ピクチャ (*.bmp;*.ico;*.jpg;*.gif)|*.bmp;*.ico;*.jpg;*.gif");
    EXPECT_EQ(main_.Panel(1), kImportHint);
    EXPECT_EQ(main_.TRF, Variant::Text(first));
    EXPECT_EQ(main_.CommonDialog1.FileName, first);
    ExpectDesignRectangle();
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(39, 19), kBlue);
    EXPECT_EQ(At(40, 0), kGrey);
    EXPECT_EQ(At(0, 20), kGrey);

    // The clicked frame runs the same import; GIF and JPEG load too, at their natural size.
    std::string gif = program_.plugins() + "\\" + presets::kPage9x;
    dialogs_.openAnswers.push_back(gif);
    main_.Raise("Picture1", -1, ui::Event::Click);
    EXPECT_EQ(main_.TRF, Variant::Text(gif));
    EXPECT_EQ(frame().Picture().width(), platform::Picture::Load(gif).width());
    dialogs_.openAnswers.push_back(program_.plugins() + "\\" + presets::kPageXp);
    main_.Raise("G", -1, ui::Event::Click);
    EXPECT_FALSE(frame().Picture().empty());
    EXPECT_EQ(dialogs_.openFilters.size(), 3u);

    // With the mouse: a press and a release on the frame are a click. A release alone (the end
    // of a double-click that closed a dialog lying over the frame) or a release moved off the
    // frame is none.
    HWND box = main_.Picture1().hwnd();
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialogs_.openFilters.size(), 3u);
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(400, 5));
    EXPECT_EQ(dialogs_.openFilters.size(), 3u);
    dialogs_.openAnswers.push_back(first);
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(dialogs_.openFilters.size(), 4u);
    EXPECT_EQ(main_.TRF, Variant::Text(first));
}

TEST_F(LogoFrame, FitStretchesOntoTheBorderlessFrameAndFitAgainShowsThePictureUnscaled) {
    std::string small = Halves("small.bmp", 20, 10);
    Import(small);
    main_.Raise("Command5", -1, ui::Event::Click);
    EXPECT_EQ(main_.Panel(1), kFitHint);
    EXPECT_EQ(Flags(), "1|");
    EXPECT_EQ(Panels(), kFitOn + "|" + kCentreOff);
    EXPECT_FALSE(frame().Border());
    EXPECT_TRUE(main_.Picture1().Visible());
    ExpectDesignRectangle();
    // Enlarged to exactly 210 × 106 pixels: no grey left anywhere.
    ASSERT_EQ(frame().SurfaceWidth(), 210);
    ASSERT_EQ(frame().SurfaceHeight(), 106);
    for (int y : {0, 50, 105}) {
        EXPECT_EQ(At(0, y), kRed);
        EXPECT_EQ(At(95, y), kRed);
        EXPECT_EQ(At(115, y), kBlue);
        EXPECT_EQ(At(209, y), kBlue);
    }

    main_.Raise("GAZOAWA", -1, ui::Event::Click);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(Panels(), kFitOff + "|" + kCentreOff);
    EXPECT_FALSE(frame().Border());
    ExpectDesignRectangle();
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(19, 9), kBlue);
    EXPECT_EQ(At(20, 0), kGrey);
    EXPECT_EQ(At(209, 105), kGrey);
}

TEST_F(LogoFrame, CentrePlacesTheFramesCentreOnTheDesignCentreAndCentreAgainRestores) {
    // 296 × 96 pixels and the 2-pixel border make the frame 4500 × 1500 twips.
    std::string wide = Halves("wide.bmp", 296, 96);
    Import(wide);
    main_.Raise("Command6", -1, ui::Event::Click);
    EXPECT_EQ(main_.Panel(1), kCentreHint);
    EXPECT_EQ(Flags(), "|2");
    EXPECT_EQ(Panels(), kFitOff + "|" + kCentreOn);
    EXPECT_TRUE(frame().AutoSize());
    EXPECT_TRUE(frame().Border());
    ExpectGeometry(-435, 3525, 4500, 1500);
    EXPECT_EQ(At(295, 95), kBlue);

    main_.Raise("GAZOTYUUOU", -1, ui::Event::Click);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(Panels(), kFitOff + "|" + kCentreOff);
    EXPECT_FALSE(frame().AutoSize());
    ExpectDesignRectangle();
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(205, 0), kBlue);  // clipped to the frame
}

TEST_F(LogoFrame, CentreWhileFittedAndFitWhileCentredSwitchTheOtherModeOffFirst) {
    std::string wide = Halves("wide.bmp", 296, 96);
    Import(wide);
    logo::Fit(main_);
    logo::Centre(main_);
    EXPECT_EQ(Flags(), "|2");
    EXPECT_EQ(Panels(), kFitOff + "|" + kCentreOn);
    // The border went with the fit: the frame is the picture's own size.
    EXPECT_FALSE(frame().Border());
    ExpectGeometry(240 + 1575 - 2220, 3480 + 795 - 720, 4440, 1440);
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(295, 95), kBlue);  // unscaled again

    logo::Fit(main_);
    EXPECT_EQ(Flags(), "1|");
    EXPECT_EQ(Panels(), kFitOn + "|" + kCentreOff);
    EXPECT_FALSE(frame().AutoSize());
    ExpectDesignRectangle();
    EXPECT_EQ(At(104, 50), kRed);
    EXPECT_EQ(At(106, 50), kBlue);
}

TEST_F(LogoFrame, ImportWhileCentredKeepsTheCornerAndTheNextCentreCentresAgain) {
    Import(Halves("wide.bmp", 296, 96));
    logo::Centre(main_);
    std::string other = Halves("other.bmp", 100, 50);
    Import(other);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(Panels(), kFitOff + "|" + kCentreOn);
    EXPECT_TRUE(frame().AutoSize());
    ExpectGeometry(-435, 3525, 104 * 15, 54 * 15);

    logo::Centre(main_);
    EXPECT_EQ(Flags(), "|2");
    ExpectGeometry(1815 - 780, 4275 - 405, 1560, 810);
}

TEST_F(LogoFrame, ImportWhileFittedShowsTheNewPictureUnscaledAndTheNextFitStretchesIt) {
    Import(Halves("first.bmp", 20, 10));
    logo::Fit(main_);
    std::string second = Picture("green.bmp", 30, 30, [](int, int) { return kGreen; });
    Import(second);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(Panels(), kFitOn + "|" + kCentreOff);
    EXPECT_FALSE(frame().Border());
    EXPECT_EQ(At(0, 0), kGreen);
    EXPECT_EQ(At(30, 0), kGrey);  // the stretched drawing is gone

    logo::Fit(main_);
    EXPECT_EQ(Flags(), "1|");
    EXPECT_EQ(At(209, 105), kGreen);
}

TEST_F(LogoFrame, FitAndCentreBeforeAnyImportStillToggle) {
    logo::Fit(main_);
    EXPECT_EQ(Flags(), "1|");
    EXPECT_EQ(Panels(), kFitOn + "|" + kCentreOff);
    EXPECT_FALSE(frame().Border());
    ExpectDesignRectangle();
    EXPECT_EQ(At(105, 50), kGrey);
    logo::Fit(main_);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(main_.Panel(2), kFitOff);

    logo::Centre(main_);
    EXPECT_EQ(Flags(), "|2");
    EXPECT_EQ(main_.Panel(3), kCentreOn);
    ExpectDesignRectangle();
    logo::Centre(main_);
    EXPECT_EQ(Flags(), "|");
    EXPECT_EQ(main_.Panel(3), kCentreOff);
    EXPECT_TRUE(main_.Picture1().Visible());
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(LogoFrame, UnreadableFileResetsTheFrameButKeepsTheEarlierSource) {
    std::string good = Halves("good.bmp", 296, 96);
    Import(good);
    logo::Centre(main_);
    std::string bad = pictures_ + "\\bad.jpg";
    test::WriteBytes(bad, "this is not a picture");
    Import(bad);
    EXPECT_EQ(main_.Panel(1), kImportHint);
    EXPECT_EQ(main_.TRF, Variant::Text(good));
    EXPECT_EQ(Flags(), "|");
    EXPECT_FALSE(frame().AutoSize());
    ExpectDesignRectangle();
    EXPECT_TRUE(frame().Picture().empty());
    EXPECT_EQ(At(0, 0), kGrey);
    EXPECT_TRUE(dialogs_.messages.empty());

    // A missing file fails the same way.
    Import(pictures_ + "\\missing.bmp");
    EXPECT_TRUE(frame().Picture().empty());
    EXPECT_EQ(main_.TRF, Variant::Text(good));

    // The earlier picture comes back with the next placement.
    logo::Fit(main_);
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(209, 105), kBlue);
}

TEST_F(LogoFrame, CancellingTheDialogLosesNothing) {
    std::string first = Halves("first.bmp", 20, 10);
    Import(first);
    logo::Fit(main_);
    dialogs_.openAnswers.push_back("");  // cancel
    logo::Import(main_);
    EXPECT_EQ(main_.Panel(1), kImportHint);
    EXPECT_EQ(Flags(), "1|");
    EXPECT_EQ(main_.TRF, Variant::Text(first));
    EXPECT_EQ(main_.CommonDialog1.FileName, first);
    EXPECT_EQ(At(209, 105), kBlue);  // still stretched
    logo::Fit(main_);                // and the next fit switches fit off as the panel said
    EXPECT_EQ(main_.Panel(2), kFitOff);
}

TEST_F(LogoFrame, ShrinkingAveragesAFineCheckerboardToAnEvenGrey) {
    auto checker = [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFu : 0u; };
    // An exact factor of two: every pixel is half black, half white.
    Import(Picture("even.bmp", 420, 212, checker));
    logo::Fit(main_);
    for (int y = 0; y < 106; ++y)
        for (int x = 0; x < 210; ++x) {
            uint32_t p = At(x, y);
            ASSERT_GE(p & 0xFF, 127u) << x << "," << y;
            ASSERT_LE(p & 0xFF, 128u) << x << "," << y;
            ASSERT_EQ(p, (p & 0xFF) * 0x010101u) << x << "," << y;
        }
    logo::Fit(main_);
    // Uneven factors: still grey everywhere, within a few levels.
    Import(Picture("odd.bmp", 997, 301, checker));
    logo::Fit(main_);
    for (int y = 0; y < 106; ++y)
        for (int x = 0; x < 210; ++x) {
            uint32_t v = At(x, y) & 0xFF;
            ASSERT_GE(v, 112u) << x << "," << y;
            ASSERT_LE(v, 143u) << x << "," << y;
        }
}

TEST_F(LogoFrame, FitScalesEachAxisOnItsOwn) {
    // A wide photograph, three times too wide and half as high: three vertical bands over a
    // top half and a bottom half.
    auto photo = [](int x, int y) -> uint32_t {
        uint32_t band = x < 210 ? kRed : x < 420 ? kGreen : kBlue;
        return y < 26 ? band : (band | 0x808080);
    };
    Import(Picture("photo.bmp", 630, 52, photo));
    logo::Fit(main_);
    // Horizontally shrunk by three, vertically enlarged by 53/26: the bands keep their share of
    // each axis.
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(68, 20), kRed);
    EXPECT_EQ(At(71, 20), kGreen);
    EXPECT_EQ(At(138, 50), kGreen);
    EXPECT_EQ(At(141, 50), kBlue);
    EXPECT_EQ(At(209, 0), kBlue);
    EXPECT_EQ(At(0, 51), kRed);
    EXPECT_EQ(At(0, 54), kRed | 0x808080);
    EXPECT_EQ(At(209, 105), kBlue | 0x808080);
}

// Fit and the way back reuse the picture import decoded only while the file keeps its size and
// last-write time; a file changed in either since is decoded afresh.
TEST_F(LogoFrame, FitShowsAPictureChangedOnDiskSinceImport) {
    const std::string path = Halves("changing.bmp", 20, 10);
    auto fileTime = [&](FILETIME* get, const FILETIME* set) {
        HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(get ? GetFileTime(f, nullptr, nullptr, get) : SetFileTime(f, nullptr, nullptr, set));
        CloseHandle(f);
    };
    Import(path);
    FILETIME later{};
    fileTime(&later, nullptr);
    later.dwHighDateTime += 1;  // about seven minutes on
    // The file written anew with that time, then fitted.
    auto rewriteAndFit = [&](const std::function<void()>& write) {
        write();
        fileTime(nullptr, &later);
        logo::Fit(main_);
    };
    // As many bytes in green, written later.
    rewriteAndFit([&] { Picture("changing.bmp", 20, 10, [](int, int) { return kGreen; }); });
    EXPECT_EQ(At(0, 0), kGreen);
    EXPECT_EQ(At(209, 105), kGreen);
    logo::Fit(main_);
    EXPECT_EQ(At(19, 9), kGreen);
    EXPECT_EQ(At(20, 9), kGrey);

    // Halves again with green's size and time: the green decode stands for it. Larger, with
    // that time, it is read again.
    rewriteAndFit([&] { Halves("changing.bmp", 20, 10); });
    EXPECT_EQ(At(0, 0), kGreen);
    rewriteAndFit([&] { Halves("changing.bmp", 40, 20); });
    EXPECT_EQ(At(0, 0), kRed);
    EXPECT_EQ(At(39, 19), kBlue);
}

// A main window the system could not make: the frame's commands find a frame that draws nothing
// and writes nothing, and the program carries on.
TEST_F(LogoFrame, CommandsOnAMainWindowNeverMadeDoNothing) {
    const std::string picture = Halves("halves.bmp", 40, 20);
    test::RefuseWindows refuse("KazaForm");
    Form1 lost;
    ASSERT_FALSE(lost.Load());
    lost.TRF = Variant::Text(picture);
    logo::LoadFramePicture(lost, picture);
    logo::Centre(lost);
    logo::Fit(lost);
    logo::Fit(lost);
    EXPECT_FALSE(logo::SaveLogoFullColour(lost, pictures_ + "\\logo.bmp"));
    EXPECT_FALSE(logo::SaveLogo256(lost, pictures_ + "\\logo.bmp"));
    EXPECT_FALSE(platform::FileExists(pictures_ + "\\logo.bmp"));
    EXPECT_FALSE(lost.Loaded());
}

}  // namespace
}  // namespace kaza

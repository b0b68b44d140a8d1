// The program at the screen resolution this test program is built for: 120 or 144 dpi, the "large
// fonts" of 2000, where the page keeps the layout it has at 96 dpi; 168 or 192 on 10, which leaves
// the scaling to the program, where the layout is the one of 96 dpi scaled. Pictures keep their
// own pixels and the logo files written are the same bytes at every resolution.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/form1.h"
#include "logo/logo_test_util.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "platform/ui/picturebox.h"
#include "presets/store.h"
#include "support/fixtures.h"
#include "windows/form2.h"
#include "windows/frmabout.h"

namespace kaza {
namespace {

using test::Colour;
using ui::Form;

using test::Click;
using test::I32;
using test::U32;

// How much larger than at 96 dpi the windows are drawn.
const double kScale = std::string(KAZA_TEST_WINDOWS) == "win2k" ? 1.0 : KAZA_TEST_DPI / 96.0;
long Scaled(double px) { return std::lround(px * kScale); }
// The height a font of that many points is made with.
LONG Height(double points) { return -std::lround(points * 96 * kScale / 72); }

// A different colour at every pixel, so that any scaling shows.
Colour Varied(int x, int y) { return RGB((x * 7) & 0xFF, (y * 13) & 0xFF, (x + y) & 0xFF); }

// A 420 × 212 picture in 2 × 2 blocks of one colour: halved onto the 210 × 106 frame, each block
// becomes exactly one pixel of its colour.
Colour Block(int bx, int by) {
    static const int kLevels[] = {0, 32, 64, 96, 128, 160, 192, 255};
    return RGB(kLevels[bx % 8], kLevels[by % 8], kLevels[(bx + by) % 4 * 2]);
}

// The 8-bit palette index of a colour: top bits of red, green and blue.
unsigned Index(Colour c) { return (GetRValue(c) / 32) * 32 + (GetGValue(c) / 32) * 4 + GetBValue(c) / 64; }

// An icon file of one w × h, 32-bit image.
std::string IconFile(int w, int h) {
    std::string b;
    auto put16 = [&](unsigned v) { b += {static_cast<char>(v), static_cast<char>(v >> 8)}; };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    const uint32_t maskRow = (static_cast<uint32_t>(w) + 31) / 32 * 4;
    const uint32_t image = 40 + static_cast<uint32_t>(w * h * 4) + maskRow * h;
    put16(0), put16(1), put16(1);
    b += {static_cast<char>(w), static_cast<char>(h), 0, 0};
    put16(1), put16(32), put32(image), put32(22);
    put32(40), put32(w), put32(2 * h), put16(1), put16(32);
    for (int i = 0; i < 6; ++i) put32(0);
    for (int i = 0; i < w * h; ++i) put32(0xFF3080C0);
    b.append(maskRow * h, '\0');
    return b;
}

class LargeFonts : public test::MainWindowTest {
protected:
    void SetUp() override {
        system_ = test::ScratchFolder("large_fonts");
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
        main_.Show();
    }
    void TearDown() override {
        main_.Unload();
        test::RemoveTree(system_);
    }

    std::string Picture(const std::string& name, int w, int h, const std::function<Colour(int, int)>& colour) {
        std::string path = system_ + "\\" + name;
        test::WriteBmp(path, w, h, colour);
        return path;
    }
    void Import(const std::string& path) {
        dialogs_.openAnswers.push_back(path);
        main_.Raise("G", -1, ui::Event::Click);
    }
    // 実行, then the colour option and 実行 in the confirmation window; the file written.
    std::string Apply(const char* option) {
        {
            test::ModalScope modal([option](Form& f) {
                Click(f.C(option));
                Click(f.C("Command1"));
            });
            Click(main_.C("Command4"));
        }
        return test::ReadBytes(test::AppliedLogoIn(system_));
    }
    // The 8-bit file holds, row by row from the bottom, the palette index of each expected colour.
    void Expect256(const std::string& bmp, int w, int h, const std::function<Colour(int, int)>& colour) {
        const size_t row = (static_cast<size_t>(w) + 3) / 4 * 4;
        ASSERT_EQ(bmp.size(), 1078 + row * h);
        EXPECT_EQ(I32(bmp, 18), w);
        EXPECT_EQ(I32(bmp, 22), h);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (static_cast<unsigned char>(bmp[1078 + (h - 1 - y) * row + x]) != Index(colour(x, y))) ++wrong;
        EXPECT_EQ(wrong, 0);
    }
    // The full-colour file is the 24-bit picture file of the expected colours, byte for byte, except
    // that it states the size of its pixel data.
    void ExpectFullColour(const std::string& bmp, int w, int h, const std::function<Colour(int, int)>& colour) {
        std::string expected = test::ReadBytes(Picture("expected.bmp", w, h, colour));
        ASSERT_EQ(bmp.size(), expected.size());
        EXPECT_EQ(U32(bmp, 34), expected.size() - 54);
        expected.replace(34, 4, bmp.substr(34, 4));
        EXPECT_TRUE(bmp == expected);
    }

    std::string system_;
};

TEST_F(LargeFonts, EveryKindOfPictureHasItsOwnPixelSize) {
    struct Case {
        std::string path;
        int w, h;
    };
    std::string icon = system_ + "\\logo.ico";
    test::WriteBytes(icon, IconFile(48, 48));
    const Case cases[] = {
        {program_.plugins() + "\\" + presets::kPage9x, 420, 355},
        {program_.plugins() + "\\" + presets::kPage2000, 407, 25},
        {program_.plugins() + "\\" + presets::kPageXp, 420, 355},  // states 72 dpi in its header
        {Picture("logo.bmp", 300, 100, Varied), 300, 100},
        {icon, 48, 48},
    };
    for (const Case& c : cases) {
        platform::Picture p = platform::Picture::Load(c.path);
        ASSERT_FALSE(p.empty()) << c.path;
        EXPECT_EQ(p.width(), c.w) << c.path;
        EXPECT_EQ(p.height(), c.h) << c.path;
    }
}

TEST_F(LargeFonts, CentredLogoIsThePictureItselfInItsOwnPixels) {
    const std::string path = Picture("logo.bmp", 300, 100, Varied);
    Import(path);
    Click(main_.C("Command6"));
    // The frame shows the picture's 300 × 100 pixels, scaled, in its border, centred on
    // (1815, 4275) twips (to a pixel); at 96 dpi it is 304 × 104 pixels at (-31, 233).
    ui::PictureBoxWindow& frame = *main_.Picture1().pictureBox();
    EXPECT_EQ(frame.SurfaceWidth(), 300);
    EXPECT_EQ(frame.SurfaceHeight(), 100);
    RECT inside{};
    GetClientRect(frame.hwnd(), &inside);
    EXPECT_EQ(inside.right, Scaled(300));
    EXPECT_EQ(inside.bottom, Scaled(100));
    RECT r = main_.Picture1().PixelRect();
    const double twipsPerPixel = 15 / kScale;
    EXPECT_NEAR((r.left + r.right) / 2.0 * twipsPerPixel, 1815, twipsPerPixel);
    EXPECT_NEAR((r.top + r.bottom) / 2.0 * twipsPerPixel, 4275, twipsPerPixel);
    if (kScale == 1.0) {
        EXPECT_FLOAT_EQ(frame.Width(), 4560);
        EXPECT_FLOAT_EQ(frame.Left(), -465);
        EXPECT_EQ(r.left, -31);
        EXPECT_EQ(r.top, 233);
        EXPECT_EQ(r.right - r.left, 304);
    }

    std::string full = Apply("Option2");
    std::string picture = test::ReadBytes(path);
    ASSERT_EQ(full.size(), picture.size());
    picture.replace(34, 4, full.substr(34, 4));  // the picture file leaves its data size unstated
    EXPECT_TRUE(full == picture);

    Expect256(Apply("Option1"), 300, 100, Varied);
}

TEST_F(LargeFonts, FittedLogoIs210By106Whatever) {
    Import(Picture("logo.bmp", 420, 212, [](int x, int y) { return Block(x / 2, y / 2); }));
    Click(main_.C("Command5"));
    ExpectFullColour(Apply("Option2"), 210, 106, Block);
    Expect256(Apply("Option1"), 210, 106, Block);
}

// A plain function: a lambda does not convert to the callback's calling convention on 32-bit.
BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

// The mock-up: every control where its twips put it at 96 dpi, scaled, and the page picture filling
// its 420 × 355 pixels, scaled, under them, shown wherever no control covers it.
TEST_F(LargeFonts, PageShowsUnderItsOverlaysAsAt96DpiScaled) {
    std::vector<HWND> children;
    EnumChildWindows(main_.hwnd(), CollectChild, reinterpret_cast<LPARAM>(&children));
    RECT client{}, outer{};
    GetClientRect(main_.hwnd(), &client);
    GetWindowRect(main_.hwnd(), &outer);
    // The system cuts a window to the largest size it tracks, a little more than the screen: the
    // tests' screen (1024 × 768) is too small for the whole window at 192 dpi. What shows keeps
    // its place.
    if (outer.right - outer.left < GetSystemMetrics(SM_CXMAXTRACK)) {
        EXPECT_EQ(client.right, Scaled(550));
    }
    if (outer.bottom - outer.top < GetSystemMetrics(SM_CYMAXTRACK)) {
        EXPECT_EQ(client.bottom, Scaled(377));
    }
    EXPECT_LE(client.right, Scaled(550));
    EXPECT_LE(client.bottom, Scaled(377));
    std::vector<RECT> covered;
    for (HWND h : children) {
        ui::Control* c = main_.FindByHwnd(h);
        if (IsWindowVisible(h)) {
            RECT r{};
            GetWindowRect(h, &r);
            MapWindowPoints(nullptr, main_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
            covered.push_back(r);
        }
        if (!c || c->decl().kind == ui::Kind::Line || c->decl().container) continue;
        const ui::ControlDecl& d = c->decl();
        RECT r = c->PixelRect();
        EXPECT_EQ(r.left, Scaled(d.left / 15.0)) << d.name << d.index;
        EXPECT_EQ(r.top, Scaled(d.top / 15.0)) << d.name << d.index;
        EXPECT_EQ(r.right - r.left, Scaled(d.width / 15.0)) << d.name << d.index;
        EXPECT_EQ(r.bottom - r.top, Scaled(d.height / 15.0)) << d.name << d.index;
        if (d.kind == ui::Kind::Text && !d.multiLine) {
            // A line of text fits in its field.
            HDC dc = GetDC(h);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
            TEXTMETRICA tm{};
            GetTextMetricsA(dc, &tm);
            SelectObject(dc, old);
            ReleaseDC(h, dc);
            RECT inside{};
            GetClientRect(h, &inside);
            EXPECT_LE(tm.tmHeight, inside.bottom) << d.name << d.index;
        }
    }

    // The page picture over the button face, filling 420 × 355 pixels scaled. The picture's own
    // pixels are the expectation: wherever it is of one colour all around the place a pixel of
    // the screen is scaled from (a pixel more each way, whatever the resampler reaches), the screen
    // shows that colour. Drawn at another scale or place, its lines and letters fall on such places.
    const ui::PixelImage page = ui::RenderPixels(main_.BackgroundPicture(), GetSysColor(COLOR_BTNFACE));
    ASSERT_FALSE(page.empty());
    const int pw = page.width(), ph = page.height(), w = Scaled(420), h = Scaled(355);
    const uint32_t* bits = page.bits();
    RedrawWindow(main_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::DoEvents();
    HDC dc = GetDC(main_.hwnd());
    int compared = 0, differing = 0;
    for (int y = 0; y < std::min<int>(h, client.bottom); ++y)
        for (int x = 0; x < std::min<int>(w, client.right); ++x) {
            POINT p{x, y};
            bool under = false;
            for (const RECT& r : covered) under = under || PtInRect(&r, p);
            if (under) continue;
            const int x0 = std::max(0, x * pw / w - 1), x1 = std::min(pw - 1, ((x + 1) * pw - 1) / w + 1);
            const int y0 = std::max(0, y * ph / h - 1), y1 = std::min(ph - 1, ((y + 1) * ph - 1) / h + 1);
            const uint32_t own = bits[y0 * pw + x0];
            bool uniform = true;
            for (int v = y0; v <= y1 && uniform; ++v)
                for (int u = x0; u <= x1 && uniform; ++u) uniform = bits[v * pw + u] == own;
            if (!uniform) continue;
            ++compared;
            const COLORREF shown = GetPixel(dc, x, y);
            auto alike = [](int a, int b) { return std::abs(a - b) <= 2; };
            if (!alike(GetRValue(shown), (own >> 16) & 0xFF) || !alike(GetGValue(shown), (own >> 8) & 0xFF) ||
                !alike(GetBValue(shown), own & 0xFF))
                ++differing;
        }
    ReleaseDC(main_.hwnd(), dc);
    EXPECT_GT(compared, std::min<int>(w, client.right) * std::min<int>(h, client.bottom) / 3);
    EXPECT_EQ(differing, 0);
}

// Every window is drawn in the program's own face at its point sizes, which the layout was made
// for: a control that names no font takes its window's, and the status bar narrows the same face.
TEST_F(LargeFonts, WindowsAreDrawnInTheProgramsFaces) {
    struct Face {
        std::string name;
        LONG height;
        bool operator==(const Face& o) const { return name == o.name && height == o.height; }
    };
    auto faceOf = [](HWND h) {
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return Face{platform::FromAnsi(lf.lfFaceName, sizeof lf.lfFaceName), lf.lfHeight};
    };
    const std::string gothic = "ＭＳ Ｐゴシック";
    EXPECT_TRUE(faceOf(main_.Text1(0).hwnd()) == (Face{gothic, Height(9)}));
    EXPECT_TRUE(faceOf(main_.C("Command2").hwnd()) == (Face{gothic, Height(9)}));
    EXPECT_TRUE(faceOf(main_.C("Label4").hwnd()) == (Face{gothic, Height(15.75)}));
    EXPECT_TRUE(faceOf(main_.C("Command4").hwnd()) == (Face{gothic, Height(21.75)}));
    EXPECT_EQ(faceOf(FindWindowExA(main_.hwnd(), nullptr, STATUSCLASSNAMEA, nullptr)).name, gothic);
    Form2& editor = main_.Window<Form2>();
    ASSERT_TRUE(editor.Load());
    EXPECT_TRUE(faceOf(editor.Text1().hwnd()) == (Face{gothic, Height(9)}));
    EXPECT_TRUE(faceOf(editor.C("Command1").hwnd()) == (Face{"ＭＳ Ｐ明朝", Height(9)}));
}

// The program icon of the version window at the 32 pixels it has at 96 dpi, whole in its 40-pixel place.
TEST_F(LargeFonts, VersionWindowIconKeepsItsSize) {
    frmAbout& about = main_.Window<frmAbout>();
    about.Show();
    const ui::PictureBoxWindow& image = *about.C("Image1").pictureBox();
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    int inside = 0, outside = 0;
    for (int y = 0; y < image.SurfaceHeight(); ++y)
        for (int x = 0; x < image.SurfaceWidth(); ++x)
            if ((image.Bits()[y * image.SurfaceWidth() + x] & 0xFFFFFF) != background) ++(x < 32 && y < 32 ? inside : outside);
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
    about.Unload();
}

}  // namespace
}  // namespace kaza

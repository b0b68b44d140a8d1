// The version window with real windows.
#include "app/form1.h"
#include "platform/ui/picturebox.h"
#include "support/kaza_test.h"
#include "windows/frmabout.h"

namespace kaza {
namespace {

BOOL CALLBACK AnyUnpainted(HWND h, LPARAM lp) {
    if (GetUpdateRect(h, nullptr, FALSE)) *reinterpret_cast<bool*>(lp) = true;
    return TRUE;
}

bool Painted(HWND h) {
    bool unpainted = GetUpdateRect(h, nullptr, FALSE) != FALSE;
    EnumChildWindows(h, AnyUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

class About : public ::testing::Test {
protected:
    frmAbout& Open(Form1& f) {
        SendMessageA(f.hwnd(), WM_COMMAND, MAKEWPARAM(f.Menu("BAZYON").id(), 0), 0);
        return f.Window<frmAbout>();
    }
    test::ProgramFolder folder_;
    test::ScriptedDialogs dialogs_;
};

TEST_F(About, IsPaintedBeforeTheMenuCommandReturnsAndLeavesTheMainWindowUsable) {
    Form1 f;
    f.Show();
    frmAbout& a = Open(f);
    EXPECT_TRUE(a.Visible());
    EXPECT_TRUE(Painted(a.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()));
    EXPECT_EQ(a.Caption(), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(GetFocus(), a.C("Command1").hwnd());
    EXPECT_EQ(GetNextDlgTabItem(a.hwnd(), a.C("Command1").hwnd(), FALSE), a.C("Text1").hwnd());
    EXPECT_EQ(GetNextDlgTabItem(a.hwnd(), a.C("Text1").hwnd(), FALSE), a.C("Text2").hwnd());
}

TEST_F(About, AddressesCanBeCopiedButNotChanged) {
    Form1 f;
    frmAbout& a = Open(f);
    for (const char* name : {"Text1", "Text2"}) {
        SCOPED_TRACE(name);
        HWND field = a.C(name).hwnd();
        std::string before = a.C(name).Text();
        EXPECT_FALSE(before.empty());
        SendMessageA(field, WM_CHAR, 'x', 1);
        SendMessageA(field, WM_CLEAR, 0, 0);
        EXPECT_EQ(a.C(name).Text(), before);
        SendMessageA(field, EM_SETSEL, 0, -1);
        DWORD from = 0, to = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(to - from, before.size());
    }
    EXPECT_EQ(a.C("Text1").Text(), "https://kazaguruma.example.org/");
    EXPECT_EQ(a.C("Text2").Text(), "support@kazaguruma.example.org");
}

TEST_F(About, ShowsTheProgramIcon) {
    Form1 f;
    frmAbout& a = Open(f);
    const ui::PictureBoxWindow& image = *a.C("Image1").pictureBox();
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    int drawn = 0;
    for (int i = 0; i < image.SurfaceWidth() * image.SurfaceHeight(); ++i)
        if ((image.Bits()[i] & 0xFFFFFF) != background) ++drawn;
    EXPECT_GT(drawn, 100);
}

TEST_F(About, OkAndTheCloseBoxDestroyItAndTheNextOpeningBuildsItAgain) {
    Form1 f;
    f.Show();
    frmAbout& a = Open(f);
    SendMessageA(a.C("Command1").hwnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(a.Loaded());
    EXPECT_EQ(&Open(f), &a);
    EXPECT_TRUE(a.Visible());
    SendMessageA(a.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(a.Loaded());
    Open(f);
    EXPECT_TRUE(a.Visible());
    EXPECT_TRUE(dialogs_.messages.empty());
}

}  // namespace
}  // namespace kaza

// The form toolkit with real windows under the null graphics driver.
#include <gtest/gtest.h>

#include "platform/ui/form.h"
#include "platform/ui/picturebox.h"

namespace kaza::ui {
namespace {

const ControlDecl kControls[] = {
    Frame("Frame1", 120, 120, 3000, 1500, "枠"),
    Option("Option1", 120, 360, 1200, 255, "一").In("Frame1").Tab(2),
    Option("Option2", 1500, 360, 1200, 255, "二").In("Frame1").Tab(3),
    Text("Text1", 120, 1800, 1500, 270, "t0").Index(0).Tab(1),
    Text("Text1", 120, 2100, 1500, 270, "t1").Index(1).Tab(0),
    ClickArea("Label3", 120, 1800, 3000, 600),
    Label("Label1", 1800, 1900, 1200, 255, "ラベル"),
    Button("Command1", 1800, 2500, 900, 375, "OK").Tab(4),
    List("List1", 3300, 120, 1200, 1500),
    Line("Line1", 150, 3000, 1650, 3000).Width(4).Hidden(),
};
const MenuDecl kMenus[] = {{"F", "ファイル", 0}, {"sub", "下", 1}, {"X", "項目", 2}, {"E", "終了", 1}};
const StatusPanel kPanels[] = {{3000, "一"}, {1440, "二"}, {1440, "三"}};
const FormDecl kDecl{"テスト", 4800, 3600, kControls, Count(kControls), kMenus, 4, kPanels, 3};

class TestForm : public Form {
public:
    TestForm() : Form(kDecl) {
        On("Command1", Event::Click, [this](int) { log += "Command1;"; });
        On("Label3", Event::Click, [this](int) { log += "Label3;"; });
        On("Text1", Event::KeyUp, [this](int i) { log += "KeyUp" + std::to_string(i) + ";"; });
        On("X", Event::Click, [this](int) { log += "X;"; });
    }
    std::string log;
};

TEST(Form, ClientAreaControlsAndPanelsFollowTheTable) {
    TestForm f;
    f.Load();
    RECT rc;
    GetClientRect(f.hwnd(), &rc);
    EXPECT_EQ(rc.right, 320);
    EXPECT_EQ(rc.bottom, 240);
    // Positions inside a frame are relative to it.
    RECT o = f.C("Option2").PixelRect();
    EXPECT_EQ(o.left, 108);
    EXPECT_EQ(o.top, 32);
    EXPECT_EQ(f.C("Text1", 1).Text(), "t1");
    EXPECT_EQ(f.C("Label1").Caption(), "ラベル");
    EXPECT_FALSE(f.C("Line1").Visible());
    EXPECT_EQ(f.Panel(3), "三");
    f.SetPanel(1, "ヒント");
    EXPECT_EQ(f.Panel(1), "ヒント");
}

TEST(Form, FieldsAndLabelsLieAboveClickAreasAndTabOrderFollowsTheTable) {
    TestForm f;
    f.Show();
    POINT p{10, 125};  // inside Text1(0) and Label3
    EXPECT_EQ(ChildWindowFromPointEx(f.hwnd(), p, CWP_SKIPINVISIBLE), f.C("Text1", 0).hwnd());
    // A label over a click area is painted on top of it but lets the click through.
    POINT q{130, 132};
    HWND label = f.C("Label1").hwnd();
    EXPECT_EQ(ChildWindowFromPointEx(f.hwnd(), q, CWP_SKIPINVISIBLE), label);
    ClientToScreen(f.hwnd(), &q);
    EXPECT_EQ(SendMessageA(label, WM_NCHITTEST, 0, MAKELPARAM(q.x, q.y)), HTTRANSPARENT);
    HWND first = GetNextDlgTabItem(f.hwnd(), nullptr, FALSE);
    EXPECT_EQ(first, f.C("Text1", 1).hwnd());
    EXPECT_EQ(GetNextDlgTabItem(f.hwnd(), first, FALSE), f.C("Text1", 0).hwnd());
}

TEST(Form, EventsReachTheirHandlersOnlyWhileEnabled) {
    TestForm f;
    f.Show();
    SendMessageA(f.C("Command1").hwnd(), BM_CLICK, 0, 0);
    SendMessageA(f.hwnd(), WM_COMMAND, MAKEWPARAM(f.C("Label3").id(), STN_CLICKED),
                 reinterpret_cast<LPARAM>(f.C("Label3").hwnd()));
    f.C("Label3").SetEnabled(false);
    SendMessageA(f.hwnd(), WM_COMMAND, MAKEWPARAM(f.C("Label3").id(), STN_CLICKED),
                 reinterpret_cast<LPARAM>(f.C("Label3").hwnd()));
    SendMessageA(f.C("Text1", 1).hwnd(), WM_KEYUP, 'A', 0);
    SendMessageA(f.hwnd(), WM_COMMAND, f.Menu("X").id(), 0);
    f.Menu("X").SetEnabled(false);
    SendMessageA(f.hwnd(), WM_COMMAND, f.Menu("X").id(), 0);
    EXPECT_EQ(f.log, "Command1;Label3;KeyUp1;X;");
    // A window disabled under a modal one takes no command at all.
    EnableWindow(f.hwnd(), FALSE);
    SendMessageA(f.hwnd(), WM_COMMAND, MAKEWPARAM(f.C("Command1").id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(f.C("Command1").hwnd()));
    EXPECT_EQ(f.log, "Command1;Label3;KeyUp1;X;");
}

TEST(Form, ModalWindowDisablesTheOthersUntilItCloses) {
    TestForm owner, modal;
    owner.Show();
    bool ownerEnabledInside = true;
    int depthInside = 0;
    Form::SetModalHook([&](Form& f) {
        ownerEnabledInside = IsWindowEnabled(owner.hwnd()) != FALSE;
        depthInside = Form::ModalDepth();
        EXPECT_EQ(&f, &modal);
    });
    modal.ShowModal();
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_EQ(depthInside, 1);
    EXPECT_FALSE(modal.Loaded());
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(Form::ModalDepth(), 0);
}

TEST(Form, UnloadedFormLoadsAfreshFromItsTable) {
    TestForm f;
    f.Load();
    f.C("Text1", 0).SetText("changed");
    f.C("List1").AddItem("a");
    f.Unload();
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.C("Text1", 0).Text(), "t0");  // reading a control loads the window again
    EXPECT_EQ(f.C("List1").ListCount(), 0);
}

TEST(Form, ListsAndOptionGroups) {
    TestForm f;
    f.Load();
    auto& list = f.C("List1");
    list.AddItem("b");
    list.AddItem("a");
    EXPECT_EQ(list.ListItem(0), "b");  // unsorted
    EXPECT_EQ(list.SelectedText(), "");
    list.SetListIndex(1);
    EXPECT_EQ(list.SelectedText(), "a");
    EXPECT_EQ(list.ListItem(5), "");
    SendMessageA(f.C("Option1").hwnd(), BM_CLICK, 0, 0);
    SendMessageA(f.C("Option2").hwnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(f.C("Option1").Checked());
    EXPECT_TRUE(f.C("Option2").Checked());
}

}  // namespace
}  // namespace kaza::ui

// The form toolkit with real windows under the null graphics driver.
#include <gtest/gtest.h>

#include "platform/handles.h"
#include "platform/lookup.h"
#include "platform/ui/form.h"
#include "platform/ui/picturebox.h"
#include "platform/text.h"
#include "support/kaza_test.h"

#include <commctrl.h>

#include <functional>

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
    PictureBox("Picture1", 3300, 1800, 1200, 900),
};
const MenuDecl kMenus[] = {{"F", "ファイル", 0}, {"sub", "下", 1}, {"X", "項目", 2}, {"E", "終了", 1}};
const StatusPanel kPanels[] = {{3000, "一"}, {1440, "二"}, {1440, "三"}};
const FormDecl kDecl{"テスト", {}, 4800, 3600, kControls, Count(kControls), kMenus, Count(kMenus), kPanels, Count(kPanels)};

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


// What screen readers and automation read is the status bar's own text, and the tooltip carries
// the whole of a text its panel cuts off.
TEST(Form, PanelTextsAreTheStatusBarsOwnTextWithTheWholeTextInATipWhenCut) {
    TestForm f;
    f.Show();
    HWND bar = FindWindowExA(f.hwnd(), nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(test::StatusText(f, 1), "一");
    EXPECT_EQ(test::StatusText(f, 3), "三");
    const std::string longText = "画像\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000動き出しました";
    f.SetPanel(2, longText);
    f.SetPanel(1, "ヒント");
    EXPECT_EQ(test::StatusText(f, 2), longText);
    EXPECT_EQ(test::StatusText(f, 1), "ヒント");
    // Drawn by the status bar itself, not by the window.
    EXPECT_EQ(HIWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0)) & SBT_OWNERDRAW, 0);
    f.SetPanel(3, "");
    EXPECT_EQ(test::StatusText(f, 3), "");

    // Wine's comctl32 is newer than 4.71: the bar has tooltips.
    ASSERT_NE(GetWindowLongA(bar, GWL_STYLE) & 0x0800, 0);  // SBT_TOOLTIPS
    auto tip = [&](int part) {
        char buf[512] = {};
        SendMessageA(bar, WM_USER + 18, MAKEWPARAM(part, sizeof buf), reinterpret_cast<LPARAM>(buf));  // SB_GETTIPTEXTA
        return platform::FromAnsi(buf, strlen(buf));
    };
    EXPECT_EQ(tip(1), longText);
    EXPECT_EQ(tip(0), "");  // "ヒント" fits
    f.SetPanel(2, "二");
    EXPECT_EQ(tip(1), "");
}

// Enter and Escape as declared in the table, like a dialog box's default and cancel buttons.
const ControlDecl kDialogControls[] = {
    Text("Text1", 120, 120, 2000, 270).Tab(0),
    Text("Text2", 120, 480, 2000, 700).MultiLine(false, true).Tab(1),
    Check("Check1", 120, 1300, 2000, 255, "印").Tab(2),
    Button("Command1", 120, 1800, 900, 375, "実行").Tab(3).Default(),
    Button("Command2", 1200, 1800, 900, 375, "キャンセル").Tab(4).Cancel(),
};
const FormDecl kDialogDecl{"ダイアログ", {}, 2400, 2400, kDialogControls, Count(kDialogControls)};

class DialogForm : public Form {
public:
    explicit DialogForm(const FormDecl& d = kDialogDecl) : Form(d) {
        On("Command1", Event::Click, [this](int) { log += "OK;"; });
        On("Command2", Event::Click, [this](int) { log += "Cancel;"; });
        On("Check1", Event::Click, [this](int) { log += "Check;"; });
    }
    std::string log;

protected:
    void Form_Close() override { log += "Close;"; }
};

bool Framed(Control& c) { return (GetWindowLongA(c.hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

TEST(Form, EnterPressesTheFocusedOrDefaultButtonAndEscapeTheCancelButton) {
    DialogForm f;
    f.Show();
    EXPECT_TRUE(Framed(f.C("Command1")));
    EXPECT_FALSE(Framed(f.C("Command2")));
    test::PressKey(f.C("Text1").hwnd(), VK_RETURN);
    test::PressKey(f.C("Check1").hwnd(), VK_RETURN);  // not a click on the check box
    EXPECT_EQ(f.log, "OK;OK;");
    EXPECT_FALSE(f.C("Check1").Checked());

    // The focused button is the one Enter presses, and it wears the default frame meanwhile.
    f.log.clear();
    SetFocus(f.C("Command2").hwnd());
    EXPECT_TRUE(Framed(f.C("Command2")));
    EXPECT_FALSE(Framed(f.C("Command1")));
    test::PressKey(f.C("Command2").hwnd(), VK_RETURN);
    SetFocus(f.C("Text1").hwnd());
    EXPECT_TRUE(Framed(f.C("Command1")));
    EXPECT_FALSE(Framed(f.C("Command2")));
    EXPECT_EQ(f.log, "Cancel;");

    // A multi-line field keeps Enter as a line break; Escape there cancels and does not close.
    f.log.clear();
    SetFocus(f.C("Text2").hwnd());
    test::PressKey(f.C("Text2").hwnd(), VK_RETURN);
    EXPECT_EQ(f.C("Text2").Text(), "\r\n");
    test::PressKey(f.C("Text2").hwnd(), VK_ESCAPE);
    test::PressKey(f.C("Text1").hwnd(), VK_ESCAPE);
    EXPECT_EQ(f.log, "Cancel;Cancel;");

    // A disabled or hidden button is not pressed.
    f.log.clear();
    f.C("Command1").SetEnabled(false);
    f.C("Command2").SetVisible(false);
    test::PressKey(f.C("Text1").hwnd(), VK_RETURN);
    test::PressKey(f.C("Text1").hwnd(), VK_ESCAPE);
    EXPECT_EQ(f.log, "");
    EXPECT_TRUE(f.Loaded());
}

TEST(Form, WithoutDeclaredButtonsEnterAndEscapeDoNothing) {
    const ControlDecl controls[] = {
        Text("Text2", 120, 480, 2000, 700).MultiLine(false, true).Tab(0),
        Check("Check1", 120, 1300, 2000, 255, "印").Tab(1),
        Button("Command1", 120, 1800, 900, 375, "実行").Tab(2),
        Button("Command2", 1200, 1800, 900, 375, "キャンセル").Tab(3),
    };
    const FormDecl decl{"ダイアログ", {}, 2400, 2400, controls, Count(controls)};
    DialogForm f(decl);
    f.Show();
    EXPECT_FALSE(Framed(f.C("Command1")));
    test::PressKey(f.C("Check1").hwnd(), VK_RETURN);
    test::PressKey(f.C("Text2").hwnd(), VK_ESCAPE);
    test::PressKey(f.C("Check1").hwnd(), VK_ESCAPE);
    EXPECT_EQ(f.log, "");
    EXPECT_TRUE(f.Loaded());
}


// Each kind of control answers its own notification and no other.
TEST(Form, EachKindTurnsItsOwnNotificationIntoItsEvent) {
    struct Listening : TestForm {
        Listening() {
            On("List1", Event::Click, [this](int) { log += "List1;"; });
            On("Text1", Event::Change, [this](int i) { log += "Change" + std::to_string(i) + ";"; });
            On("Text1", Event::Click, [this](int i) { log += "Click" + std::to_string(i) + ";"; });
            On("Option1", Event::Click, [this](int) { log += "Option1;"; });
        }
    } f;
    f.Show();
    auto notify = [&](Control& c, UINT code) {
        SendMessageA(f.hwnd(), WM_COMMAND, MAKEWPARAM(c.id(), code), reinterpret_cast<LPARAM>(c.hwnd()));
    };
    auto logOf = [&](std::function<void()> act) {
        f.log.clear();
        act();
        return f.log;
    };
    Control& list = f.C("List1");
    EXPECT_EQ(logOf([&] { notify(list, LBN_SELCHANGE); }), "List1;");
    EXPECT_EQ(logOf([&] { notify(list, LBN_DBLCLK); }), "");
    EXPECT_EQ(logOf([&] { f.C("Text1", 1).SetText("u"); }), "Change1;");  // EN_CHANGE
    EXPECT_EQ(logOf([&] { notify(f.C("Text1", 0), EN_SETFOCUS); }), "");
    EXPECT_EQ(logOf([&] {
                  SendMessageA(f.C("Text1", 0).hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                  SendMessageA(f.C("Text1", 0).hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
              }),
              "Click0;");
    EXPECT_EQ(logOf([&] { SendMessageA(f.C("Option1").hwnd(), BM_CLICK, 0, 0); }), "Option1;");
    EXPECT_EQ(logOf([&] { notify(f.C("Command1"), BN_SETFOCUS); }), "");
}

// The system refuses one of its functions for as long as this lives: this program's calls to it
// go to a stand-in that fails as the system does.
class RefuseCall {
public:
    RefuseCall(const char* dll, const char* name, void* standIn)
        : real_(platform::LookUp<void*>(dll, name)), standIn_(standIn) {
        EXPECT_EQ(Swap(real_, standIn_), 1) << name;
    }
    ~RefuseCall() { Swap(standIn_, real_); }
    template <class F>
    static F Real(const char* dll, const char* name) {
        return platform::LookUp<F>(dll, name);
    }

private:
    // Every slot of this program's import table that holds `from` is made to hold `to`.
    static int Swap(void* from, void* to) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        int swapped = 0;
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d)
            for (auto* slot = reinterpret_cast<void**>(base + d->FirstThunk); *slot; ++slot)
                if (*slot == from) {
                    DWORD was = 0;
                    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
                    *slot = to;
                    VirtualProtect(slot, sizeof *slot, was, &was);
                    ++swapped;
                }
        return swapped;
    }
    void* real_;
    void* standIn_;
};

HMENU WINAPI NoMenu() { return nullptr; }
HDC WINAPI NoDC(HDC) { return nullptr; }
// Takes every entry but 終了, the last one.
BOOL WINAPI NoExitEntry(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
    static const auto real = RefuseCall::Real<BOOL(WINAPI*)(HMENU, UINT, UINT_PTR, LPCSTR)>("user32.dll", "AppendMenuA");
    if (text && platform::FromAnsi(text, lstrlenA(text)) == "終了") return FALSE;
    return real(menu, flags, id, text);
}

// A window the system cannot make, or cannot give every control or menu entry, stays unloaded:
// no Form_Load, nothing shown, and its controls and menu entries answer as empty ones until the
// window can be made.
TEST(Form, WindowTheSystemCannotMakeStaysUnloaded) {
    struct Counting : TestForm {
        int loads = 0;
        void Form_Load() override { ++loads; }
    } f;
    {
        test::RefuseWindows refuse("KazaForm");
        EXPECT_FALSE(f.Load());
        f.Show();
        f.ShowModal();
        EXPECT_FALSE(f.Loaded());
        Control& text = f.C("Text1", 0);
        text.SetText("x");
        EXPECT_EQ(f.C("Text1", 0).Text(), "");
        EXPECT_EQ(f.C("List1").ListCount(), 0);
        f.Menu("X").SetEnabled(false);
        // A picture box too, without a surface; a control asked for before is still the same one.
        PictureBoxWindow* box = f.C("Picture1").pictureBox();
        ASSERT_NE(box, nullptr);
        box->Move(0, 0, 1500, 900);
        box->SetBorder(false);
        EXPECT_FLOAT_EQ(box->Width(), 1500);
        EXPECT_EQ(box->Point(0, 0), -1);
        EXPECT_EQ(box->Surface().bits, nullptr);
        EXPECT_EQ(f.C("Picture1").pictureBox(), box);
        EXPECT_STREQ(text.decl().name, "Text1");
    }
    for (const char* cls : {"LISTBOX", STATUSCLASSNAMEA, PictureBoxWindow::ClassName()}) {
        test::RefuseWindows refuse(cls);
        EXPECT_FALSE(f.Load()) << cls;
        EXPECT_FALSE(f.Loaded()) << cls;
    }
    {
        RefuseCall refuse("user32.dll", "CreateMenu", reinterpret_cast<void*>(&NoMenu));
        EXPECT_FALSE(f.Load());
    }
    {
        RefuseCall refuse("user32.dll", "CreatePopupMenu", reinterpret_cast<void*>(&NoMenu));
        EXPECT_FALSE(f.Load());
    }
    {
        RefuseCall refuse("user32.dll", "AppendMenuA", reinterpret_cast<void*>(&NoExitEntry));
        EXPECT_FALSE(f.Load());
        EXPECT_FALSE(f.Loaded());
    }
    {
        // A picture box that could never be drawn.
        RefuseCall refuse("gdi32.dll", "CreateCompatibleDC", reinterpret_cast<void*>(&NoDC));
        EXPECT_FALSE(f.Load());
    }
    EXPECT_EQ(f.loads, 0);
    EXPECT_TRUE(f.Load());
    EXPECT_EQ(f.loads, 1);
    EXPECT_EQ(f.C("Text1", 0).Text(), "t0");

    // A window without controls has nothing else whose failure would give it away.
    static const FormDecl kBare{"空", {}, 1500, 1500, nullptr, 0};
    struct Bare : Form {
        Bare() : Form(kBare) {}
        int loads = 0;
        void Form_Load() override { ++loads; }
    } bare;
    test::RefuseWindows refuse("KazaForm");
    EXPECT_FALSE(bare.Load());
    EXPECT_EQ(bare.loads, 0);
}

HBITMAP WINAPI NoBitmap(HDC, int, int) { return nullptr; }

// Without the memory for its background the window still loads and shows the plain dialog
// colour, behind itself and behind the controls that take the form's background.
TEST(Form, BackgroundTheSystemCannotDrawIsTheDialogColour) {
    TestForm f;
    {
        RefuseCall refuse("gdi32.dll", "CreateCompatibleBitmap", reinterpret_cast<void*>(&NoBitmap));
        ASSERT_TRUE(f.Load());
    }
    EXPECT_EQ(SendMessageA(f.hwnd(), WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(f.C("Option1").hwnd())),
              reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    platform::WindowDC screen(f.hwnd());
    platform::MemoryDC mem(CreateCompatibleDC(screen.get()));
    platform::Bitmap canvas(CreateCompatibleBitmap(screen.get(), 8, 8));
    platform::SelectGuard sel(mem.get(), canvas.get());
    SendMessageA(f.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.get()), 0);
    EXPECT_EQ(GetPixel(mem.get(), 4, 4), GetSysColor(COLOR_BTNFACE));
}

// A handler under a name neither table has would never run: the first load of the window stops
// the program instead, and so does an event raised under such a name.
TEST(FormDeathTest, NameNeitherTableHasStopsTheProgram) {
    struct Misspelt : TestForm {
        Misspelt() { On("Comand1", Event::Click, [](int) {}); }
    };
    EXPECT_DEATH(Misspelt().Load(), "Comand1");
    EXPECT_DEATH(TestForm().Raise("Lable3", -1, Event::Click), "Lable3");
    TestForm f;
    EXPECT_TRUE(f.Load());  // menu entries are names too
}

// The busy pointer shows while one is in scope and gives way to the pointer before it.
TEST(Form, BusyPointerIsRestoredByScope) {
    TestForm f;
    f.Show();
    auto pointer = [&] {
        SendMessageA(f.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    EXPECT_NE(pointer(), wait);
    {
        BusyPointer outer;
        EXPECT_EQ(pointer(), wait);
        { BusyPointer inner; }
        EXPECT_EQ(pointer(), wait);
    }
    EXPECT_NE(pointer(), wait);
}

}  // namespace
}  // namespace kaza::ui

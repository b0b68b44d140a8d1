// The main window's commands with real windows: the hint each leaves in panel 1, which window it
// opens and whether the main window stays usable, the key chord, and closing the program.
#include <string>
#include <vector>

#include <windows.h>
#include <winver.h>

#include "app/fonts.h"
#include "app/form1.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "windows/form2.h"
#include "windows/frmabout.h"

namespace kaza {
namespace {

using ui::Form;

enum class Via { Menu, Button, ClickArea, Field };
enum class Opens { Nothing, Modal, Modeless };

struct Row {
    const char* trigger;
    Via via;
    const char* hint;     // panel 1 afterwards
    Opens opens;
    const char* caption;  // of the window it opens
};

constexpr const char* kSystemProperties = "一部のOSでは表示されないことがあります。(WIN98??";
constexpr const char* kAdd = "アルファベットは小文字と大文字を混合できません。";
constexpr const char* kDelete = "削除したら戻せません。";
constexpr const char* kCpu = "Win9x限定機能。コンピュータの下をクリックしてもダイアログ開きます。";
constexpr const char* kAccess = "Win9x限定機能です。タブをクリックすることでもダイアログ開きます。";

// The rows that carry a hint of their own.
const Row kRows[] = {
    {"sisuhyou", Via::Menu, kSystemProperties, Opens::Nothing, ""},
    {"Label3", Via::ClickArea, kSystemProperties, Opens::Nothing, ""},
    {"moto", Via::Menu, "バックアップしたものを元に戻します。", Opens::Modal, "バックアップしたものを元に戻す"},
    {"RISUTOTUI", Via::Menu, kAdd, Opens::Modal, "リスト追加"},
    {"Command2", Via::Button, kAdd, Opens::Modal, "リスト追加"},
    {"SAKUZYORISU", Via::Menu, kDelete, Opens::Modal, "リスト削除"},
    {"Command3", Via::Button, kDelete, Opens::Modal, "リスト削除"},
    {"CPU", Via::Menu, kCpu, Opens::Modal, "CPUファミリーネームの表示"},
    {"Label7", Via::ClickArea, kCpu, Opens::Modal, "CPUファミリーネームの表示"},
    {"AKUKIN", Via::Menu, kAccess, Opens::Modeless, "アクセス制限"},
    {"Label5", Via::ClickArea, kAccess, Opens::Modeless, "アクセス制限"},
    {"BAZYON", Via::Menu, "このソフトについての感想,バグ情報などお待ちしてます。", Opens::Modeless, "ﾊﾞｰｼﾞｮﾝ情報"},
    {"Command1", Via::Button, "半角カナ、ギリシャ文字なども使えます。", Opens::Modeless, "サポート情報"},
    {"Command4", Via::Button, "実行する前にバックアップしたほうがいいです。", Opens::Modal, "最終確認"},
    {"Text6", Via::Field, "ProcessorNameは変更しても再起動後元に戻ってしまいます。", Opens::Nothing, ""},
};

// Delivers the trigger the way the user's action arrives.
void Fire(Form1& f, const char* trigger, Via via) {
    switch (via) {
    case Via::Menu: test::ClickMenu(f, trigger); break;
    case Via::Button: test::Click(f.C(trigger)); break;
    case Via::ClickArea:
    case Via::Field: test::ClickArea(f.C(trigger)); break;
    }
}
void Fire(Form1& f, const Row& r) { Fire(f, r.trigger, r.via); }

// Every window of the program other than the main window that is on the screen.
std::vector<Form*> ShownBesides(const Form1& main) {
    std::vector<Form*> shown;
    for (Form* w : Form::All())
        if (w != &main && w->Visible()) shown.push_back(w);
    return shown;
}

// Key events with panel 1 as it stood at each of them.
class PanelAtKeys : public test::RecordingKeyboard {
public:
    explicit PanelAtKeys(Form1& f) : f_(f) {}
    std::vector<std::string> panels;
    void Event(unsigned char vk, unsigned char scan, unsigned long flags, ULONG_PTR extra) override {
        panels.push_back(f_.Panel(1));
        RecordingKeyboard::Event(vk, scan, flags, extra);
    }

private:
    Form1& f_;
};

class Commands : public ::testing::Test {
protected:
    test::ProgramFolder folder_;
    test::ScriptedDialogs dialogs_;
};

TEST_F(Commands, EachTriggerLeavesItsHintAndOpensItsWindowItsWay) {
    Form1 f;
    f.Show();
    test::RecordingKeyboard keys;
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.trigger);
        f.SetPanel(1, "前");
        struct {
            bool ran = false;
            std::string caption, panel;
            bool mainEnabled = true;
            HWND owner = nullptr;
        } modal;
        Form::SetModalHook([&](Form& w) {
            modal.ran = true;
            modal.caption = w.Caption();
            modal.panel = f.Panel(1);
            modal.mainEnabled = IsWindowEnabled(f.hwnd()) != FALSE;
            modal.owner = GetWindow(w.hwnd(), GW_OWNER);
        });
        Fire(f, r);
        Form::SetModalHook(nullptr);
        std::vector<Form*> shown = ShownBesides(f);

        EXPECT_EQ(f.Panel(1), r.hint);
        EXPECT_EQ(test::StatusText(f, 1), r.hint);
        EXPECT_TRUE(IsWindowEnabled(f.hwnd()));
        switch (r.opens) {
        case Opens::Nothing:
            EXPECT_FALSE(modal.ran);
            EXPECT_TRUE(shown.empty());
            break;
        case Opens::Modal:
            EXPECT_TRUE(shown.empty());
            EXPECT_TRUE(modal.ran);
            EXPECT_EQ(modal.caption, r.caption);
            EXPECT_FALSE(modal.mainEnabled);
            EXPECT_EQ(modal.owner, f.hwnd());  // kept above the main window
            EXPECT_EQ(modal.panel, r.hint);    // the hint comes first
            break;
        case Opens::Modeless:
            EXPECT_FALSE(modal.ran);
            EXPECT_EQ(shown.size(), 1u);
            if (!shown.empty()) {
                EXPECT_EQ(shown[0]->Caption(), r.caption);
                EXPECT_EQ(GetForegroundWindow(), shown[0]->hwnd());
            }
            break;
        }
        for (Form* w : shown) w->Unload();
    }
}

TEST_F(Commands, MenuSendsTheKeysBeforeItsHintTheComputerPictureAfter) {
    Form1 f;
    f.Show();
    struct Case {
        const char* trigger;
        Via via;
        const char* panelDuringKeys;
    } cases[] = {{"sisuhyou", Via::Menu, "前"}, {"Label3", Via::ClickArea, kSystemProperties}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        f.SetPanel(1, "前");
        PanelAtKeys keys(f);
        Fire(f, c.trigger, c.via);
        ASSERT_EQ(keys.calls.size(), 3u);  // Pause is never released
        const unsigned char vk[] = {0x5B, 0x13, 0x5B};
        const unsigned long flags[] = {0, 0, KEYEVENTF_KEYUP};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(keys.calls[i].vk, vk[i]);
            EXPECT_EQ(keys.calls[i].scan, 0);
            EXPECT_EQ(keys.calls[i].flags, flags[i]);
            EXPECT_EQ(keys.calls[i].extra, 0u);
            EXPECT_EQ(keys.panels[i], c.panelDuringKeys);
        }
        EXPECT_EQ(f.Panel(1), kSystemProperties);
    }
}

TEST_F(Commands, OpeningAWindowAgainKeepsOneInstanceAndBringsItToTheFront) {
    Form1 f;
    f.Show();
    for (const Row& r : kRows) {
        if (r.opens != Opens::Modeless) continue;
        SCOPED_TRACE(r.trigger);
        Fire(f, r);
        size_t objects = Form::All().size();
        std::vector<Form*> first = ShownBesides(f);
        f.Show();  // the main window comes forward in between
        Fire(f, r);
        std::vector<Form*> second = ShownBesides(f);
        EXPECT_EQ(Form::All().size(), objects);
        EXPECT_EQ(second, first);
        ASSERT_EQ(second.size(), 1u);
        EXPECT_EQ(GetForegroundWindow(), second[0]->hwnd());
        for (Form* w : second) w->Unload();
    }
    // The support editor keeps what was typed when it is brought forward again.
    Fire(f, "Command1", Via::Button);
    f.Window<Form2>().Text1().SetText("一行目");
    f.Show();
    Fire(f, "Command1", Via::Button);
    EXPECT_EQ(f.Window<Form2>().Text1().Text(), "一行目");
}

// A window shown modal over the main window, as the modal windows of the program are.
const ui::ControlDecl kModalControls[] = {ui::Button("Command1", 120, 120, 1200, 375, "OK").Tab(0)};
const ui::FormDecl kModalDecl{"モーダル", kWindowFont, 3000, 1500, kModalControls, ui::Count(kModalControls)};
class ModalWindow : public Form {
public:
    ModalWindow() : Form(kModalDecl) {}
};

TEST_F(Commands, MainWindowIgnoresClicksAndMenusWhileAModalWindowIsOpen) {
    Form1 f;
    f.Show();
    f.SetPanel(1, "前");
    PanelAtKeys keys(f);
    ModalWindow modal;
    bool ranInside = false;
    Form::SetModalHook([&](Form&) {
        ranInside = true;
        for (const Row& r : kRows) Fire(f, r);
        Fire(f, "E", Via::Menu);
        EXPECT_EQ(f.Panel(1), "前");
        EXPECT_TRUE(keys.calls.empty());
        EXPECT_EQ(f.ExistingWindow<Form2>(), nullptr);
        EXPECT_EQ(f.ExistingWindow<frmAbout>(), nullptr);
        EXPECT_TRUE(f.Loaded());
        EXPECT_EQ(Form::ModalDepth(), 1);
    });
    modal.ShowModal();
    EXPECT_TRUE(ranInside);
    // Usable again once the modal window has closed.
    EXPECT_TRUE(IsWindowEnabled(f.hwnd()));
    Fire(f, "BAZYON", Via::Menu);
    ASSERT_NE(f.ExistingWindow<frmAbout>(), nullptr);
    EXPECT_TRUE(f.ExistingWindow<frmAbout>()->Visible());
}

TEST_F(Commands, ModalWindowBelongsToTheProgramWindowActiveWhenItOpens) {
    Form1 f;
    f.Show();
    ModalWindow modal, inner;
    HWND owner = nullptr, innerOwner = nullptr, outer = nullptr;

    // Created afresh over the main window; a modal window opened from it belongs to it in turn.
    Form::SetModalHook([&](Form& w) {
        outer = w.hwnd();
        owner = GetWindow(w.hwnd(), GW_OWNER);
        Form::SetModalHook([&](Form& n) { innerOwner = GetWindow(n.hwnd(), GW_OWNER); });
        inner.ShowModal();
    });
    modal.ShowModal();
    EXPECT_EQ(owner, f.hwnd());
    EXPECT_EQ(innerOwner, outer);
    EXPECT_EQ(GetActiveWindow(), f.hwnd());

    // Already loaded, over the support editor the user is typing in; hidden, not unloaded, at the end.
    modal.Load();
    ASSERT_EQ(GetWindow(modal.hwnd(), GW_OWNER), nullptr);
    test::Click(f.C("Command1"));
    Form2& editor = f.Window<Form2>();
    ASSERT_EQ(GetActiveWindow(), editor.hwnd());
    owner = nullptr;
    Form::SetModalHook([&](Form& w) {
        owner = GetWindow(w.hwnd(), GW_OWNER);
        w.Hide();
    });
    modal.ShowModal();
    EXPECT_EQ(owner, editor.hwnd());
    EXPECT_EQ(GetActiveWindow(), editor.hwnd());
    // Kept hidden, it no longer belongs to the editor and outlives it.
    ASSERT_TRUE(modal.Loaded());
    EXPECT_EQ(GetWindow(modal.hwnd(), GW_OWNER), nullptr);
    SendMessageA(editor.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(editor.Loaded());
    EXPECT_TRUE(modal.Loaded());
}

TEST_F(Commands, ModelessWindowsLeaveTheMainWindowUsable) {
    Form1 f;
    f.Show();
    Fire(f, "Command1", Via::Button);
    Fire(f, "BAZYON", Via::Menu);
    ASSERT_EQ(ShownBesides(f).size(), 2u);
    Fire(f, "Text6", Via::Field);
    EXPECT_EQ(f.Panel(1), "ProcessorNameは変更しても再起動後元に戻ってしまいます。");
    test::RecordingKeyboard keys;
    Fire(f, "Label3", Via::ClickArea);
    EXPECT_EQ(keys.calls.size(), 3u);
}

TEST_F(Commands, ClosingTheMainWindowUnloadsEveryWindowWithoutAsking) {
    for (Via via : {Via::Field, Via::Menu}) {  // the close box, then menu E
        SCOPED_TRACE(via == Via::Menu ? "E" : "close box");
        Form1 f;
        int closed = 0;
        f.onClosed = [&] { ++closed; };
        f.Show();
        Fire(f, "Command1", Via::Button);
        f.Window<Form2>().Text1().SetText("保存されない行");
        Fire(f, "BAZYON", Via::Menu);
        if (via == Via::Menu) Fire(f, "E", Via::Menu);
        else SendMessageA(f.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(closed, 1);
        EXPECT_FALSE(f.Loaded());
        EXPECT_FALSE(f.Window<Form2>().Loaded());
        EXPECT_FALSE(f.Window<frmAbout>().Loaded());
        EXPECT_TRUE(dialogs_.messages.empty());
    }
}

// The program itself, started as the user starts it: closing its main window while the support
// editor and the version window are open ends the process.
TEST(Program, EndsWhenItsMainWindowClosesWithSideWindowsOpen) {
    std::string exe = test::WindowsPath(KAZA_EXE);
    // The exe of this build's own architecture, each started in the prefix that matches it.
    DWORD kind = 0;
    ASSERT_TRUE(GetBinaryTypeA(exe.c_str(), &kind));
    EXPECT_EQ(kind, sizeof(void*) == 8 ? 6u /* SCS_64BIT_BINARY */ : static_cast<DWORD>(SCS_32BIT_BINARY));
    // Started as when a text file is dropped on it: the import refuses the file, the window opens.
    const std::string dropped = test::ScratchFolder("dropped") + "\\note.txt";
    test::WriteBytes(dropped, "not a picture");
    std::string cmd = "\"" + exe + "\" \"" + dropped + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    platform::FileHandle process(pi.hProcess), thread(pi.hThread);
    // Whatever fails below, the program does not outlive the test.
    struct Reaper {
        HANDLE h;
        ~Reaper() {
            if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) TerminateProcess(h, 1);
        }
    } reaper{pi.hProcess};

    HWND main = test::WaitForWindow(pi.dwProcessId, "カザグルマ");
    ASSERT_NE(main, nullptr);
    HWND support = FindWindowExA(main, nullptr, "Button", test::Sjis("サポート情報（Ｓ）").c_str());
    ASSERT_NE(support, nullptr);
    PostMessageA(support, BM_CLICK, 0, 0);
    // Menu handles do not cross processes; the program numbers its menu entries as this one does.
    UINT about = 0;
    {
        test::ProgramFolder folder;
        Form1 twin;
        about = twin.Menu("BAZYON").id();
    }
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(about, 0), 0);
    EXPECT_NE(test::WaitForWindow(pi.dwProcessId, "サポート情報"), nullptr);
    EXPECT_NE(test::WaitForWindow(pi.dwProcessId, "ﾊﾞｰｼﾞｮﾝ情報"), nullptr);

    PostMessageA(main, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.get(), 1);
    ASSERT_TRUE(ended);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 0u);
}


// What the Version tab of the exe's properties shows, read as Explorer reads it.
TEST(Program, CarriesACompleteJapaneseVersionResource) {
    std::string exe = test::WindowsPath(KAZA_EXE);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
    void* p = nullptr;
    UINT n = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &p, &n));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(p);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(21, 6));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(21, 6));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &p, &n));
    ASSERT_EQ(n, 4u);
    EXPECT_EQ(static_cast<const WORD*>(p)[0], 0x0411);
    EXPECT_EQ(static_cast<const WORD*>(p)[1], 932);
    auto value = [&](const char* name) {
        std::string key = std::string("\\StringFileInfo\\041103a4\\") + name;
        if (!VerQueryValueA(info.data(), key.c_str(), &p, &n) || !p) return std::string("<missing>");
        return platform::FromAnsi(static_cast<const char*>(p), strlen(static_cast<const char*>(p)));
    };
    EXPECT_EQ(value("ProductName"), "カザグルマ");
    EXPECT_EQ(value("FileDescription"), "カザグルマ");
    EXPECT_EQ(value("CompanyName"), "カザグルマ");
    EXPECT_EQ(value("FileVersion"), "6.21");
    EXPECT_EQ(value("ProductVersion"), "6.21");
    EXPECT_EQ(value("LegalCopyright"), "Copyright (C) 2005 カザグルマ");
    EXPECT_EQ(value("InternalName"), "kazaguruma");
    // The tests run the 64-bit build, shipped as kazaguruma64.exe.
    EXPECT_EQ(value("OriginalFilename"), sizeof(void*) == 8 ? "kazaguruma64.exe" : "kazaguruma.exe");
}

}  // namespace
}  // namespace kaza

// A form's life: creation from its table, showing, hiding, unloading, and the handlers its
// events go to.
#include "platform/ui/form.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdlib>

#include "platform/system.h"
#include "platform/lookup.h"
#include "platform/text.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui {

using platform::FromAnsi;
using platform::ToAnsi;

namespace detail {

std::vector<Form*>& Forms() {
    static std::vector<Form*> all;
    return all;
}
int& ModalDepth() {
    static int depth = 0;
    return depth;
}
bool& Busy() {
    static bool busy = false;
    return busy;
}
std::function<void(Form&)>& ModalHook() {
    static std::function<void(Form&)> hook;
    return hook;
}

std::string WindowText(HWND h) {
    int n = GetWindowTextLengthA(h);
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(h, buf.data(), n + 1);
    return FromAnsi(buf.data(), buf.size());
}

}  // namespace detail

namespace {

// A fault in a window's table or handlers: fail loudly in every build, and say what it was.
[[noreturn]] void TableFault(const std::string& what) {
    OutputDebugStringA(what.c_str());
    // Test programs have a console to say it on; the program itself has none.
    DWORD written = 0;
    std::string line = what + "\n";
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    std::abort();
}

// Vista and later draw a program that declares itself DPI-aware (its manifest does) at the
// screen's resolution and leave the scaling to it; any other they draw at 96 dpi and stretch,
// blurred. Earlier systems never scale: there a program keeps the 96-dpi layout.
int DpiToLayOutAt() {
    platform::VersionInfo v = platform::WindowsVersion();
    if (v.platformId != VER_PLATFORM_WIN32_NT || v.major < 6) return 96;
    using IsAware = BOOL(WINAPI*)();
    auto aware = platform::LookUp<IsAware>("user32.dll", "IsProcessDPIAware");
    if (!aware || !aware()) return 96;
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return std::max(96, dpi);
}

}  // namespace

bool InitToolkit() {
    static bool ready = false;
    static bool done = false;
    if (done) return ready;
    done = true;
    detail::layoutDpi = DpiToLayOutAt();
    // The status bar is the only common control (ICC_STANDARD_CLASSES would be a 6.0 flag).
    // comctl32 is no KnownDLL: imported, it would be looked for beside the program first. It is
    // loaded from the system folder instead; comctl32 4.00 (NT 4.0 before Internet Explorer 3)
    // has only InitCommonControls.
    HMODULE comctl = platform::LoadSystemDll("comctl32.dll");
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using Init = void(WINAPI*)();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    if (auto initEx = platform::LookUp<InitEx>(comctl, "InitCommonControlsEx")) initEx(&icc);
    else if (auto init = platform::LookUp<Init>(comctl, "InitCommonControls")) init();
    // Pictures are loaded through OLE. A thread whose COM was started in another mode
    // (RPC_E_CHANGED_MODE) still loads them; anything else leaves every picture empty.
    HRESULT ole = OleInitialize(nullptr);
    bool oleReady = SUCCEEDED(ole) || ole == RPC_E_CHANGED_MODE;
    if (!oleReady) OutputDebugStringA("OleInitialize failed: pictures cannot be loaded");
    WNDCLASSA wc{};
    wc.lpfnWndProc = Form::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = detail::kFormClass;
    bool registered = RegisterClassA(&wc) != 0;
    detail::RegisterLineClass();
    PictureBoxWindow::Register();
    ready = oleReady && registered;
    return ready;
}

Form::Form(const FormDecl& decl) : decl_(decl) {
    InitToolkit();
    detail::Forms().push_back(this);
}

Form::~Form() {
    if (hwnd_) {
        unloading_ = true;
        DestroyWindow(hwnd_);
    }
    auto& all = detail::Forms();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

const std::vector<Form*>& Form::All() { return detail::Forms(); }

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

// ---------------------------------------------------------------- handlers

void Form::On(const std::string& name, Event e, Handler h) { handlers_[{name, e}] = std::move(h); }

bool Form::HasHandler(const std::string& name) const {
    for (Event e : {Event::Click, Event::Change, Event::KeyUp})
        if (handlers_.count({name, e})) return true;
    return false;
}

bool Form::Declares(const std::string& name) const {
    for (size_t i = 0; i < decl_.controlCount; ++i)
        if (name == decl_.controls[i].name) return true;
    for (size_t i = 0; i < decl_.menuCount; ++i)
        if (name == decl_.menus[i].name) return true;
    return false;
}

// Every handler must belong to a control or menu entry of the window's tables: a misspelt name
// would otherwise leave a handler nothing ever calls.
void Form::CheckHandlers() const {
    for (const auto& [key, handler] : handlers_)
        if (!Declares(key.first)) TableFault("handler for " + key.first + ", which " + decl_.caption + " has not");
}

void Form::Raise(const std::string& name, int index, Event e) {
    if (!Declares(name)) TableFault("event raised for " + name + ", which " + decl_.caption + " has not");
    auto it = handlers_.find({name, e});
    if (it != handlers_.end()) it->second(index);
}

void Form::Dispatch(Control& c, Event e) { Raise(c.decl().name, c.decl().index, e); }

// ---------------------------------------------------------------- life

bool Form::Load() {
    if (hwnd_) return true;
    CheckHandlers();
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (!CreateMenus()) {
        OutputDebugStringA((std::string("cannot create the menu bar of ") + decl_.caption).c_str());
        return false;
    }
    RECT r{0, 0, Px(decl_.clientWidth), Px(decl_.clientHeight)};
    AdjustWindowRectEx(&r, style, menuBar_ != nullptr, exStyle);
    HWND created = CreateWindowExA(exStyle, detail::kFormClass, ToAnsi(decl_.caption).c_str(), style, CW_USEDEFAULT,
                                   CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                   std::exchange(createOwner_, nullptr), menuBar_, GetModuleHandleA(nullptr), this);
    if (!created) {
        // A window that got as far as WM_NCCREATE took its menu bar down with it (and cleared
        // menuBar_ on its way out); one that never existed left the bar to us.
        OutputDebugStringA((std::string("cannot create the window ") + decl_.caption).c_str());
        if (menuBar_) DestroyMenu(menuBar_);
        menuBar_ = nullptr;
        menus_.clear();
        hwnd_ = nullptr;
        return false;
    }
    // The menu bar can wrap onto two lines; make sure the client area keeps its size.
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (client.bottom != Px(decl_.clientHeight) || client.right != Px(decl_.clientWidth)) {
        RECT w{};
        GetWindowRect(hwnd_, &w);
        SetWindowPos(hwnd_, nullptr, 0, 0, (w.right - w.left) + Px(decl_.clientWidth) - client.right,
                     (w.bottom - w.top) + Px(decl_.clientHeight) - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RebuildBackground();
    if (!CreateControls() || !CreateStatusBar()) {
        // Half a window would take clicks it cannot answer: none at all, and no Form_Load.
        unloading_ = true;
        DestroyWindow(hwnd_);
        return false;
    }
    Form_Load();
    return true;
}

void Form::Show() {
    if (!Load()) return;
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

void Form::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::CentreOver(HWND other) {
    RECT owner{}, own{};
    if (!other || !hwnd_ || !GetWindowRect(other, &owner) || !GetWindowRect(hwnd_, &own)) return;
    int x = owner.left + ((owner.right - owner.left) - (own.right - own.left)) / 2;
    int y = owner.top + ((owner.bottom - owner.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(hwnd_, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Unload() {
    if (!hwnd_ || unloading_) return;
    unloading_ = true;
    Form_Unload();
    HWND h = hwnd_;
    // Hand the activation back before this window disappears, as a modal owner expects.
    if (detail::ModalDepth() == 0 || IsWindowVisible(h)) ShowWindow(h, SW_HIDE);
    DestroyWindow(h);
}

// ---------------------------------------------------------------- the controls by name

Control& Form::C(const std::string& name, int index) {
    if (Control* c = Find(name, index)) return *c;
    if (!hwnd_) {
        // The window could not be made: its controls answer as empty ones, so that the program
        // carries on without them. Each keeps its stand-in for the life of the form, so a control
        // asked for earlier is still there after the next one is asked for.
        for (auto& d : detached_)
            if (name == d->decl().name && d->decl().index == index) return *d;
        for (size_t i = 0; i < decl_.controlCount; ++i)
            if (name == decl_.controls[i].name && decl_.controls[i].index == index) {
                detached_.push_back(std::make_unique<Control>(*this, decl_.controls[i], nullptr, 0));
                return *detached_.back();
            }
    }
    TableFault("no control " + name + "(" + std::to_string(index) + ") in " + decl_.caption);
}

Control* Form::Find(const std::string& name, int index) {
    if (!hwnd_) Load();
    for (auto& c : controls_)
        if (name == c->decl().name && c->decl().index == index) return c.get();
    return nullptr;
}

Control* Form::FindByHwnd(HWND h) {
    for (auto& c : controls_)
        if (c->hwnd() == h) return c.get();
    return nullptr;
}

std::string Form::Caption() const { return hwnd_ ? detail::WindowText(hwnd_) : std::string(decl_.caption); }
void Form::SetCaption(const std::string& text) {
    if (hwnd_) SetWindowTextA(hwnd_, ToAnsi(text).c_str());
}

void Form::SetBusy(bool busy) {
    detail::Busy() = busy;
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

BusyPointer::BusyPointer() : previous_(detail::Busy()) { Form::SetBusy(true); }
BusyPointer::~BusyPointer() { Form::SetBusy(previous_); }

// ---------------------------------------------------------------- messages

LRESULT CALLBACK Form::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = reinterpret_cast<Form*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = h;
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->status_ = nullptr;
        self->panelTexts_.clear();
        self->menuBar_ = nullptr;  // destroyed with the window
        self->controls_.clear();
        self->menus_.clear();
        self->unloading_ = false;
        self->lastFocus_ = nullptr;
        return DefWindowProcA(h, msg, wp, lp);
    }
    return self->Handle(msg, wp, lp);
}

LRESULT Form::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(ColorFor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
    case WM_SETCURSOR:
        if (detail::Busy()) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        // A window disabled under a modal one takes no command, however it arrives.
        if (!IsWindowEnabled(hwnd_)) return 0;
        if (lp) ControlCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
        else MenuCommand(LOWORD(wp));
        return 0;
    case WM_ACTIVATE:
        if (Activated(wp)) return 0;
        break;
    case WM_CLOSE:
        Form_Close();
        return 0;
    case WM_SIZE:
        if (status_) SendMessageA(status_, WM_SIZE, 0, 0);
        break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace kaza::ui

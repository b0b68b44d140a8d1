#include "platform/ui/form.h"

#include <commctrl.h>

#include <cstddef>
#include <ole2.h>

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "platform/ui/picturebox.h"

namespace kaza::ui {
namespace {

using platform::FromAnsi;
using platform::ToAnsi;

constexpr const char* kFormClass = "KazaForm";
constexpr const char* kLineClass = "KazaLine";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which dialog keys send
constexpr UINT kFirstMenuId = 1000;
// A subclassed control keeps the window procedure it had and its form in two properties.
// (comctl32's SetWindowSubclass has a name only from XP on; this works on every system.)
constexpr char kPreviousProc[] = "kaza.proc";
constexpr char kOwningForm[] = "kaza.form";

std::vector<Form*>& Registry() {
    static std::vector<Form*> all;
    return all;
}
int g_modalDepth = 0;
bool g_busy = false;
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

// Lines are child windows covering the line's box; they draw the form's background under them
// and let clicks through to whatever lies below.
LRESULT CALLBACK LineProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT rc;
        GetClientRect(h, &rc);
        HBRUSH bg = reinterpret_cast<HBRUSH>(
            SendMessageA(GetParent(h), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
        FillRect(dc, &rc, bg ? bg : GetSysColorBrush(COLOR_BTNFACE));
        // Geometry: pen width and the two end points relative to the window, kept in props.
        int w = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(h, "w")));
        COLORREF color = static_cast<COLORREF>(reinterpret_cast<INT_PTR>(GetPropA(h, "c")));
        platform::Pen pen(CreatePen(PS_SOLID, w, color));
        platform::SelectGuard sel(dc, pen.get());
        int x1 = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(h, "x1")));
        int y1 = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(h, "y1")));
        int x2 = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(h, "x2")));
        int y2 = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(h, "y2")));
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        for (const char* p : {"w", "c", "x1", "y1", "x2", "y2"}) RemovePropA(h, p);
        break;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

// Status bar tooltips came with comctl32 4.71 (Internet Explorer 4); the declarations are
// hidden by the headers of the oldest systems, so they are spelled out here.
constexpr DWORD kSbtTooltips = 0x0800;              // SBT_TOOLTIPS
constexpr UINT kSbSetTipTextA = WM_USER + 16;       // SB_SETTIPTEXTA
struct DllVersion {                                 // DLLVERSIONINFO
    DWORD cbSize, dwMajorVersion, dwMinorVersion, dwBuildNumber, dwPlatformID;
};
using DllGetVersionProc = HRESULT(CALLBACK*)(DllVersion*);

// Asked of the comctl32 the program runs with: 4.70 and older have no DllGetVersion at all.
bool StatusTipsAvailable() {
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    if (!comctl) return false;
    auto get = reinterpret_cast<DllGetVersionProc>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    if (!get) return false;
    DllVersion v{sizeof v, 0, 0, 0, 0};
    if (FAILED(get(&v))) return false;
    return v.dwMajorVersion > 4 || (v.dwMajorVersion == 4 && v.dwMinorVersion >= 71);
}

// The room the status bar leaves for a panel's text: its width less the edges and margins.
int PanelRoom(int widthPx) { return widthPx - 2 * GetSystemMetrics(SM_CXEDGE) - 4; }

int ZGroup(const ControlDecl& s) {
    // Fields, buttons, lists and picture boxes lie on top, in tab order; then lines, labels,
    // click areas, images, and frames at the bottom. A picture box covers the lines and labels
    // that share its place (an overlay strip hides what it is laid over). Click areas lie below
    // the labels they overlap; a label without a click handler lets clicks through to the click
    // area beneath.
    switch (s.kind) {
    case Kind::Line: return 1;
    case Kind::Label: return 2;
    case Kind::ClickArea: return 3;
    case Kind::Image: return 4;
    case Kind::Picture: return 0;
    case Kind::Frame: return 5;
    default: return 0;
    }
}

}  // namespace

// ---------------------------------------------------------------- Control

Control::Control(Form& form, const ControlDecl& decl, HWND hwnd, int id)
    : form_(form), decl_(decl), hwnd_(hwnd), id_(id), fore_(decl.fore), back_(decl.back) {}

std::string Control::Caption() const { return WindowText(hwnd_); }

void Control::SetCaption(const std::string& text) {
    SetWindowTextA(hwnd_, ToAnsi(text).c_str());
    if (decl_.kind == Kind::Label || decl_.kind == Kind::Check || decl_.kind == Kind::Option) {
        // Transparent labels repaint the form's background under the old text.
        RECT r = PixelRect();
        InvalidateRect(GetParent(hwnd_), &r, TRUE);
    }
}

// Setting the text clears the edit control's flag; typing, pasting or cutting sets it.
bool Control::Modified() const {
    return decl_.kind == Kind::Text && SendMessageA(hwnd_, EM_GETMODIFY, 0, 0) != 0;
}

bool Control::Visible() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::SetVisible(bool on) { ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE); }
bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void Control::SetEnabled(bool on) { EnableWindow(hwnd_, on ? TRUE : FALSE); }

bool Control::Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Control::SetChecked(bool on) { SendMessageA(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

void Control::AddItem(const std::string& text) {
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToAnsi(text).c_str()));
}
void Control::Clear() { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }
int Control::ListCount() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }
int Control::ListIndex() const {
    LRESULT i = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}
void Control::SetListIndex(int i) { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(i), 0); }
std::string Control::ListItem(int i) const {
    if (i < 0 || i >= ListCount()) return {};
    LRESULT n = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n == LB_ERR) return {};
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
    return FromAnsi(buf.data(), buf.size());
}
std::string Control::SelectedText() const { return ListItem(ListIndex()); }

void Control::Move(double left, double top, double width, double height) {
    if (PictureBoxWindow* pb = pictureBox()) {
        // Picture boxes keep their geometry in twips themselves.
        pb->Move(static_cast<float>(left), static_cast<float>(top), static_cast<float>(width), static_cast<float>(height));
        return;
    }
    MoveWindow(hwnd_, Px(left), Px(top), std::max(0, Px(width)), std::max(0, Px(height)), TRUE);
}

RECT Control::PixelRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::SetFore(COLORREF c) {
    fore_ = c;
    InvalidateRect(hwnd_, nullptr, TRUE);
}
void Control::SetBack(COLORREF c) {
    back_ = c;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

PictureBoxWindow* Control::pictureBox() const { return PictureBoxWindow::From(hwnd_); }

// ---------------------------------------------------------------- MenuItem

MenuItem::MenuItem(Form& form, const MenuDecl& decl, HMENU parent, UINT id, HMENU popup)
    : form_(form), decl_(decl), parent_(parent), id_(id), popup_(popup), caption_(decl.caption) {}

void MenuItem::SetCaption(const std::string& text) {
    caption_ = text;
    std::string ansi = ToAnsi(text);
    // The record as 95 and NT 4.0 know it (without hbmpItem), and the text set the way they know
    // (MIIM_STRING is 98/2000 and later): they refuse anything else and leave the caption alone.
    MENUITEMINFOA mi{};
    constexpr UINT kOldSize = offsetof(MENUITEMINFOA, hbmpItem);
    static_assert(sizeof(void*) != 4 || kOldSize == 44, "the 95 and NT 4.0 record is 44 bytes");
    mi.cbSize = kOldSize;
    mi.fMask = MIIM_TYPE;
    mi.fType = MFT_STRING;
    mi.dwTypeData = ansi.data();
    if (popup_) {
        for (int i = 0, n = GetMenuItemCount(parent_); i < n; ++i)
            if (GetSubMenu(parent_, i) == popup_) SetMenuItemInfoA(parent_, static_cast<UINT>(i), TRUE, &mi);
    } else {
        SetMenuItemInfoA(parent_, id_, FALSE, &mi);
    }
    if (form_.hwnd()) DrawMenuBar(form_.hwnd());
}

void MenuItem::SetEnabled(bool on) {
    enabled_ = on;
    EnableMenuItem(parent_, id_, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    if (form_.hwnd()) DrawMenuBar(form_.hwnd());
}

// ---------------------------------------------------------------- Form

void InitToolkit() {
    static bool done = false;
    if (done) return;
    done = true;
    // The status bar is the only common control (ICC_STANDARD_CLASSES would be a 6.0 flag).
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Form::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kFormClass;
    RegisterClassA(&wc);
    WNDCLASSA lc{};
    lc.lpfnWndProc = LineProc;
    lc.hInstance = GetModuleHandleA(nullptr);
    lc.lpszClassName = kLineClass;
    RegisterClassA(&lc);
    PictureBoxWindow::Register();
}

Form::Form(const FormDecl& decl) : decl_(decl) {
    InitToolkit();
    Registry().push_back(this);
}

Form::~Form() {
    if (hwnd_) {
        unloading_ = true;
        DestroyWindow(hwnd_);
    }
    auto& all = Registry();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

const std::vector<Form*>& Form::All() { return Registry(); }
int Form::ModalDepth() { return g_modalDepth; }
void Form::SetModalHook(std::function<void(Form&)> hook) { ModalHook() = std::move(hook); }

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::On(const std::string& name, Event e, Handler h) {
    handlers_[{name + "#" + std::to_string(static_cast<int>(e)), 0}] = std::move(h);
}

bool Form::HasHandler(const std::string& name) const {
    for (int e = 0; e < 3; ++e)
        if (handlers_.count({name + "#" + std::to_string(e), 0})) return true;
    return false;
}

void Form::Raise(const std::string& name, int index, Event e) {
    auto it = handlers_.find({name + "#" + std::to_string(static_cast<int>(e)), 0});
    if (it != handlers_.end()) it->second(index);
}

void Form::Dispatch(Control& c, Event e) { Raise(c.decl().name, c.decl().index, e); }

void Form::Load() {
    if (hwnd_) return;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    CreateMenus();
    RECT r{0, 0, Px(decl_.clientWidth), Px(decl_.clientHeight)};
    AdjustWindowRectEx(&r, style, menuBar_ != nullptr, exStyle);
    hwnd_ = CreateWindowExA(exStyle, kFormClass, ToAnsi(decl_.caption).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, std::exchange(createOwner_, nullptr),
                            menuBar_, GetModuleHandleA(nullptr), this);
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
    CreateControls();
    CreateStatusBar();
    Form_Load();
}

void Form::Show() {
    Load();
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

// The program window a modal window belongs to: the one the user is working in when it opens,
// else the first program window there is (the main window). Never the window itself or one of
// the windows it owns.
HWND Form::ModalOwner() const {
    auto eligible = [this](HWND h) {
        if (!h || h == hwnd_) return false;
        for (HWND o = GetWindow(h, GW_OWNER); o; o = GetWindow(o, GW_OWNER))
            if (o == hwnd_) return false;
        return true;
    };
    HWND active = GetActiveWindow();
    for (Form* f : Registry())
        if (f != this && f->hwnd_ && f->hwnd_ == active && eligible(active)) return active;
    for (bool needVisible : {true, false})
        for (Form* f : Registry())
            if (f != this && eligible(f->hwnd_) && (!needVisible || IsWindowVisible(f->hwnd_))) return f->hwnd_;
    return nullptr;
}

void Form::ShowModal() {
    // Owned, so that no window manager can put it behind the window it belongs to. A window that
    // was loaded before gets the owner now; the previous one comes back when it closes, so that a
    // window kept hidden does not go down with a window it was only shown over.
    HWND owner = ModalOwner();
    HWND previousOwner = nullptr;
    if (!hwnd_) {
        createOwner_ = owner;
        Load();
    } else {
        previousOwner = GetWindow(hwnd_, GW_OWNER);
        if (previousOwner != owner) SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    std::vector<HWND> disabled;
    for (Form* f : Registry())
        if (f != this && f->hwnd_ && IsWindowEnabled(f->hwnd_)) {
            EnableWindow(f->hwnd_, FALSE);
            disabled.push_back(f->hwnd_);
        }
    ++g_modalDepth;
    Show();
    if (auto hook = std::exchange(ModalHook(), nullptr)) {
        hook(*this);
        if (Visible()) Unload();
    }
    MSG msg;
    while (hwnd_ && IsWindowVisible(hwnd_)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!TranslateFormMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    --g_modalDepth;
    if (hwnd_ && GetWindow(hwnd_, GW_OWNER) != previousOwner)
        SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previousOwner));
    for (HWND h : disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    // Back to the window the user was working in.
    if (owner && IsWindow(owner) && IsWindowEnabled(owner)) SetActiveWindow(owner);
    else if (!disabled.empty() && IsWindow(disabled.front())) SetActiveWindow(disabled.front());
}

void Form::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::Unload() {
    if (!hwnd_ || unloading_) return;
    unloading_ = true;
    Form_Unload();
    HWND h = hwnd_;
    // Hand the activation back before this window disappears, as a modal owner expects.
    if (g_modalDepth == 0 || IsWindowVisible(h)) ShowWindow(h, SW_HIDE);
    DestroyWindow(h);
}

Control& Form::C(const std::string& name, int index) {
    Control* c = Find(name, index);
    if (!c) {
        // Programming error in a table or handler: fail loudly in every build.
        std::string msg = "no control " + name + "(" + std::to_string(index) + ") in " + decl_.caption;
        OutputDebugStringA(msg.c_str());
        std::abort();
    }
    return *c;
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

MenuItem& Form::Menu(const std::string& name) {
    if (!hwnd_) Load();
    for (auto& m : menus_)
        if (name == m->decl().name) return *m;
    std::abort();
}

std::string Form::Caption() const { return hwnd_ ? WindowText(hwnd_) : std::string(decl_.caption); }
void Form::SetCaption(const std::string& text) {
    if (hwnd_) SetWindowTextA(hwnd_, ToAnsi(text).c_str());
}

std::string Form::Panel(int i) const {
    if (i < 1 || static_cast<size_t>(i) > panelTexts_.size()) return {};
    return panelTexts_[static_cast<size_t>(i) - 1];
}

void Form::SetPanel(int i, const std::string& text) {
    if (!hwnd_) Load();
    if (!status_ || i < 1 || static_cast<size_t>(i) > panelTexts_.size()) return;
    panelTexts_[static_cast<size_t>(i) - 1] = text;
    // The status bar's own text, so that screen readers and automation read what the user sees.
    std::string ansi = ToAnsi(text);
    SendMessageA(status_, SB_SETTEXTA, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(ansi.c_str()));
    UpdatePanelTip(i);
}

// A text wider than its panel is cut off where the panel ends; its tooltip shows all of it.
void Form::UpdatePanelTip(int i) {
    if (!statusTips_) return;
    std::string ansi = ToAnsi(panelTexts_[static_cast<size_t>(i) - 1]);
    RECT part{};
    SendMessageA(status_, SB_GETRECT, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(&part));
    SIZE size{};
    {
        platform::WindowDC dc(status_);
        platform::SelectGuard sel(dc.get(), reinterpret_cast<HFONT>(SendMessageA(status_, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), ansi.c_str(), static_cast<int>(ansi.size()), &size);
    }
    bool cut = size.cx > PanelRoom(part.right - part.left);
    std::string tip = cut ? ansi : std::string();
    SendMessageA(status_, kSbSetTipTextA, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(tip.c_str()));
}

void Form::SetBackgroundPicture(platform::Picture picture) {
    background_ = std::move(picture);
    if (!hwnd_) return;
    RebuildBackground();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form::SetBusy(bool busy) {
    g_busy = busy;
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Form::RebuildBackground() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    platform::WindowDC screen(hwnd_);
    platform::MemoryDC mem(CreateCompatibleDC(screen.get()));
    backgroundBitmap_.reset(CreateCompatibleBitmap(screen.get(), std::max<int>(1, rc.right), std::max<int>(1, rc.bottom)));
    {
        platform::SelectGuard sel(mem.get(), backgroundBitmap_.get());
        FillRect(mem.get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
        if (!background_.empty()) background_.Render(mem.get(), 0, 0, background_.width(), background_.height());
    }
    backgroundBrush_.reset(CreatePatternBrush(backgroundBitmap_.get()));
}

HFONT Form::FontFor(const FontDecl& f) {
    struct Key {
        std::string face;
        float pts;
        bool bold;
        bool operator<(const Key& o) const {
            return std::tie(face, pts, bold) < std::tie(o.face, o.pts, o.bold);
        }
    };
    static std::map<Key, platform::Font> cache;
    Key key{f.face ? f.face : decl_.font.face, f.points > 0 ? f.points : decl_.font.points, f.bold};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    std::string face = ToAnsi(key.face);
    // The Japanese character set makes the font mapper fall back to another Japanese face
    // where the named one is missing.
    int height = -static_cast<int>(std::lround(key.pts * 96.0 / 72.0));
    HFONT font = CreateFontA(height, 0, 0, 0, key.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             face.c_str());
    return cache.emplace(key, platform::Font(font)).first->second.get();
}

void Form::CreateMenus() {
    if (!decl_.menus || decl_.menuCount == 0 || menuBar_) return;
    menuBar_ = CreateMenu();
    HMENU parents[3] = {menuBar_, nullptr, nullptr};
    for (size_t i = 0; i < decl_.menuCount; ++i) {
        const MenuDecl& m = decl_.menus[i];
        HMENU parent = parents[m.level];
        UINT id = kFirstMenuId + static_cast<UINT>(i);
        bool hasChildren = i + 1 < decl_.menuCount && decl_.menus[i + 1].level > m.level;
        HMENU popup = nullptr;
        if (std::string(m.caption) == "-") {
            AppendMenuA(parent, MF_SEPARATOR, id, nullptr);
        } else if (hasChildren) {
            popup = CreatePopupMenu();
            AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), ToAnsi(m.caption).c_str());
            parents[m.level + 1] = popup;
        } else {
            AppendMenuA(parent, MF_STRING, id, ToAnsi(m.caption).c_str());
        }
        menus_.push_back(std::make_unique<MenuItem>(*this, m, parent, id, popup));
    }
}

void Form::CreateControls() {
    controls_.clear();
    HINSTANCE inst = GetModuleHandleA(nullptr);
    std::vector<std::pair<const ControlDecl*, HWND>> created;
    for (size_t i = 0; i < decl_.controlCount; ++i) {
        const ControlDecl& s = decl_.controls[i];
        int left = s.left, top = s.top;
        if (s.container) {
            for (size_t j = 0; j < i; ++j)
                if (std::string(decl_.controls[j].name) == s.container) {
                    left += decl_.controls[j].left;
                    top += decl_.controls[j].top;
                }
        }
        const char* cls = "STATIC";
        // Clipped by their siblings, so that a control lower in the stack never paints over one above it.
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (s.visible ? WS_VISIBLE : 0) | (s.enabled ? 0 : WS_DISABLED);
        DWORD ex = 0;
        std::string caption = ToAnsi(s.caption);
        int x = Px(left), y = Px(top), w = Px(s.width), h = Px(s.height);
        switch (s.kind) {
        case Kind::Label:
            style |= SS_LEFT | SS_NOPREFIX | (HasHandler(s.name) ? SS_NOTIFY : 0);
            break;
        case Kind::ClickArea:
            style |= SS_LEFT | SS_NOTIFY;
            break;
        case Kind::Text:
            cls = "EDIT";
            ex |= WS_EX_CLIENTEDGE;
            style |= WS_TABSTOP | ES_LEFT | (s.readOnly ? ES_READONLY : 0);
            if (s.multiLine)
                style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (s.hScroll ? WS_HSCROLL | ES_AUTOHSCROLL : 0) |
                         (s.vScroll ? WS_VSCROLL : 0);
            else
                style |= ES_AUTOHSCROLL;
            break;
        case Kind::Button:
            cls = "BUTTON";
            style |= WS_TABSTOP | (s.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE;
            break;
        case Kind::List:
            cls = "LISTBOX";
            ex |= WS_EX_CLIENTEDGE;
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            break;
        case Kind::Frame:
            cls = "BUTTON";
            style |= BS_GROUPBOX;
            break;
        case Kind::Check:
            cls = "BUTTON";
            style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE;
            break;
        case Kind::Option:
            cls = "BUTTON";
            style |= WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE;
            break;
        case Kind::Picture:
        case Kind::Image:
            cls = PictureBoxWindow::ClassName();
            if (s.kind == Kind::Picture && s.border) ex |= WS_EX_CLIENTEDGE;
            if (s.tabIndex >= 0) style |= WS_TABSTOP;
            caption.clear();
            break;
        case Kind::Line: {
            cls = kLineClass;
            caption.clear();
            int x1 = Px(s.left), y1 = Px(s.top), x2 = Px(s.width), y2 = Px(s.height);
            int pad = (s.lineWidth + 1) / 2;
            x = std::min(x1, x2) - pad;
            y = std::min(y1, y2) - pad;
            w = std::abs(x2 - x1) + 2 * pad + (s.lineWidth <= 1 ? 1 : 0);
            h = std::abs(y2 - y1) + 2 * pad + (s.lineWidth <= 1 ? 1 : 0);
            break;
        }
        }
        int id = kFirstControlId + static_cast<int>(i);
        HWND hw = CreateWindowExA(ex, cls, caption.c_str(), style, x, y, w, h, hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
        if (s.kind == Kind::Line) {
            SetPropA(hw, "w", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(s.lineWidth)));
            SetPropA(hw, "c", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(s.fore == kDefaultColor ? 0 : s.fore)));
            SetPropA(hw, "x1", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(Px(s.left) - x)));
            SetPropA(hw, "y1", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(Px(s.top) - y)));
            SetPropA(hw, "x2", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(Px(s.width) - x)));
            SetPropA(hw, "y2", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(Px(s.height) - y)));
        }
        if (s.kind == Kind::Picture || s.kind == Kind::Image) {
            PictureBoxWindow* pb = PictureBoxWindow::From(hw);
            pb->Move(static_cast<float>(left), static_cast<float>(top), static_cast<float>(s.width), static_cast<float>(s.height));
            if (s.back != kDefaultColor) pb->SetBackColor(s.back);
            else if (s.kind == Kind::Image) pb->SetBackColor(GetSysColor(COLOR_BTNFACE));
        }
        SendMessageA(hw, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(s.font)), FALSE);
        if (s.kind != Kind::Line && s.kind != Kind::Picture && s.kind != Kind::Image)
            Subclass(hw);
        controls_.push_back(std::make_unique<Control>(*this, s, hw, id));
        created.emplace_back(&s, hw);
    }
    OrderControls();
}

void Form::OrderControls() {
    // Z order is tab order among the controls that take the focus, and decides which control
    // gets a click where two overlap.
    std::vector<Control*> order;
    for (auto& c : controls_) order.push_back(c.get());
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) {
        int ga = ZGroup(a->decl()), gb = ZGroup(b->decl());
        if (ga != gb) return ga < gb;
        int ta = a->decl().tabIndex < 0 ? 1 << 20 : a->decl().tabIndex;
        int tb = b->decl().tabIndex < 0 ? 1 << 20 : b->decl().tabIndex;
        return ta < tb;
    });
    HWND after = HWND_TOP;
    const ControlDecl* previous = nullptr;
    for (Control* c : order) {
        SetWindowPos(c->hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = c->hwnd();
        // Option buttons that follow each other in one container form one group.
        bool sameGroup = previous && previous->kind == Kind::Option && c->decl().kind == Kind::Option &&
                         ((previous->container == nullptr && c->decl().container == nullptr) ||
                          (previous->container && c->decl().container &&
                           std::string(previous->container) == c->decl().container));
        LONG style = GetWindowLongA(c->hwnd(), GWL_STYLE);
        SetWindowLongA(c->hwnd(), GWL_STYLE, sameGroup ? (style & ~WS_GROUP) : (style | WS_GROUP));
        previous = &c->decl();
    }
}

Control* Form::DeclaredButton(bool ControlDecl::*role) {
    for (auto& c : controls_)
        if (c->decl().kind == Kind::Button && c->decl().*role) return c.get();
    return nullptr;
}

// Enter and Escape, as the dialog manager would treat them if the window had declared its
// buttons to it. The keys never reach the other controls: a multi-line field would otherwise
// take Escape as a request to close the window, and check boxes and labels would take Enter
// for a click.
bool Form::DialogKey(HWND focus, WPARAM vk) {
    Control* at = FindByHwnd(focus);
    Control* target = nullptr;
    if (vk == VK_RETURN) {
        // A field that keeps line breaks takes Enter as one.
        if (at && at->decl().kind == Kind::Text && at->decl().multiLine && !at->decl().readOnly) return false;
        target = at && at->decl().kind == Kind::Button ? at : DeclaredButton(&ControlDecl::isDefault);
    } else {
        target = DeclaredButton(&ControlDecl::isCancel);
    }
    if (target && target->Enabled() && target->Visible())
        SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(target->id(), BN_CLICKED), reinterpret_cast<LPARAM>(target->hwnd()));
    return true;
}

// As in dialog boxes, the focused button is the one Enter presses and wears the default frame;
// elsewhere the frame goes back to the declared default button.
void Form::ShowDefaultFor(HWND focus) {
    Control* at = FindByHwnd(focus);
    Control* def = DeclaredButton(&ControlDecl::isDefault);
    HWND framed = at && at->decl().kind == Kind::Button ? focus : def ? def->hwnd() : nullptr;
    for (auto& c : controls_) {
        if (c->decl().kind != Kind::Button) continue;
        LONG style = GetWindowLongA(c->hwnd(), GWL_STYLE);
        LONG type = c->hwnd() == framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != type)
            SendMessageA(c->hwnd(), BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | type), TRUE);
    }
}

// The window's font, its glyphs narrowed just enough (down to 60 %) that the text each panel is
// declared with fits the panel: the panels were laid out for those texts, and the status bar
// cuts off what does not fit.
HFONT Form::StatusFont() {
    HFONT base = FontFor({});
    platform::WindowDC dc(hwnd_);
    auto widest = [&](HFONT font) {
        platform::SelectGuard sel(dc.get(), font);
        double ratio = 0;
        for (size_t i = 0; i < decl_.panelCount; ++i) {
            std::string text = ToAnsi(decl_.panels[i].text);
            SIZE size{};
            GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            int room = std::max(1, PanelRoom(Px(decl_.panels[i].widthTwips)));
            ratio = std::max(ratio, static_cast<double>(size.cx) / room);
        }
        return ratio;
    };
    double ratio = widest(base);
    if (ratio <= 1) return base;
    LOGFONTA lf{};
    GetObjectA(base, sizeof lf, &lf);
    TEXTMETRICA tm{};
    {
        platform::SelectGuard sel(dc.get(), base);
        GetTextMetricsA(dc.get(), &tm);
    }
    int floor = std::max<int>(1, static_cast<int>(std::ceil(tm.tmAveCharWidth * 0.6)));
    for (int w = static_cast<int>(tm.tmAveCharWidth / ratio); ; --w) {
        lf.lfWidth = std::max(w, floor);
        statusFont_.reset(CreateFontIndirectA(&lf));
        if (lf.lfWidth == floor || widest(statusFont_.get()) <= 1) break;
    }
    return statusFont_.get();
}

void Form::CreateStatusBar() {
    if (!decl_.panels || decl_.panelCount == 0) return;
    statusTips_ = StatusTipsAvailable();
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | (statusTips_ ? kSbtTooltips : 0), 0, 0,
                              0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(99)),
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(status_, WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont()), FALSE);
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < decl_.panelCount; ++i) {
        x += Px(decl_.panels[i].widthTwips);
        edges.push_back(i + 1 == decl_.panelCount ? -1 : x);
    }
    SendMessageA(status_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    SendMessageA(status_, WM_SIZE, 0, 0);
    panelTexts_.assign(decl_.panelCount, std::string());
    for (size_t i = 0; i < decl_.panelCount; ++i) SetPanel(static_cast<int>(i + 1), decl_.panels[i].text);
}

HBRUSH Form::ColorFor(HWND child, HDC dc) {
    Control* c = FindByHwnd(child);
    if (!c) {
        SetBkMode(dc, TRANSPARENT);
        POINT p{0, 0};
        MapWindowPoints(child, hwnd_, &p, 1);
        SetBrushOrgEx(dc, -p.x, -p.y, nullptr);
        return backgroundBrush_.get();
    }
    if (c->fore() != kDefaultColor) SetTextColor(dc, c->fore());
    COLORREF back = c->back();
    if (back == kDefaultColor && c->decl().kind == Kind::Text) back = GetSysColor(c->decl().readOnly ? COLOR_BTNFACE : COLOR_WINDOW);
    if (back == kDefaultColor && c->decl().kind == Kind::List) back = GetSysColor(COLOR_WINDOW);
    if (back != kDefaultColor) {
        SetBkColor(dc, back);
        auto it = solidBrushes_.find(back);
        if (it == solidBrushes_.end()) it = solidBrushes_.emplace(back, platform::Brush(CreateSolidBrush(back))).first;
        return it->second.get();
    }
    // Transparent over the form: paint the form's own background under the text.
    SetBkMode(dc, TRANSPARENT);
    POINT p{0, 0};
    MapWindowPoints(child, hwnd_, &p, 1);
    SetBrushOrgEx(dc, -p.x, -p.y, nullptr);
    return backgroundBrush_.get();
}

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
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        platform::MemoryDC mem(CreateCompatibleDC(reinterpret_cast<HDC>(wp)));
        platform::SelectGuard sel(mem.get(), backgroundBitmap_.get());
        BitBlt(reinterpret_cast<HDC>(wp), 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(ColorFor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
    case WM_SETCURSOR:
        if (g_busy) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND: {
        // A window disabled under a modal one takes no command, however it arrives.
        if (!IsWindowEnabled(hwnd_)) return 0;
        HWND from = reinterpret_cast<HWND>(lp);
        UINT code = HIWORD(wp);
        if (!from) {
            UINT id = LOWORD(wp);
            for (auto& m : menus_)
                if (m->id() == id) {
                    if (m->Enabled()) Raise(m->decl().name, -1, Event::Click);
                    return 0;
                }
            return 0;
        }
        Control* c = FindByHwnd(from);
        if (!c) return 0;
        switch (c->decl().kind) {
        case Kind::Button:
        case Kind::Check:
        case Kind::Option:
            if (code == BN_CLICKED) Dispatch(*c, Event::Click);
            break;
        case Kind::List:
            if (code == LBN_SELCHANGE) Dispatch(*c, Event::Click);
            break;
        case Kind::Text:
            if (code == EN_CHANGE) Dispatch(*c, Event::Change);
            break;
        default:
            if (code == STN_CLICKED && c->Enabled()) Dispatch(*c, Event::Click);
            break;
        }
        return 0;
    }
    case WM_ACTIVATE:
        // As in dialog boxes: the control that had the focus gets it back, at first the first
        // control in tab order.
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(hwnd_, f)) lastFocus_ = f;
        } else if (!HIWORD(wp)) {
            HWND f = lastFocus_;
            if (!f || !IsChild(hwnd_, f) || !IsWindowVisible(f) || !IsWindowEnabled(f))
                f = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (f && IsChild(hwnd_, f)) {
                SetFocus(f);
                return 0;
            }
        }
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

void Form::Subclass(HWND hw) {
    SetPropA(hw, kOwningForm, reinterpret_cast<HANDLE>(this));
    SetPropA(hw, kPreviousProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(hw, GWLP_WNDPROC)));
    SetWindowLongPtrA(hw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc));
}

LRESULT CALLBACK Form::ControlProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = reinterpret_cast<Form*>(GetPropA(h, kOwningForm));
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(h, kPreviousProc));
    auto CallPrevious = [previous](HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        return CallWindowProcA(previous, h, msg, wp, lp);
    };
    if (msg == WM_KEYUP) {
        LRESULT r = CallPrevious(h, msg, wp, lp);
        if (Control* c = self->FindByHwnd(h)) self->Dispatch(*c, Event::KeyUp);
        return r;
    }
    if (msg == WM_PAINT && wp == 0) {
        // Labels paint through their parent's DC (their class asks for it), which the windows
        // above them do not clip: without help a label would paint over a picture box or label
        // that lies above it. Click areas draw nothing at all: what shows there is the form and
        // the labels laid over it.
        Control* c = self->FindByHwnd(h);
        Kind kind = c ? c->decl().kind : Kind::Text;
        if (kind == Kind::ClickArea || kind == Kind::Label) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            if (kind == Kind::Label) {
                for (HWND above = GetWindow(h, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
                    if (!IsWindowVisible(above)) continue;
                    RECT r{};
                    GetWindowRect(above, &r);
                    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
                    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
                }
                CallPrevious(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
            }
            EndPaint(h, &ps);
            return 0;
        }
    }
    if (msg == WM_SETFOCUS) self->ShowDefaultFor(h);
    if (msg == WM_LBUTTONUP) {
        // Text fields have no click notification of their own.
        LRESULT r = CallPrevious(h, msg, wp, lp);
        Control* c = self->FindByHwnd(h);
        if (c && c->decl().kind == Kind::Text && IsWindowEnabled(self->hwnd_)) self->Dispatch(*c, Event::Click);
        return r;
    }
    if (msg == WM_NCDESTROY) {
        // The control is going: give it back its own procedure for its last message.
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(h, kPreviousProc);
        RemovePropA(h, kOwningForm);
    }
    return CallPrevious(h, msg, wp, lp);
}

bool TranslateFormMessage(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    Form* form = nullptr;
    for (Form* f : Form::All())
        if (f->hwnd() && f->hwnd() == root) form = f;
    if (!form) return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) &&
        form->DialogKey(msg.hwnd, msg.wParam))
        return true;
    return IsDialogMessageA(root, &msg) != FALSE;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void DoEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Form::CentreOver(HWND other) {
    RECT owner{}, own{};
    if (!other || !hwnd_ || !GetWindowRect(other, &owner) || !GetWindowRect(hwnd_, &own)) return;
    int x = owner.left + ((owner.right - owner.left) - (own.right - own.left)) / 2;
    int y = owner.top + ((owner.bottom - owner.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(hwnd_, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kaza::ui

// Controls: their properties, their creation from a form's table, their stacking and the
// messages the form takes from them on their way.
#include <algorithm>

#include "platform/text.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui {

using detail::Traits;
using platform::FromAnsi;
using platform::ToAnsi;

namespace {

// A subclassed control keeps the window procedure it had and its form in two properties.
// (comctl32's SetWindowSubclass has a name only from XP on; this works on every system.)
constexpr char kPreviousProc[] = "kaza.proc";
constexpr char kOwningForm[] = "kaza.form";

}  // namespace


Control::Control(Form& form, const ControlDecl& decl, HWND hwnd, int id)
    : form_(form), decl_(decl), hwnd_(hwnd), id_(id), fore_(decl.fore), back_(decl.back) {}

Control::~Control() = default;

std::string Control::Caption() const { return detail::WindowText(hwnd_); }

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

PictureBoxWindow* Control::pictureBox() const {
    if (decl_.kind != Kind::Picture && decl_.kind != Kind::Image) return nullptr;
    // A made box always has its object (the system refuses the window otherwise).
    if (PictureBoxWindow* pb = PictureBoxWindow::From(hwnd_)) return pb;
    if (!standIn_) standIn_ = PictureBoxWindow::WithoutWindow();
    return standIn_.get();
}

// ---------------------------------------------------------------- creation

bool Form::CreateControls() {
    controls_.clear();
    HINSTANCE inst = GetModuleHandleA(nullptr);
    for (size_t i = 0; i < decl_.controlCount; ++i) {
        const ControlDecl& s = decl_.controls[i];
        const detail::KindTraits& kind = Traits(s.kind);
        int left = s.left, top = s.top;
        if (s.container) {
            for (size_t j = 0; j < i; ++j)
                if (std::string(decl_.controls[j].name) == s.container) {
                    left += decl_.controls[j].left;
                    top += decl_.controls[j].top;
                }
        }
        // Clipped by their siblings, so that a control lower in the stack never paints over one above it.
        detail::Styles st{WS_CHILD | WS_CLIPSIBLINGS | (s.visible ? WS_VISIBLE : 0) | (s.enabled ? 0 : WS_DISABLED) |
                              kind.style,
                          kind.exStyle};
        if (kind.options) kind.options(s, HasHandler(s.name), st);
        std::string caption = kind.caption ? ToAnsi(s.caption) : std::string();
        detail::LineBox box{Px(left), Px(top), Px(s.width), Px(s.height)};
        if (s.kind == Kind::Line) box = detail::LineWindowBox(s);
        int id = detail::kFirstControlId + static_cast<int>(i);
        HWND hw = CreateWindowExA(st.ex, kind.windowClass(), caption.c_str(), st.style, box.x, box.y, box.w, box.h,
                                  hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
        if (!hw) {
            std::string msg = std::string("cannot create ") + s.name + " in " + decl_.caption;
            OutputDebugStringA(msg.c_str());
            return false;
        }
        if (s.kind == Kind::Line) detail::SetUpLine(hw, s, box);
        if (PictureBoxWindow* pb = PictureBoxWindow::From(hw)) {
            pb->Move(static_cast<float>(left), static_cast<float>(top), static_cast<float>(s.width), static_cast<float>(s.height));
            if (s.back != kDefaultColor) pb->SetBackColor(s.back);
            else if (s.kind == Kind::Image) pb->SetBackColor(GetSysColor(COLOR_BTNFACE));
        }
        SendMessageA(hw, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(s.font)), FALSE);
        if (kind.subclassed) Subclass(hw);
        controls_.push_back(std::make_unique<Control>(*this, s, hw, id));
    }
    OrderControls();
    return true;
}

void Form::OrderControls() {
    // Z order is tab order among the controls that take the focus, and decides which control
    // gets a click where two overlap.
    std::vector<Control*> order;
    for (auto& c : controls_) order.push_back(c.get());
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) {
        int ga = Traits(a->decl().kind).layer, gb = Traits(b->decl().kind).layer;
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

// ---------------------------------------------------------------- messages of the controls

// A WM_COMMAND from a control: its kind says which notification is which event.
void Form::ControlCommand(HWND from, UINT code) {
    Control* c = FindByHwnd(from);
    if (!c) return;
    if (auto e = detail::NotificationEvent(c->decl().kind, code, c->Enabled())) Dispatch(*c, *e);
}

void Form::Subclass(HWND hw) {
    SetPropA(hw, kOwningForm, reinterpret_cast<HANDLE>(this));
    SetPropA(hw, kPreviousProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(hw, GWLP_WNDPROC)));
    SetWindowLongPtrA(hw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc));
}

LRESULT CALLBACK Form::ControlProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = reinterpret_cast<Form*>(GetPropA(h, kOwningForm));
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(h, kPreviousProc));
    switch (msg) {
    case WM_KEYUP: {
        LRESULT r = CallWindowProcA(previous, h, msg, wp, lp);
        if (Control* c = self->FindByHwnd(h)) self->Dispatch(*c, Event::KeyUp);
        return r;
    }
    case WM_PAINT:
        if (wp == 0) {
            Control* c = self->FindByHwnd(h);
            if (c && detail::PaintStatic(h, c->decl().kind, previous)) return 0;
        }
        break;
    case WM_SETFOCUS:
        self->ShowDefaultFor(h);
        break;
    case WM_LBUTTONUP: {
        LRESULT r = CallWindowProcA(previous, h, msg, wp, lp);
        Control* c = self->FindByHwnd(h);
        if (c && Traits(c->decl().kind).clickOnButtonUp && IsWindowEnabled(self->hwnd_)) self->Dispatch(*c, Event::Click);
        return r;
    }
    case WM_NCDESTROY:
        // The control is going: give it back its own procedure for its last message.
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(h, kPreviousProc);
        RemovePropA(h, kOwningForm);
        break;
    }
    return CallWindowProcA(previous, h, msg, wp, lp);
}

}  // namespace kaza::ui

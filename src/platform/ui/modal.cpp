// Modal display, and the keyboard and focus habits forms share with dialog boxes.
#include <utility>
#include <vector>

#include "platform/ui/toolkit.h"

namespace kaza::ui {

int Form::ModalDepth() { return detail::ModalDepth(); }
void Form::SetModalHook(std::function<void(Form&)> hook) { detail::ModalHook() = std::move(hook); }

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
    for (Form* f : detail::Forms())
        if (f != this && f->hwnd_ && f->hwnd_ == active && eligible(active)) return active;
    for (bool needVisible : {true, false})
        for (Form* f : detail::Forms())
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
        if (!Load()) return;
    } else {
        previousOwner = GetWindow(hwnd_, GW_OWNER);
        if (previousOwner != owner) SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    std::vector<HWND> disabled;
    for (Form* f : detail::Forms())
        if (f != this && f->hwnd_ && IsWindowEnabled(f->hwnd_)) {
            EnableWindow(f->hwnd_, FALSE);
            disabled.push_back(f->hwnd_);
        }
    ++detail::ModalDepth();
    Show();
    if (auto hook = std::exchange(detail::ModalHook(), nullptr)) {
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
    --detail::ModalDepth();
    if (hwnd_ && GetWindow(hwnd_, GW_OWNER) != previousOwner)
        SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previousOwner));
    for (HWND h : disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    // Back to the window the user was working in.
    if (owner && IsWindow(owner) && IsWindowEnabled(owner)) SetActiveWindow(owner);
    else if (!disabled.empty() && IsWindow(disabled.front())) SetActiveWindow(disabled.front());
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

// As in dialog boxes: the control that had the focus gets it back on activation, at first the
// first control in tab order. True when the focus was set.
bool Form::Activated(WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(hwnd_, f)) lastFocus_ = f;
        return false;
    }
    if (HIWORD(wp)) return false;  // minimised
    HWND f = lastFocus_;
    if (!f || !IsChild(hwnd_, f) || !IsWindowVisible(f) || !IsWindowEnabled(f)) f = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (!f || !IsChild(hwnd_, f)) return false;
    SetFocus(f);
    return true;
}

}  // namespace kaza::ui

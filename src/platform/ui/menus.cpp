// The menu bar: its entries, built from the form's menu table, and their commands.
#include <cstddef>
#include <cstdlib>
#include <string>

#include "platform/text.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui {

using platform::ToAnsi;

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

// ---------------------------------------------------------------- the bar

bool Form::CreateMenus() {
    if (!decl_.menus || decl_.menuCount == 0 || menuBar_) return true;
    menuBar_ = CreateMenu();
    if (!menuBar_) return false;
    HMENU parents[3] = {menuBar_, nullptr, nullptr};
    for (size_t i = 0; i < decl_.menuCount; ++i) {
        const MenuDecl& m = decl_.menus[i];
        HMENU parent = parents[m.level];
        UINT id = detail::kFirstMenuId + static_cast<UINT>(i);
        bool hasChildren = i + 1 < decl_.menuCount && decl_.menus[i + 1].level > m.level;
        HMENU popup = nullptr;
        bool added;
        if (std::string(m.caption) == "-") {
            added = AppendMenuA(parent, MF_SEPARATOR, id, nullptr) != FALSE;
        } else if (hasChildren) {
            popup = CreatePopupMenu();
            added = popup && AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                                         ToAnsi(m.caption).c_str()) != FALSE;
            // A sub-menu the bar did not take is not destroyed with it.
            if (!added && popup) DestroyMenu(popup);
            parents[m.level + 1] = popup;
        } else {
            added = AppendMenuA(parent, MF_STRING, id, ToAnsi(m.caption).c_str()) != FALSE;
        }
        if (!added) {
            // A bar with an entry missing would leave a handler nothing can reach.
            DestroyMenu(menuBar_);
            menuBar_ = nullptr;
            menus_.clear();
            return false;
        }
        menus_.push_back(std::make_unique<MenuItem>(*this, m, parent, id, popup));
    }
    return true;
}

MenuItem& Form::Menu(const std::string& name) {
    if (!hwnd_) Load();
    for (auto& m : menus_)
        if (name == m->decl().name) return *m;
    if (!hwnd_) {
        // The window could not be made: its menu entries answer as empty ones, as its controls do.
        for (auto& m : detachedMenus_)
            if (name == m->decl().name) return *m;
        for (size_t i = 0; i < decl_.menuCount; ++i)
            if (name == decl_.menus[i].name) {
                detachedMenus_.push_back(std::make_unique<MenuItem>(*this, decl_.menus[i], nullptr, 0, nullptr));
                return *detachedMenus_.back();
            }
    }
    std::string msg = "no menu entry " + name + " in " + decl_.caption;
    OutputDebugStringA(msg.c_str());
    std::abort();
}

void Form::MenuCommand(UINT id) {
    for (auto& m : menus_)
        if (m->id() == id) {
            if (m->Enabled()) Raise(m->decl().name, -1, Event::Click);
            return;
        }
}

}  // namespace kaza::ui

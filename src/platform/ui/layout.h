#pragma once
#include <windows.h>

#include <cmath>

// Windows are declared as tables of controls in twips, one row per control.
namespace kaza::ui {

namespace detail {
inline int layoutDpi = 96;
}

// The resolution windows are laid out at: 96 dpi, the one the tables are drawn for, unless the
// system leaves the scaling to the program (InitToolkit decides). Windows then keep their layout,
// scaled by LayoutDpi() / 96; pictures keep their own pixels and are shown scaled.
inline int LayoutDpi() { return detail::layoutDpi; }

// 1440 twips are an inch: 15 twips one pixel at 96 dpi.
inline int Px(double twips) { return static_cast<int>(std::lround(twips * LayoutDpi() / 1440.0)); }
inline double Twips(int px) { return px * 1440.0 / LayoutDpi(); }
// Pixels of a picture (96 dpi) on the screen, and back.
inline int Scaled(int px) { return static_cast<int>(std::lround(px * LayoutDpi() / 96.0)); }
inline int Unscaled(int px) { return static_cast<int>(std::lround(px * 96.0 / LayoutDpi())); }

constexpr COLORREF kDefaultColor = 0xFF000000;

enum class Kind { Label, ClickArea, Text, Button, List, Frame, Check, Option, Picture, Image, Line };

struct FontDecl {
    const char* face = nullptr;  // nullptr: the window's default face
    float points = 0;            // 0: the window's default size
    bool bold = false;
};

struct ControlDecl {
    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1;  // element number in a control array, -1 for a single control
    int left = 0, top = 0, width = 0, height = 0;  // lines: x1, y1, x2, y2
    const char* caption = "";
    const char* container = nullptr;  // a frame; positions are then relative to it
    FontDecl font{};
    COLORREF fore = kDefaultColor;
    COLORREF back = kDefaultColor;  // labels without a colour are transparent over the form
    bool visible = true;
    bool enabled = true;
    bool multiLine = false;
    bool hScroll = false, vScroll = false;
    bool readOnly = false;
    bool border = true;  // picture boxes
    int tabIndex = -1;
    int lineWidth = 1;
    bool isDefault = false;  // buttons: pressed by Enter
    bool isCancel = false;   // buttons: pressed by Escape

    constexpr ControlDecl& Index(int i) { index = i; return *this; }
    constexpr ControlDecl& In(const char* frame) { container = frame; return *this; }
    constexpr ControlDecl& Font(const char* face, float pts, bool isBold = false) {
        font = {face, pts, isBold};
        return *this;
    }
    constexpr ControlDecl& Fore(COLORREF c) { fore = c; return *this; }
    constexpr ControlDecl& Back(COLORREF c) { back = c; return *this; }
    constexpr ControlDecl& Hidden() { visible = false; return *this; }
    constexpr ControlDecl& Disabled() { enabled = false; return *this; }
    constexpr ControlDecl& MultiLine(bool scrollH = false, bool scrollV = false) {
        multiLine = true;
        hScroll = scrollH;
        vScroll = scrollV;
        return *this;
    }
    constexpr ControlDecl& ReadOnly() { readOnly = true; return *this; }
    constexpr ControlDecl& NoBorder() { border = false; return *this; }
    constexpr ControlDecl& Tab(int i) { tabIndex = i; return *this; }
    constexpr ControlDecl& Width(int w) { lineWidth = w; return *this; }
    // The window's default button (Enter presses it) and its cancel button (Escape presses it).
    constexpr ControlDecl& Default() { isDefault = true; return *this; }
    constexpr ControlDecl& Cancel() { isCancel = true; return *this; }
};

constexpr ControlDecl Make(Kind k, const char* name, int l, int t, int w, int h, const char* caption = "") {
    ControlDecl s{};
    s.kind = k;
    s.name = name;
    s.left = l;
    s.top = t;
    s.width = w;
    s.height = h;
    s.caption = caption;
    return s;
}
constexpr ControlDecl Label(const char* n, int l, int t, int w, int h, const char* c = "") { return Make(Kind::Label, n, l, t, w, h, c); }
constexpr ControlDecl ClickArea(const char* n, int l, int t, int w, int h) { return Make(Kind::ClickArea, n, l, t, w, h); }
constexpr ControlDecl Text(const char* n, int l, int t, int w, int h, const char* c = "") { return Make(Kind::Text, n, l, t, w, h, c); }
constexpr ControlDecl Button(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Button, n, l, t, w, h, c); }
constexpr ControlDecl List(const char* n, int l, int t, int w, int h) { return Make(Kind::List, n, l, t, w, h); }
constexpr ControlDecl Frame(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Frame, n, l, t, w, h, c); }
constexpr ControlDecl Check(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Check, n, l, t, w, h, c); }
constexpr ControlDecl Option(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Option, n, l, t, w, h, c); }
constexpr ControlDecl PictureBox(const char* n, int l, int t, int w, int h) { return Make(Kind::Picture, n, l, t, w, h); }
constexpr ControlDecl Image(const char* n, int l, int t, int w, int h) { return Make(Kind::Image, n, l, t, w, h); }
// A straight line from (x1, y1) to (x2, y2).
constexpr ControlDecl Line(const char* n, int x1, int y1, int x2, int y2) { return Make(Kind::Line, n, x1, y1, x2, y2); }

// Menu bar rows: level 0 is a top entry, 1 an entry in it, 2 an entry of a sub-menu.
// The caption "-" makes a separator.
struct MenuDecl {
    const char* name;
    const char* caption;
    int level;
};

}  // namespace kaza::ui

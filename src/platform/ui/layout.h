#pragma once
#include <windows.h>

#include <cmath>

// Windows are declared as tables of controls in twips, one row per control.
namespace kaza::ui {

// 15 twips are one pixel at the 96 dpi the layout assumes.
inline int Px(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }
inline double Twips(int px) { return px * 15.0; }

constexpr COLORREF kDefaultColor = 0xFF000000;

enum class Kind { Label, ClickArea, Text, Button, List, Frame, Check, Option, Picture, Image, Line };

struct FontSpec {
    const char* face = nullptr;  // nullptr: the window's default face
    float points = 0;            // 0: the window's default size
    bool bold = false;
};

struct ControlSpec {
    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1;  // element number in a control array, -1 for a single control
    int left = 0, top = 0, width = 0, height = 0;  // lines: x1, y1, x2, y2
    const char* caption = "";
    const char* container = nullptr;  // a frame; positions are then relative to it
    FontSpec font{};
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

    constexpr ControlSpec& Index(int i) { index = i; return *this; }
    constexpr ControlSpec& In(const char* frame) { container = frame; return *this; }
    constexpr ControlSpec& Font(const char* face, float pts, bool isBold = false) {
        font = {face, pts, isBold};
        return *this;
    }
    constexpr ControlSpec& Fore(COLORREF c) { fore = c; return *this; }
    constexpr ControlSpec& Back(COLORREF c) { back = c; return *this; }
    constexpr ControlSpec& Hidden() { visible = false; return *this; }
    constexpr ControlSpec& Disabled() { enabled = false; return *this; }
    constexpr ControlSpec& MultiLine(bool scrollH = false, bool scrollV = false) {
        multiLine = true;
        hScroll = scrollH;
        vScroll = scrollV;
        return *this;
    }
    constexpr ControlSpec& ReadOnly() { readOnly = true; return *this; }
    constexpr ControlSpec& NoBorder() { border = false; return *this; }
    constexpr ControlSpec& Tab(int i) { tabIndex = i; return *this; }
    constexpr ControlSpec& Width(int w) { lineWidth = w; return *this; }
};

constexpr ControlSpec Make(Kind k, const char* name, int l, int t, int w, int h, const char* caption = "") {
    ControlSpec s{};
    s.kind = k;
    s.name = name;
    s.left = l;
    s.top = t;
    s.width = w;
    s.height = h;
    s.caption = caption;
    return s;
}
constexpr ControlSpec Label(const char* n, int l, int t, int w, int h, const char* c = "") { return Make(Kind::Label, n, l, t, w, h, c); }
constexpr ControlSpec ClickArea(const char* n, int l, int t, int w, int h) { return Make(Kind::ClickArea, n, l, t, w, h); }
constexpr ControlSpec Text(const char* n, int l, int t, int w, int h, const char* c = "") { return Make(Kind::Text, n, l, t, w, h, c); }
constexpr ControlSpec Button(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Button, n, l, t, w, h, c); }
constexpr ControlSpec List(const char* n, int l, int t, int w, int h) { return Make(Kind::List, n, l, t, w, h); }
constexpr ControlSpec Frame(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Frame, n, l, t, w, h, c); }
constexpr ControlSpec Check(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Check, n, l, t, w, h, c); }
constexpr ControlSpec Option(const char* n, int l, int t, int w, int h, const char* c) { return Make(Kind::Option, n, l, t, w, h, c); }
constexpr ControlSpec PictureBox(const char* n, int l, int t, int w, int h) { return Make(Kind::Picture, n, l, t, w, h); }
constexpr ControlSpec Image(const char* n, int l, int t, int w, int h) { return Make(Kind::Image, n, l, t, w, h); }
// A straight line from (x1, y1) to (x2, y2).
constexpr ControlSpec Line(const char* n, int x1, int y1, int x2, int y2) { return Make(Kind::Line, n, x1, y1, x2, y2); }

// Menu bar rows: level 0 is a top entry, 1 an entry in it, 2 an entry of a sub-menu.
// The caption "-" makes a separator.
struct MenuSpec {
    const char* name;
    const char* caption;
    int level;
};

}  // namespace kaza::ui

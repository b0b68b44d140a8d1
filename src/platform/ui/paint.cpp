// Lines, labels and click areas: the controls the form paints itself.
#include <algorithm>
#include <cstdlib>

#include "platform/handles.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui::detail {
namespace {

// A line keeps its pen width, colour and two end points (relative to its window) in properties.
constexpr const char* kLineProps[] = {"w", "c", "x1", "y1", "x2", "y2"};

int Prop(HWND h, const char* name) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(h, name))); }
void SetProp(HWND h, const char* name, INT_PTR value) { SetPropA(h, name, reinterpret_cast<HANDLE>(value)); }

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
        platform::Pen pen(CreatePen(PS_SOLID, Prop(h, "w"), static_cast<COLORREF>(Prop(h, "c"))));
        platform::SelectGuard sel(dc, pen.get());
        MoveToEx(dc, Prop(h, "x1"), Prop(h, "y1"), nullptr);
        LineTo(dc, Prop(h, "x2"), Prop(h, "y2"));
        EndPaint(h, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        for (const char* p : kLineProps) RemovePropA(h, p);
        break;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterLineClass() {
    WNDCLASSA lc{};
    lc.lpfnWndProc = LineProc;
    lc.hInstance = GetModuleHandleA(nullptr);
    lc.lpszClassName = kLineClass;
    RegisterClassA(&lc);
}

// A line row holds its two end points in the place of position and size.
LineBox LineWindowBox(const ControlDecl& s) {
    int x1 = Px(s.left), y1 = Px(s.top), x2 = Px(s.width), y2 = Px(s.height);
    int width = Scaled(s.lineWidth);
    int pad = (width + 1) / 2;
    int thin = width <= 1 ? 1 : 0;
    return {std::min(x1, x2) - pad, std::min(y1, y2) - pad, std::abs(x2 - x1) + 2 * pad + thin,
            std::abs(y2 - y1) + 2 * pad + thin};
}

void SetUpLine(HWND line, const ControlDecl& s, const LineBox& box) {
    SetProp(line, "w", Scaled(s.lineWidth));
    SetProp(line, "c", s.fore == kDefaultColor ? 0 : static_cast<INT_PTR>(s.fore));
    SetProp(line, "x1", Px(s.left) - box.x);
    SetProp(line, "y1", Px(s.top) - box.y);
    SetProp(line, "x2", Px(s.width) - box.x);
    SetProp(line, "y2", Px(s.height) - box.y);
}

// Labels paint through their parent's DC (their class asks for it), which the windows above them
// do not clip: without help a label would paint over a picture box or label that lies above it.
// Click areas draw nothing at all: what shows there is the form and the labels laid over it.
bool PaintStatic(HWND h, Kind kind, WNDPROC previous) {
    if (kind != Kind::ClickArea && kind != Kind::Label) return false;
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
        CallWindowProcA(previous, h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    EndPaint(h, &ps);
    return true;
}

}  // namespace kaza::ui::detail

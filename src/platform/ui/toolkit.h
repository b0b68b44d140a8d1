#pragma once
// What the toolkit's own files share; nothing outside platform/ui includes this.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/form.h"

namespace kaza::ui::detail {

constexpr const char* kFormClass = "KazaForm";
constexpr const char* kLineClass = "KazaLine";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which dialog keys send
constexpr UINT kFirstMenuId = 1000;
constexpr int kStatusBarId = 99;

// Every form object that exists, in creation order.
std::vector<Form*>& Forms();
int& ModalDepth();
bool& Busy();
std::function<void(Form&)>& ModalHook();

std::string WindowText(HWND h);

// How one kind of control is created and which of its notifications are events.
struct Styles {
    DWORD style;
    DWORD ex;
};
struct KindTraits {
    const char* (*windowClass)();
    DWORD style;
    DWORD exStyle;
    bool caption;             // the row's caption becomes the window text
    bool subclassed;          // keys, focus, field clicks and painting pass through the form
    int layer;                // stacking: 0 on top, higher further down
    UINT clickCode;           // the WM_COMMAND notification that is a Click; kNoCode: none
    bool clickOnlyEnabled;    // the notification counts only while the control is enabled
    UINT changeCode;          // the WM_COMMAND notification that is a Change; kNoCode: none
    bool clickOnButtonUp;     // no click notification of its own: a left button release is one
    // What the row's options add to the kind's styles (nullptr: nothing).
    void (*options)(const ControlDecl& row, bool handled, Styles& s);
};
constexpr UINT kNoCode = 0xFFFFFFFFu;

const KindTraits& Traits(Kind k);
// The event a control's notification stands for, if any.
std::optional<Event> NotificationEvent(Kind k, UINT code, bool enabled);

// Lines: the window class, and the box and end points a row's line is drawn in.
void RegisterLineClass();
struct LineBox {
    int x, y, w, h;
};
LineBox LineWindowBox(const ControlDecl& row);
void SetUpLine(HWND line, const ControlDecl& row, const LineBox& box);
// Labels and click areas: paints a label clipped by the windows above it, or nothing for a click
// area. False when the control paints itself.
bool PaintStatic(HWND h, Kind kind, WNDPROC previous);

// Status bar tooltips are asked of the comctl32 the program runs with.
bool StatusTipsAvailable();

}  // namespace kaza::ui::detail

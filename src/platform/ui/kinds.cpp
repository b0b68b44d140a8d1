// One row per kind of control: how it is created and which notification becomes which event.
#include "platform/ui/picturebox.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui::detail {
namespace {

const char* StaticClass() { return "STATIC"; }
const char* EditClass() { return "EDIT"; }
const char* ButtonClass() { return "BUTTON"; }
const char* ListClass() { return "LISTBOX"; }
const char* LineClass() { return kLineClass; }

// A label gets clicks only when it has a handler; without one, clicks go through to what lies
// beneath (a click area).
void LabelOptions(const ControlDecl&, bool handled, Styles& s) {
    if (handled) s.style |= SS_NOTIFY;
}
void TextOptions(const ControlDecl& row, bool, Styles& s) {
    if (row.readOnly) s.style |= ES_READONLY;
    if (row.multiLine)
        s.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (row.hScroll ? WS_HSCROLL | ES_AUTOHSCROLL : 0) |
                   (row.vScroll ? WS_VSCROLL : 0);
    else
        s.style |= ES_AUTOHSCROLL;
}
void ButtonOptions(const ControlDecl& row, bool, Styles& s) { s.style |= row.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }
void PictureOptions(const ControlDecl& row, bool, Styles& s) {
    if (row.border) s.ex |= WS_EX_CLIENTEDGE;
    if (row.tabIndex >= 0) s.style |= WS_TABSTOP;
}
void ImageOptions(const ControlDecl& row, bool, Styles& s) {
    if (row.tabIndex >= 0) s.style |= WS_TABSTOP;
}

// Fields, buttons, lists and picture boxes lie on top (layer 0), in tab order; then lines, labels,
// click areas, images, and frames at the bottom. A picture box covers the lines and labels that
// share its place (an overlay strip hides what it is laid over). Click areas lie below the labels
// they overlap, so a label without a click handler lets clicks through to the click area beneath.
// STN_CLICKED and BN_CLICKED are both 0: a disabled static still sends it, hence the check.
//                                  class           style                                          ex style          caption subcl. layer click          only-enabled change     button-up options
const KindTraits kLabel     = {StaticClass,  SS_LEFT | SS_NOPREFIX,                                   0,                true,  true,  2, STN_CLICKED,    true,  kNoCode,   false, LabelOptions};
const KindTraits kClickArea = {StaticClass,  SS_LEFT | SS_NOTIFY,                                     0,                true,  true,  3, STN_CLICKED,    true,  kNoCode,   false, nullptr};
const KindTraits kText      = {EditClass,    WS_TABSTOP | ES_LEFT,                                    WS_EX_CLIENTEDGE, true,  true,  0, kNoCode,        false, EN_CHANGE, true,  TextOptions};
const KindTraits kButton    = {ButtonClass,  WS_TABSTOP | BS_MULTILINE,                               0,                true,  true,  0, BN_CLICKED,     false, kNoCode,   false, ButtonOptions};
const KindTraits kList      = {ListClass,    WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, true, true, 0, LBN_SELCHANGE, false, kNoCode,   false, nullptr};
const KindTraits kFrame     = {ButtonClass,  BS_GROUPBOX,                                             0,                true,  true,  5, STN_CLICKED,    true,  kNoCode,   false, nullptr};
const KindTraits kCheck     = {ButtonClass,  WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,             0,                true,  true,  0, BN_CLICKED,     false, kNoCode,   false, nullptr};
const KindTraits kOption    = {ButtonClass,  WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE,          0,                true,  true,  0, BN_CLICKED,     false, kNoCode,   false, nullptr};
const KindTraits kPicture   = {PictureBoxWindow::ClassName, 0,                                        0,                false, false, 0, STN_CLICKED,    true,  kNoCode,   false, PictureOptions};
const KindTraits kImage     = {PictureBoxWindow::ClassName, 0,                                        0,                false, false, 4, STN_CLICKED,    true,  kNoCode,   false, ImageOptions};
const KindTraits kLine      = {LineClass,    0,                                                       0,                false, false, 1, STN_CLICKED,    true,  kNoCode,   false, nullptr};

}  // namespace

const KindTraits& Traits(Kind k) {
    switch (k) {
    case Kind::Label: return kLabel;
    case Kind::ClickArea: return kClickArea;
    case Kind::Text: return kText;
    case Kind::Button: return kButton;
    case Kind::List: return kList;
    case Kind::Frame: return kFrame;
    case Kind::Check: return kCheck;
    case Kind::Option: return kOption;
    case Kind::Picture: return kPicture;
    case Kind::Image: return kImage;
    case Kind::Line: return kLine;
    }
    return kLabel;
}

std::optional<Event> NotificationEvent(Kind k, UINT code, bool enabled) {
    const KindTraits& t = Traits(k);
    if (t.clickCode != kNoCode && code == t.clickCode && (enabled || !t.clickOnlyEnabled)) return Event::Click;
    if (t.changeCode != kNoCode && code == t.changeCode) return Event::Change;
    return std::nullopt;
}

}  // namespace kaza::ui::detail

// The status bar: its panels, their texts and the tooltips of texts cut off.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/lookup.h"
#include "platform/text.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui {

using platform::ToAnsi;

namespace {

// Status bar tooltips came with comctl32 4.71 (Internet Explorer 4); the declarations are
// hidden by the headers of the oldest systems, so they are spelled out here.
constexpr DWORD kSbtTooltips = 0x0800;              // SBT_TOOLTIPS
constexpr UINT kSbSetTipTextA = WM_USER + 16;       // SB_SETTIPTEXTA
struct DllVersion {                                 // DLLVERSIONINFO
    DWORD cbSize, dwMajorVersion, dwMinorVersion, dwBuildNumber, dwPlatformID;
};
using DllGetVersionProc = HRESULT(CALLBACK*)(DllVersion*);

}  // namespace

// Asked of the comctl32 the program runs with: 4.70 and older have no DllGetVersion at all.
bool detail::StatusTipsAvailable() {
    auto get = platform::LookUp<DllGetVersionProc>("comctl32.dll", "DllGetVersion");
    if (!get) return false;
    DllVersion v{sizeof v, 0, 0, 0, 0};
    if (FAILED(get(&v))) return false;
    return v.dwMajorVersion > 4 || (v.dwMajorVersion == 4 && v.dwMinorVersion >= 71);
}

namespace {

// The room the status bar leaves for a panel's text: its width less the edges and margins.
int PanelRoom(int widthPx) { return widthPx - 2 * GetSystemMetrics(SM_CXEDGE) - 4; }

}  // namespace

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

bool Form::CreateStatusBar() {
    if (!decl_.panels || decl_.panelCount == 0) return true;
    statusTips_ = detail::StatusTipsAvailable();
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | (statusTips_ ? kSbtTooltips : 0), 0, 0,
                              0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(detail::kStatusBarId)),
                              GetModuleHandleA(nullptr), nullptr);
    if (!status_) {
        OutputDebugStringA((std::string("cannot create the status bar of ") + decl_.caption).c_str());
        return false;
    }
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
    return true;
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

}  // namespace kaza::ui

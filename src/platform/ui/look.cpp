// What the form paints with: its background, the brushes and colours of its controls, fonts.
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "platform/resample.h"
#include "platform/text.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/toolkit.h"

namespace kaza::ui {

using platform::ToAnsi;

void Form::SetBackgroundPicture(platform::Picture picture, int widthTwips, int heightTwips) {
    background_ = std::move(picture);
    backgroundArea_ = {widthTwips, heightTwips};
    if (!hwnd_) return;
    RebuildBackground();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form::RebuildBackground() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    platform::WindowDC screen(hwnd_);
    platform::MemoryDC mem(CreateCompatibleDC(screen.get()));
    backgroundBitmap_.reset(CreateCompatibleBitmap(screen.get(), std::max<int>(1, rc.right), std::max<int>(1, rc.bottom)));
    backgroundBrush_.reset();
    if (!mem || !backgroundBitmap_) {
        // Out of drawing resources: the form keeps the plain dialog colour (PaintBackground and
        // ColorFor fall back to it) rather than a background that was never drawn.
        backgroundBitmap_.reset();
        return;
    }
    {
        platform::SelectGuard sel(mem.get(), backgroundBitmap_.get());
        FillRect(mem.get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
        PixelImage shown = BackgroundPixels();
        if (!shown.empty()) {
            platform::MemoryDC pixels(CreateCompatibleDC(screen.get()));
            platform::SelectGuard selPixels(pixels.get(), shown.bitmap());
            BitBlt(mem.get(), 0, 0, shown.width(), shown.height(), pixels.get(), 0, 0, SRCCOPY);
        }
    }
    backgroundBrush_.reset(CreatePatternBrush(backgroundBitmap_.get()));
}

PixelImage Form::BackgroundPixels() const {
    PixelImage own = RenderPixels(background_, GetSysColor(COLOR_BTNFACE));
    if (own.empty()) return own;
    int w = backgroundArea_.cx > 0 ? Px(backgroundArea_.cx) : Scaled(own.width());
    int h = backgroundArea_.cy > 0 ? Px(backgroundArea_.cy) : Scaled(own.height());
    if (w == own.width() && h == own.height()) return own;
    // Averaged down, or between pixel centres up: text stays legible at every scale.
    PixelImage shown(w, h);
    if (!shown.empty())
        platform::StretchPixels(own.bits(), own.width(), own.height(), own.width(), shown.bits(), w, h, w);
    return shown;
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
    const char* face = f.face ? f.face : decl_.font.face;
    Key key{face ? face : "", f.points > 0 ? f.points : decl_.font.points, f.bold};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    std::string ansiFace = ToAnsi(key.face);
    // The Japanese character set makes the font mapper fall back to another Japanese face
    // where the named one is missing.
    int height = -static_cast<int>(std::lround(key.pts * LayoutDpi() / 72.0));
    HFONT font = CreateFontA(height, 0, 0, 0, key.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             ansiFace.c_str());
    return cache.emplace(key, platform::Font(font)).first->second.get();
}

void Form::PaintBackground(HDC dc) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    platform::MemoryDC mem(backgroundBitmap_ ? CreateCompatibleDC(dc) : nullptr);
    if (!mem) {
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    platform::SelectGuard sel(mem.get(), backgroundBitmap_.get());
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
}

HBRUSH Form::ColorFor(HWND child, HDC dc) {
    Control* c = FindByHwnd(child);
    COLORREF back = c ? c->back() : kDefaultColor;
    if (c) {
        if (c->fore() != kDefaultColor) SetTextColor(dc, c->fore());
        if (back == kDefaultColor && c->decl().kind == Kind::Text)
            back = GetSysColor(c->decl().readOnly ? COLOR_BTNFACE : COLOR_WINDOW);
        if (back == kDefaultColor && c->decl().kind == Kind::List) back = GetSysColor(COLOR_WINDOW);
    }
    if (back != kDefaultColor) {
        SetBkColor(dc, back);
        auto it = solidBrushes_.find(back);
        if (it == solidBrushes_.end()) it = solidBrushes_.emplace(back, platform::Brush(CreateSolidBrush(back))).first;
        return it->second.get();
    }
    // Transparent over the form, as is any window that is no row of the table: paint the form's
    // own background under the text, aligned with the form.
    SetBkMode(dc, TRANSPARENT);
    POINT p{0, 0};
    MapWindowPoints(child, hwnd_, &p, 1);
    SetBrushOrgEx(dc, -p.x, -p.y, nullptr);
    return backgroundBrush_ ? backgroundBrush_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace kaza::ui

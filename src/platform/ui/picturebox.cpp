#include "platform/ui/picturebox.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/resample.h"
#include "platform/text.h"
#include "platform/ui/layout.h"

namespace kaza::ui {

// ---------------------------------------------------------------- pixel images

PixelImage::PixelImage(int width, int height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp_ || !bits) {
        bmp_.reset();
        return;
    }
    bits_ = static_cast<uint32_t*>(bits);
    w_ = width;
    h_ = height;
}

namespace {

// COLORREF is 0x00BBGGRR; the surface stores 0x00RRGGBB.
uint32_t SurfacePixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

PixelImage RenderPixels(const platform::Picture& picture, COLORREF back) {
    if (picture.empty()) return {};
    PixelImage img(picture.width(), picture.height());
    if (img.empty()) return img;
    std::fill(img.bits(), img.bits() + static_cast<size_t>(img.width()) * img.height(), SurfacePixel(back));
    platform::MemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return {};
    {
        platform::SelectGuard sel(dc.get(), img.bitmap());
        picture.Render(dc.get(), 0, 0, img.width(), img.height());
        GdiFlush();
    }
    return img;
}

// ---------------------------------------------------------------- the window

const char* PictureBoxWindow::ClassName() { return "KazaPictureBox"; }

void PictureBoxWindow::Register() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName();
    RegisterClassA(&wc);
}

PictureBoxWindow* PictureBoxWindow::From(HWND h) {
    // Other controls keep their own data in the same slot.
    if (!h) return nullptr;
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (std::strcmp(cls, ClassName()) != 0) return nullptr;
    return reinterpret_cast<PictureBoxWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
}

PictureBoxWindow::PictureBoxWindow(HWND h) : hwnd_(h) {
    if (!h) return;
    border_ = (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    dc_.reset(CreateCompatibleDC(nullptr));
}

std::unique_ptr<PictureBoxWindow> PictureBoxWindow::WithoutWindow() {
    return std::unique_ptr<PictureBoxWindow>(new PictureBoxWindow(nullptr));
}

void PictureBoxWindow::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = std::max(0.0f, width);
    height_ = std::max(0.0f, height);
    PlaceWindow();
    ApplyAutoSize();
}

void PictureBoxWindow::PlaceWindow() {
    placing_ = true;
    SetWindowPos(hwnd_, nullptr, Px(left_), Px(top_), std::max(0, Px(width_)), std::max(0, Px(height_)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
    ResizeSurface();
}

void PictureBoxWindow::SyncFromWindow() {
    // Moved by someone else (MoveWindow on the handle): take the window's pixels as the geometry.
    if (placing_) return;
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    if (r.left != Px(left_)) left_ = static_cast<float>(Twips(r.left));
    if (r.top != Px(top_)) top_ = static_cast<float>(Twips(r.top));
    if (r.right - r.left != std::max(0, Px(width_))) width_ = static_cast<float>(Twips(r.right - r.left));
    if (r.bottom - r.top != std::max(0, Px(height_))) height_ = static_cast<float>(Twips(r.bottom - r.top));
}

void PictureBoxWindow::SetBackColor(COLORREF c) {
    back_ = c;
    Repaint();
}

void PictureBoxWindow::SetBorder(bool on) {
    if (on == border_) return;
    border_ = on;
    LONG ex = GetWindowLongA(hwnd_, GWL_EXSTYLE);
    SetWindowLongA(hwnd_, GWL_EXSTYLE, on ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE));
    placing_ = true;
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    placing_ = false;
    ResizeSurface();
    ApplyAutoSize();
}

void PictureBoxWindow::SetAutoSize(bool on) {
    autoSize_ = on;
    ApplyAutoSize();
}

void PictureBoxWindow::SetPicture(platform::Picture p) {
    picture_ = std::move(p);
    ApplyAutoSize();
    Repaint();
}

SIZE PictureBoxWindow::OuterFor(int w, int h) const {
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

void PictureBoxWindow::ApplyAutoSize() {
    if (!autoSize_ || picture_.empty()) return;
    SIZE s = OuterFor(Scaled(picture_.width()), Scaled(picture_.height()));
    width_ = static_cast<float>(Twips(s.cx));
    height_ = static_cast<float>(Twips(s.cy));
    PlaceWindow();
}

int PictureBoxWindow::PixelX(int32_t x) const { return Surface().Pixel(x); }

int PictureBoxWindow::PixelY(int32_t y) const { return Surface().Pixel(y); }

int32_t PictureBoxWindow::Point(int32_t x, int32_t y) const {
    int px = PixelX(x), py = PixelY(y);
    if (!bits_ || px < 0 || py < 0 || px >= surfW_ || py >= surfH_) return -1;
    uint32_t p = bits_[static_cast<size_t>(py) * surfW_ + px];
    return static_cast<int32_t>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
}

bool PictureBoxWindow::PaintPicture(const platform::Picture& picture, int x, int y, int w, int h) {
    if (picture.empty() || w <= 0 || h <= 0 || !bits_) return false;
    PixelImage source = RenderPixels(picture, back_);
    if (source.empty()) return false;
    if (x == 0 && y == 0 && w == surfW_ && h == surfH_) {
        platform::StretchPixels(source.bits(), source.width(), source.height(), source.width(), bits_, w, h, surfW_);
    } else {
        std::vector<uint32_t> out(static_cast<size_t>(w) * h);
        platform::StretchPixels(source.bits(), source.width(), source.height(), source.width(), out.data(), w, h, w);
        for (int row = std::max(0, -y); row < h && y + row < surfH_; ++row) {
            int c0 = std::max(0, -x), c1 = std::min(w, surfW_ - x);
            if (c1 > c0)
                std::copy(out.begin() + size_t(row) * w + c0, out.begin() + size_t(row) * w + c1,
                          bits_ + size_t(y + row) * surfW_ + (x + c0));
        }
    }
    Refresh();
    return true;
}

void PictureBoxWindow::ResizeSurface() {
    if (!hwnd_) return;
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    // The surface holds the picture's own pixels: the client area at 96 dpi.
    int w = std::max<int>(1, Unscaled(rc.right)), h = std::max<int>(1, Unscaled(rc.bottom));
    if (w == surfW_ && h == surfH_ && bits_) return;
    PixelImage fresh(w, h);
    if (fresh.empty()) return;
    PixelImage old = std::move(surface_);
    if (oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    surface_ = std::move(fresh);
    bits_ = surface_.bits();
    surfW_ = w;
    surfH_ = h;
    oldBitmap_ = SelectObject(dc_.get(), surface_.bitmap());
    // The new surface holds the background and the picture; what was drawn on the old one is
    // kept where the two overlap.
    Repaint();
    if (!old.empty()) {
        int cw = std::min(w, old.width()), ch = std::min(h, old.height());
        for (int y = 0; y < ch; ++y)
            std::copy(old.bits() + size_t(y) * old.width(), old.bits() + size_t(y) * old.width() + cw,
                      bits_ + size_t(y) * w);
    }
}

void PictureBoxWindow::Repaint() {
    if (!bits_) return;
    std::fill(bits_, bits_ + static_cast<size_t>(surfW_) * surfH_, SurfacePixel(back_));
    GdiFlush();
    if (!picture_.empty()) picture_.Render(dc_.get(), 0, 0, picture_.width(), picture_.height());
    GdiFlush();
    Refresh();
}

void PictureBoxWindow::PaintScaled(HDC dc) const {
    if (LayoutDpi() == 96) {
        BitBlt(dc, 0, 0, surfW_, surfH_, dc_.get(), 0, 0, SRCCOPY);
        return;
    }
    // Each pixel of the surface over its share of the screen, blended where the scale is uneven.
    int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin{};
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, 0, 0, Scaled(surfW_), Scaled(surfH_), dc_.get(), 0, 0, surfW_, surfH_, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
}

LRESULT CALLBACK PictureBoxWindow::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<PictureBoxWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    switch (msg) {
    case WM_CREATE: {
        self = new PictureBoxWindow(h);
        // Without a memory DC the box could never be drawn: refuse the window, as the system
        // refuses one it cannot make.
        if (!self->dc_) {
            delete self;
            return -1;
        }
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        self->left_ = static_cast<float>(Twips(cs->x));
        self->top_ = static_cast<float>(Twips(cs->y));
        self->width_ = static_cast<float>(Twips(cs->cx));
        self->height_ = static_cast<float>(Twips(cs->cy));
        self->ResizeSurface();
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
        if (self && self->oldBitmap_) SelectObject(self->dc_.get(), self->oldBitmap_);
        delete self;
        break;
    case WM_WINDOWPOSCHANGED:
        if (self) {
            self->SyncFromWindow();
            self->ResizeSurface();
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        if (self) self->PaintScaled(dc);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        // A click is a press and a release on this window, as on a button: a release alone
        // (the end of a double-click that closed a dialog above the box) is no click.
        if (self) {
            self->pressed_ = true;
            SetCapture(h);
        }
        return 0;
    case WM_LBUTTONUP:
        if (self && self->pressed_) {
            self->pressed_ = false;
            ReleaseCapture();
            RECT rc{};
            GetClientRect(h, &rc);
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (PtInRect(&rc, pt))
                SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), STN_CLICKED),
                             reinterpret_cast<LPARAM>(h));
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (self) self->pressed_ = false;
        return 0;
    case WM_GETDLGCODE:
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kaza::ui

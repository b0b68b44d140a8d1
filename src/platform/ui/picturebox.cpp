#include "platform/ui/picturebox.h"

#include <algorithm>

namespace kaza::ui {

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
    return h ? reinterpret_cast<PictureBoxWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr;
}

PictureBoxWindow::PictureBoxWindow(HWND h) : hwnd_(h) {
    border_ = (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
    dc_.reset(CreateCompatibleDC(nullptr));
    ResizeSurface();
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
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyAutoSize();
    ResizeSurface();
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
    SIZE s = OuterFor(picture_.width(), picture_.height());
    SetWindowPos(hwnd_, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBoxWindow::ResizeSurface() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    int w = std::max<int>(1, rc.right), h = std::max<int>(1, rc.bottom);
    if (w == surfW_ && h == surfH_ && bits_) return;
    if (oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    surface_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
    surfW_ = w;
    surfH_ = h;
    oldBitmap_ = SelectObject(dc_.get(), surface_.get());
    Repaint();
}

void PictureBoxWindow::Repaint() {
    if (!bits_) return;
    // The surface stores 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    uint32_t px = (GetRValue(back_) << 16) | (GetGValue(back_) << 8) | GetBValue(back_);
    std::fill(bits_, bits_ + static_cast<size_t>(surfW_) * surfH_, px);
    GdiFlush();
    if (!picture_.empty()) picture_.Render(dc_.get(), 0, 0, picture_.width(), picture_.height());
    GdiFlush();
    Refresh();
}

LRESULT CALLBACK PictureBoxWindow::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    PictureBoxWindow* self = From(h);
    switch (msg) {
    case WM_CREATE:
        self = new PictureBoxWindow(h);
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
        if (self && self->oldBitmap_) SelectObject(self->dc_.get(), self->oldBitmap_);
        delete self;
        break;
    case WM_SIZE:
        if (self) self->ResizeSurface();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        if (self) BitBlt(dc, 0, 0, self->surfW_, self->surfH_, self->dc_.get(), 0, 0, SRCCOPY);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_LBUTTONUP:
        SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), STN_CLICKED),
                     reinterpret_cast<LPARAM>(h));
        return 0;
    case WM_GETDLGCODE:
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kaza::ui

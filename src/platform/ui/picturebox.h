#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/handles.h"
#include "platform/picture.h"

namespace kaza::ui {

// The window behind picture boxes and images. It paints from a 32-bit surface the size of its
// client area, which holds the background colour, then the picture at its natural size at the
// top-left, then whatever was drawn onto it.
class PictureBoxWindow {
public:
    static const char* ClassName();
    static void Register();
    static PictureBoxWindow* From(HWND h);

    HWND hwnd() const { return hwnd_; }

    COLORREF BackColor() const { return back_; }
    void SetBackColor(COLORREF c);
    bool Border() const { return border_; }
    void SetBorder(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    const platform::Picture& Picture() const { return picture_; }
    // Setting or clearing the picture discards what was drawn.
    void SetPicture(platform::Picture p);
    void ClearPicture() { SetPicture(platform::Picture()); }

    // The persistent surface: top-down rows of 0x00RRGGBB pixels, `SurfaceWidth()` per row.
    uint32_t* Bits() const { return bits_; }
    int SurfaceWidth() const { return surfW_; }
    int SurfaceHeight() const { return surfH_; }
    HDC SurfaceDC() const { return dc_.get(); }
    // Rebuilds the surface from the background colour and the picture.
    void Repaint();
    // Shows what was drawn onto the surface.
    void Refresh() const { InvalidateRect(hwnd_, nullptr, FALSE); }

    // Outer size the window needs for a client area of w × h pixels with the current border.
    SIZE OuterFor(int w, int h) const;

private:
    explicit PictureBoxWindow(HWND h);
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void ResizeSurface();
    void ApplyAutoSize();

    HWND hwnd_;
    COLORREF back_ = RGB(192, 192, 192);
    bool border_ = true;
    bool autoSize_ = false;
    platform::Picture picture_;
    platform::MemoryDC dc_;
    platform::Bitmap surface_;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int surfW_ = 0, surfH_ = 0;
};

}  // namespace kaza::ui

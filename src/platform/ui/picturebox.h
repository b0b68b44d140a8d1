#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/surface.h"

namespace kaza::ui {

// The coordinate unit of a picture box's own surface.
enum class ScaleMode { Twips, Pixels };

// A 32-bit top-down pixel buffer of 0x00RRGGBB pixels held by a DIB section.
class PixelImage {
public:
    PixelImage() = default;
    // Blank (all zero) image; empty() when the system cannot make one.
    PixelImage(int width, int height);
    PixelImage(PixelImage&& o) noexcept { *this = std::move(o); }
    PixelImage& operator=(PixelImage&& o) noexcept {
        bmp_ = std::move(o.bmp_);
        bits_ = std::exchange(o.bits_, nullptr);
        w_ = std::exchange(o.w_, 0);
        h_ = std::exchange(o.h_, 0);
        return *this;
    }
    bool empty() const { return bits_ == nullptr; }
    int width() const { return w_; }
    int height() const { return h_; }
    uint32_t* bits() const { return bits_; }
    HBITMAP bitmap() const { return bmp_.get(); }

private:
    platform::Bitmap bmp_;
    uint32_t* bits_ = nullptr;
    int w_ = 0, h_ = 0;
};

// The whole picture at its natural size over a background colour (transparent parts of icons
// and GIFs show the background). Empty for an empty picture.
PixelImage RenderPixels(const platform::Picture& picture, COLORREF back);

// The window behind picture boxes and images. It paints from a 32-bit surface the size of its
// client area at 96 dpi, which holds the background colour, then the picture at its natural size
// at the top-left, then whatever was drawn onto it; at another layout resolution the surface is
// shown scaled, and so keeps the same pixels at every resolution.
class PictureBoxWindow {
public:
    static const char* ClassName();
    static void Register();
    static PictureBoxWindow* From(HWND h);
    // A box whose window could not be made: it keeps its properties, has no surface, draws
    // nothing and reads as empty.
    static std::unique_ptr<PictureBoxWindow> WithoutWindow();

    HWND hwnd() const { return hwnd_; }

    // Position and outer size in twips of the parent's client area, single precision; the position
    // may be negative. The window itself sits at the nearest whole pixels.
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void SetLeft(float v) { Move(v, top_, width_, height_); }
    void SetTop(float v) { Move(left_, v, width_, height_); }
    void SetWidth(float v) { Move(left_, top_, v, height_); }
    void SetHeight(float v) { Move(left_, top_, width_, v); }
    void Move(float left, float top, float width, float height);

    COLORREF BackColor() const { return back_; }
    void SetBackColor(COLORREF c);
    bool Border() const { return border_; }
    // Keeps the outer size (unless automatic sizing is on); the client area changes with it.
    void SetBorder(bool on);
    // On: the box takes its picture's size plus its border, keeping its top-left corner.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // The unit of Point's coordinates and of ScaleWidth/ScaleHeight.
    ScaleMode Scale() const { return scale_; }
    void SetScale(ScaleMode m) { scale_ = m; }
    float ScaleWidth() const { return scale_ == ScaleMode::Pixels ? surfW_ : surfW_ * 15.0f; }
    float ScaleHeight() const { return scale_ == ScaleMode::Pixels ? surfH_ : surfH_ * 15.0f; }
    // The surface pixel column/row holding a coordinate in the current unit.
    int PixelX(int32_t x) const;
    int PixelY(int32_t y) const;

    const platform::Picture& Picture() const { return picture_; }
    // Setting or clearing the picture discards what was drawn.
    void SetPicture(platform::Picture p);
    void ClearPicture() { SetPicture(platform::Picture()); }

    // The colour at a point of the surface as 0x00BBGGRR; -1 outside the surface.
    int32_t Point(int32_t x, int32_t y) const;
    // Stretch-draws the whole picture onto the pixel rectangle (x, y, w, h) of the surface.
    // False when the picture is empty or the rectangle is empty.
    bool PaintPicture(const platform::Picture& picture, int x, int y, int w, int h);

    // The persistent surface: top-down rows of 0x00RRGGBB pixels, `SurfaceWidth()` per row,
    // the size of the client area. Readers may use the bits directly, or read it as a
    // surface in the current unit.
    platform::PixelSurface Surface() const { return {bits_, surfW_, surfH_, scale_ == ScaleMode::Pixels ? 1 : 15}; }
    uint32_t* Bits() const { return bits_; }
    int SurfaceWidth() const { return surfW_; }
    int SurfaceHeight() const { return surfH_; }
    HDC SurfaceDC() const { return dc_.get(); }
    // Rebuilds the surface from the background colour and the picture.
    void Repaint();
    // Shows what was drawn onto the surface.
    void Refresh() const {
        if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    }

    // Outer size the window needs for a client area of w x h pixels with the current border.
    SIZE OuterFor(int w, int h) const;

private:
    void PaintScaled(HDC dc) const;
    explicit PictureBoxWindow(HWND h);
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void ResizeSurface();
    void ApplyAutoSize();
    void PlaceWindow();
    void SyncFromWindow();

    HWND hwnd_;
    COLORREF back_ = RGB(192, 192, 192);
    bool border_ = true;
    bool autoSize_ = false;
    ScaleMode scale_ = ScaleMode::Twips;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool placing_ = false;
    bool pressed_ = false;  // the left button went down here and is still held
    platform::Picture picture_;
    platform::MemoryDC dc_;
    PixelImage surface_;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int surfW_ = 0, surfH_ = 0;
};

}  // namespace kaza::ui

#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/outcome.h"
#include "platform/surface.h"

namespace kaza {
namespace ui {
class PictureBoxWindow;
}

// Writes a rectangle of a picture surface as an 8-bit bitmap with the fixed 256-colour palette:
// red and green in eight levels (0, 32, 64, 96, 128, 160, 192, 255), blue in four (0, 64, 128,
// 255), each pixel quantised by cutting its colour to the top bits, without dithering.
// A failure is shown to the user in a message box; the caller carries on either way.
class CSaveBitmap {
public:
    // (sx, sy) is the rectangle's top-left in the surface's own coordinate unit; each step of
    // x or y is one unit, so callers switch the surface to pixels first.
    void SaveBitmap256(const ui::PictureBoxWindow& PicObje, const std::string& fname, int32_t sx, int32_t sy,
                       int32_t B_Width, int32_t B_Height);
};

namespace logo {
// The writer: a rectangle of the surface, in the surface's own unit, as SaveBitmap256 writes it.
// Tells whether the file was written completely; when not, the message box has been shown
// (owned by the active window, else by `owner`).
platform::Outcome WriteBitmap256(const platform::PixelSurface& PicObje, HWND owner, const std::string& fname,
                                 int32_t sx, int32_t sy, int32_t B_Width, int32_t B_Height);
// The palette index of a colour value 0x00BBGGRR, split with division that truncates toward zero.
inline uint8_t PaletteIndex(int32_t value) {
    int32_t r = value & 255, g = (value / 256) & 255, b = (value / 65536) & 255;
    return static_cast<uint8_t>((r / 32) * 32 + (g / 32) * 4 + b / 64);
}
}  // namespace logo

}  // namespace kaza

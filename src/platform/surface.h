#pragma once
#include <cstdint>

namespace kaza::platform {

// A picture as top-down rows of 32-bit 0x00RRGGBB pixels, `width` to a row, read through
// coordinates in some unit: 1 unit per pixel, or 15 (twips at 96 dpi).
struct PixelSurface {
    const uint32_t* bits = nullptr;
    int width = 0, height = 0;
    int unitsPerPixel = 1;

    // The pixel column or row that holds a coordinate (rounding toward minus infinity).
    int Pixel(int32_t v) const {
        if (unitsPerPixel == 1) return v;
        int64_t u = v;
        return static_cast<int>(u >= 0 ? u / unitsPerPixel : -((-u + unitsPerPixel - 1) / unitsPerPixel));
    }
};

}  // namespace kaza::platform

#pragma once
#include <cstdint>

namespace kaza::platform {

// Resamples a whole sw x sh image onto a whole dw x dh image, each axis scaled on its own:
// area averaging along an axis that shrinks, linear interpolation between pixel centres along
// one that grows (the edge pixels are held beyond the outermost centres). Pixels are 32-bit with
// the blue, green and red bytes first; strides are in pixels. The top byte of every destination
// pixel is 0. Rounds each channel to the nearest value.
void StretchPixels(const uint32_t* src, int sw, int sh, int srcStride, uint32_t* dst, int dw, int dh,
                   int dstStride);

}  // namespace kaza::platform

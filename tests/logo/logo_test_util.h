#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/picturebox.h"
#include "support/fixtures.h"

namespace kaza::test {

// Point at a pixel position, whatever unit the surface is in.
inline int32_t PixelAt(ui::PictureBoxWindow& pb, int x, int y) {
    ui::ScaleMode was = pb.Scale();
    pb.SetScale(ui::ScaleMode::Pixels);
    int32_t v = pb.Point(x, y);
    pb.SetScale(was);
    return v;
}

}  // namespace kaza::test

#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/picturebox.h"
#include "support/kaza_test.h"

namespace kaza::test {

using Colour = uint32_t;  // 0x00BBGGRR, as Point returns it

// Writes a 24-bit bottom-up BMP whose pixel (x, y) has the given colour.
inline void WriteBmp(const std::string& path, int w, int h, const std::function<Colour(int, int)>& colour) {
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    std::string file(54 + size_t(rowBytes) * h, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour c = colour(x, y);
            size_t at = 54 + size_t(h - 1 - y) * rowBytes + size_t(x) * 3;
            file[at] = static_cast<char>(c >> 16);
            file[at + 1] = static_cast<char>(c >> 8);
            file[at + 2] = static_cast<char>(c);
        }
    WriteBytes(path, file);
}

// Point at a pixel position, whatever unit the surface is in.
inline int32_t PixelAt(ui::PictureBoxWindow& pb, int x, int y) {
    ui::ScaleMode was = pb.Scale();
    pb.SetScale(ui::ScaleMode::Pixels);
    int32_t v = pb.Point(x, y);
    pb.SetScale(was);
    return v;
}

}  // namespace kaza::test

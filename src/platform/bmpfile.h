#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/handles.h"
#include "platform/surface.h"

namespace kaza::platform {

// Writes into `out` the 54 bytes that open an uncompressed BMP file: the file header and a 40-byte info header
// for bottom-up rows, with `paletteBytes` of palette following them.
void BmpHeaders(uint8_t* out, int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t paletteBytes,
                uint32_t imageBytes);

// Writes the whole surface as an uncompressed 24-bit BMP file, replacing the file. On failure
// returns false with the system's error code in *error (when given).
bool WriteBmp24(const PixelSurface& surface, std::string_view path, unsigned long* error = nullptr);

// Writes a new file, replacing any, in blocks of about a megabyte: callers fill the room
// Reserve gives them, so large images need no second copy of themselves in memory.
class BlockFileWriter {
public:
    // The block is made before the file is opened, no larger than the whole file and big enough
    // for the largest piece the caller will reserve at once: when memory runs short, an existing
    // file is left untouched.
    BlockFileWriter(std::string_view path, uint64_t fileBytes, size_t largestPiece);
    // Room for `size` (at most the largest piece) more zeroed bytes; what was reserved before is
    // written out first when the block is full. nullptr once anything failed.
    uint8_t* Reserve(size_t size);
    // Writes what is left; false when anything failed, with the system's code in error().
    bool Finish();
    unsigned long error() const { return error_; }

private:
    bool Flush();
    bool Fail(unsigned long code);

    FileHandle file_;
    std::vector<uint8_t> block_;
    size_t used_ = 0;
    unsigned long error_ = 0;
};

}  // namespace kaza::platform

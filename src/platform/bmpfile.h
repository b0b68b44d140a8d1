#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handles.h"
#include "platform/outcome.h"
#include "platform/surface.h"

namespace kaza::platform {

// Writes into `out` the 54 bytes that open an uncompressed BMP file: the file header and a 40-byte info header
// for bottom-up rows, with `paletteBytes` of palette following them.
void BmpHeaders(uint8_t* out, int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t paletteBytes,
                uint32_t imageBytes);

// Writes the whole surface as an uncompressed 24-bit BMP file, replacing the file.
Outcome WriteBmp24(const PixelSurface& surface, std::string_view path);
// The same at 32 bits a pixel (BI_RGB), every pixel opaque: its fourth byte 255.
Outcome WriteBmp32(const PixelSurface& surface, std::string_view path);

// Writes a new file, replacing any, in blocks of about a megabyte: callers fill the room
// Reserve gives them, so large images need no second copy of themselves in memory. The file is
// written whole beside its place and put there by Finish, so an existing file stays as it was
// until the new one is complete, and after any failure.
class BlockFileWriter {
public:
    // The block is made before the file is opened, no larger than the whole file and big enough
    // for the largest piece the caller will reserve at once.
    BlockFileWriter(std::string_view path, uint64_t fileBytes, size_t largestPiece);
    // Removes the unfinished file beside the target, if Finish did not put it in place.
    ~BlockFileWriter();
    BlockFileWriter(const BlockFileWriter&) = delete;
    BlockFileWriter& operator=(const BlockFileWriter&) = delete;
    // Room for `size` (at most the largest piece) more zeroed bytes; what was reserved before is
    // written out first when the block is full. nullptr once anything failed.
    uint8_t* Reserve(size_t size);
    // Writes what is left and puts the file in place; else the first failure, from the making of
    // the block on.
    Outcome Finish();

private:
    bool Flush();
    bool Fail(Outcome failure);

    std::string target_, fresh_;
    FileHandle file_;
    std::vector<uint8_t> block_;
    size_t used_ = 0;
    Outcome outcome_;
};

}  // namespace kaza::platform

#include "platform/bmpfile.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/replace.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {
namespace {

constexpr size_t kBlockBytes = size_t(1) << 20;

void Put16(uint8_t* at, uint32_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* at, uint32_t v) {
    Put16(at, v & 0xFFFF);
    Put16(at + 2, v >> 16);
}

}  // namespace

void BmpHeaders(uint8_t* out, int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t paletteBytes,
                uint32_t imageBytes) {
    std::fill(out, out + 54, uint8_t(0));
    out[0] = 'B';
    out[1] = 'M';
    Put32(out + 2, 54 + paletteBytes + imageBytes);
    Put32(out + 10, 54 + paletteBytes);
    Put32(out + 14, 40);
    Put32(out + 18, static_cast<uint32_t>(width));
    Put32(out + 22, static_cast<uint32_t>(height));
    Put16(out + 26, 1);
    Put16(out + 28, bitsPerPixel);
    Put32(out + 34, imageBytes);
}

BlockFileWriter::BlockFileWriter(std::string_view path, uint64_t fileBytes, size_t largestPiece) {
    try {
        block_.assign(std::max(largestPiece, static_cast<size_t>(std::min<uint64_t>(kBlockBytes, fileBytes))), 0);
    } catch (const std::bad_alloc&) {
        Fail(Outcome::Failed(ERROR_NOT_ENOUGH_MEMORY));
        return;
    }
    target_ = std::string(path);
    FreshFile fresh = FileBeside(path);
    if (!fresh.outcome) {
        Fail(fresh.outcome);
        return;
    }
    fresh_ = fresh.path;
    {
        RealSystemFolder systemFolder;
        file_.reset(CreateFileA(ToAnsi(fresh_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) Fail(Outcome::LastError());
    }
}

BlockFileWriter::~BlockFileWriter() {
    file_.reset();
    DiscardBeside(fresh_);
}

bool BlockFileWriter::Fail(Outcome failure) {
    if (outcome_.ok()) outcome_ = failure;  // the first failure is the one told
    return false;
}

bool BlockFileWriter::Flush() {
    if (!outcome_.ok()) return false;
    DWORD done = 0;
    if (used_ && !WriteFile(file_.get(), block_.data(), static_cast<DWORD>(used_), &done, nullptr))
        return Fail(Outcome::LastError());
    if (done != used_) return Fail(Outcome::Failed(ERROR_WRITE_FAULT));
    used_ = 0;
    return true;
}

uint8_t* BlockFileWriter::Reserve(size_t size) {
    if (!outcome_.ok()) return nullptr;
    if (size > block_.size()) {
        Fail(Outcome::Failed(ERROR_INVALID_PARAMETER));
        return nullptr;
    }
    if (used_ + size > block_.size() && !Flush()) return nullptr;
    uint8_t* room = block_.data() + used_;
    std::fill(room, room + size, uint8_t(0));
    used_ += size;
    return room;
}

Outcome BlockFileWriter::Finish() {
    if (!Flush()) return outcome_;
    // What was written must be on the disk before it takes the old file's name.
    if (!FlushFileBuffers(file_.get())) {
        Fail(Outcome::LastError());
        return outcome_;
    }
    file_.reset();
    outcome_ = PutInPlace(fresh_, target_);
    fresh_.clear();  // put in place, or already removed
    return outcome_;
}

namespace {

// Uncompressed rows of 3 bytes a pixel (blue, green, red) or 4 (the same and 255: opaque).
Outcome WriteBmpRows(const PixelSurface& surface, std::string_view path, uint16_t bitsPerPixel) {
    const int w = surface.width, h = surface.height;
    if (!surface.bits || w <= 0 || h <= 0) return Outcome::Failed(ERROR_INVALID_PARAMETER);
    const uint32_t bytesPerPixel = bitsPerPixel / 8u;
    const uint32_t rowBytes = (static_cast<uint32_t>(w) * bytesPerPixel + 3) & ~3u;
    const uint64_t imageBytes = uint64_t(rowBytes) * static_cast<uint32_t>(h);
    if (54 + imageBytes > UINT32_MAX) return Outcome::Failed(ERROR_ARITHMETIC_OVERFLOW);
    BlockFileWriter file(path, 54 + imageBytes, std::max<size_t>(54, rowBytes));
    if (uint8_t* head = file.Reserve(54)) BmpHeaders(head, w, h, bitsPerPixel, 0, static_cast<uint32_t>(imageBytes));
    // Bottom-up rows.
    for (int y = 0; y < h; ++y) {
        uint8_t* out = file.Reserve(rowBytes);
        if (!out) break;
        const uint32_t* src = surface.bits + static_cast<size_t>(h - 1 - y) * w;
        for (int x = 0; x < w; ++x, out += bytesPerPixel) {
            out[0] = uint8_t(src[x]);
            out[1] = uint8_t(src[x] >> 8);
            out[2] = uint8_t(src[x] >> 16);
            if (bytesPerPixel == 4) out[3] = 255;
        }
    }
    return file.Finish();
}

}  // namespace

Outcome WriteBmp24(const PixelSurface& surface, std::string_view path) { return WriteBmpRows(surface, path, 24); }

Outcome WriteBmp32(const PixelSurface& surface, std::string_view path) { return WriteBmpRows(surface, path, 32); }

}  // namespace kaza::platform

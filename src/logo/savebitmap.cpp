#include "logo/savebitmap.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/seams.h"
#include "platform/text.h"
#include "platform/ui/picturebox.h"

namespace kaza {
namespace logo {
namespace {

constexpr const char* kErrorTitle = "ビットマップ書き込みエラー";
constexpr uint8_t kRedGreenLevels[8] = {0, 32, 64, 96, 128, 160, 192, 255};
constexpr uint8_t kBlueLevels[4] = {0, 64, 128, 255};
constexpr uint32_t kHeaderBytes = 14 + 40 + 1024;
// Rows are gathered and written in blocks of about this size.
constexpr size_t kWriteBlock = 1 << 20;

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

std::vector<uint8_t> Headers(int32_t width, int32_t height, uint32_t rowBytes) {
    std::vector<uint8_t> h(kHeaderBytes, 0);
    const uint32_t image = static_cast<uint32_t>(height) * rowBytes;
    h[0] = 'B';
    h[1] = 'M';
    Put32(h, 2, image + kHeaderBytes);
    Put32(h, 10, kHeaderBytes);
    Put32(h, 14, 40);
    Put32(h, 18, static_cast<uint32_t>(width));
    Put32(h, 22, static_cast<uint32_t>(height));
    Put16(h, 26, 1);
    Put16(h, 28, 8);
    Put32(h, 34, image);
    // The palette: red outermost, then green, then blue; entry r*32 + g*4 + b.
    uint8_t palette[256][4] = {};
    for (int r = 0; r < 8; ++r)
        for (int g = 0; g < 8; ++g)
            for (int b = 0; b < 4; ++b) {
                uint8_t* e = palette[r * 32 + g * 4 + b];
                e[0] = kBlueLevels[b];
                e[1] = kRedGreenLevels[g];
                e[2] = kRedGreenLevels[r];
                e[3] = 0;
            }
    std::copy(&palette[0][0], &palette[0][0] + 1024, h.begin() + 54);
    return h;
}

// One row of palette indices, sampled as Point would sample (sx + x, surface row). `cols` holds
// the surface column of each x, or -1 where Point would read outside the surface.
void SampleRow(const ui::PictureBoxWindow& surface, int row, const std::vector<int>& cols, bool contiguous,
               uint8_t* out) {
    const int width = static_cast<int>(cols.size());
    if (row < 0 || row >= surface.SurfaceHeight()) {
        std::fill(out, out + width, PaletteIndex(-1));
        return;
    }
    const uint32_t* line = surface.Bits() + static_cast<size_t>(row) * surface.SurfaceWidth();
    // The surface holds 0x00RRGGBB: the top three bits of red and green, the top two of blue.
    auto index = [](uint32_t p) {
        return static_cast<uint8_t>(((p >> 16) & 0xE0) | ((p >> 11) & 0x1C) | ((p >> 6) & 0x03));
    };
    if (contiguous) {
        const uint32_t* p = line + cols[0];
        for (int x = 0; x < width; ++x) out[x] = index(p[x]);
        return;
    }
    for (int x = 0; x < width; ++x) out[x] = cols[x] < 0 ? PaletteIndex(-1) : index(line[cols[x]]);
}

}  // namespace

bool WriteBitmap256(const ui::PictureBoxWindow& PicObje, const std::string& fname, int32_t sx, int32_t sy,
                    int32_t B_Width, int32_t B_Height, unsigned long* errorOut) {
    DWORD error = 0;
    auto fail = [&](DWORD code) {
        error = code ? code : ERROR_GEN_FAILURE;
        if (errorOut) *errorOut = error;
        return false;
    };
    auto run = [&]() -> bool {
        // Sizes first, so that a rectangle that cannot be written leaves the target untouched.
        if (B_Width <= 0 || B_Height <= 0) return fail(ERROR_INVALID_PARAMETER);
        const int64_t rowBytes = B_Width % 4 == 0 ? int64_t(B_Width) : int64_t(B_Width) - B_Width % 4 + 4;
        const int64_t fileSize = int64_t(B_Height) * rowBytes + kHeaderBytes;
        if (rowBytes > INT32_MAX || fileSize > INT32_MAX || int64_t(sx) + B_Width - 1 > INT32_MAX ||
            int64_t(sy) + B_Height - 1 > INT32_MAX)
            return fail(ERROR_ARITHMETIC_OVERFLOW);
        if (!PicObje.Bits()) return fail(ERROR_INVALID_HANDLE);

        std::vector<int> cols;
        std::vector<uint8_t> block;
        try {
            cols.resize(static_cast<size_t>(B_Width));
            block.reserve(std::max<size_t>(kWriteBlock, static_cast<size_t>(rowBytes)));
        } catch (const std::bad_alloc&) {
            return fail(ERROR_NOT_ENOUGH_MEMORY);
        }
        bool contiguous = PicObje.PixelX(sx) >= 0;
        for (int32_t x = 0; x < B_Width; ++x) {
            int c = PicObje.PixelX(sx + x);
            cols[static_cast<size_t>(x)] = (c < 0 || c >= PicObje.SurfaceWidth()) ? -1 : c;
            if (cols[static_cast<size_t>(x)] != cols[0] + x) contiguous = false;
        }

        platform::FileHandle file(CreateFileA(platform::ToAnsi(fname).c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return fail(GetLastError());
        auto write = [&](const uint8_t* data, size_t size) {
            DWORD done = 0;
            if (!WriteFile(file.get(), data, static_cast<DWORD>(size), &done, nullptr)) return fail(GetLastError());
            if (done != size) return fail(ERROR_WRITE_FAULT);
            return true;
        };
        const std::vector<uint8_t> headers = Headers(B_Width, B_Height, static_cast<uint32_t>(rowBytes));
        if (!write(headers.data(), headers.size())) return false;

        // File rows run bottom-up: row y of the file is surface row sy + B_Height - 1 - y.
        for (int32_t y = 0; y < B_Height; ++y) {
            size_t at = block.size();
            block.resize(at + static_cast<size_t>(rowBytes), 0);
            SampleRow(PicObje, PicObje.PixelY(sy + (B_Height - 1 - y)), cols, contiguous, block.data() + at);
            if (block.size() + static_cast<size_t>(rowBytes) > kWriteBlock || y + 1 == B_Height) {
                if (!write(block.data(), block.size())) return false;
                block.clear();
            }
        }
        return true;
    };
    if (run()) return true;
    HWND owner = GetActiveWindow();
    if (!owner) owner = GetAncestor(PicObje.hwnd(), GA_ROOT);
    platform::dialogs().Message(owner, platform::LastErrorText(error), kErrorTitle, MB_OK | MB_ICONSTOP);
    return false;
}

}  // namespace logo

void CSaveBitmap::SaveBitmap256(const ui::PictureBoxWindow& PicObje, const std::string& fname, int32_t sx,
                                int32_t sy, int32_t B_Width, int32_t B_Height) {
    logo::WriteBitmap256(PicObje, fname, sx, sy, B_Width, B_Height);
}

}  // namespace kaza

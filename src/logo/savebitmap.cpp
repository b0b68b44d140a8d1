#include "logo/savebitmap.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

#include "platform/bmpfile.h"
#include "platform/files.h"
#include "platform/seams.h"
#include "platform/ui/picturebox.h"

namespace kaza {
namespace logo {
namespace {

constexpr const char* kErrorTitle = "ビットマップ書き込みエラー";
constexpr uint8_t kRedGreenLevels[8] = {0, 32, 64, 96, 128, 160, 192, 255};
constexpr uint8_t kBlueLevels[4] = {0, 64, 128, 255};
constexpr uint32_t kPaletteBytes = 1024;
constexpr uint32_t kHeaderBytes = 54 + kPaletteBytes;

// The palette: red outermost, then green, then blue; entry r*32 + g*4 + b.
void Palette(uint8_t* out) {
    for (int r = 0; r < 8; ++r)
        for (int g = 0; g < 8; ++g)
            for (int b = 0; b < 4; ++b) {
                uint8_t* e = out + 4 * (r * 32 + g * 4 + b);
                e[0] = kBlueLevels[b];
                e[1] = kRedGreenLevels[g];
                e[2] = kRedGreenLevels[r];
                e[3] = 0;
            }
}

// One row of palette indices, sampled as Point would sample (sx + x, surface row). `cols` holds
// the surface column of each x, or -1 where Point would read outside the surface.
void SampleRow(const platform::PixelSurface& surface, int row, const std::vector<int>& cols, bool contiguous,
               uint8_t* out) {
    const int width = static_cast<int>(cols.size());
    if (row < 0 || row >= surface.height) {
        std::fill(out, out + width, PaletteIndex(-1));
        return;
    }
    const uint32_t* line = surface.bits + static_cast<size_t>(row) * surface.width;
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

platform::Outcome WriteBitmap256(const platform::PixelSurface& PicObje, HWND owner, const std::string& fname,
                                 int32_t sx, int32_t sy, int32_t B_Width, int32_t B_Height) {
    using platform::Outcome;
    auto run = [&]() -> Outcome {
        // Sizes first, so that a rectangle that cannot be written leaves the target untouched.
        if (B_Width <= 0 || B_Height <= 0) return Outcome::Failed(ERROR_INVALID_PARAMETER);
        const int64_t rowBytes = B_Width % 4 == 0 ? int64_t(B_Width) : int64_t(B_Width) - B_Width % 4 + 4;
        const int64_t fileSize = int64_t(B_Height) * rowBytes + kHeaderBytes;
        if (rowBytes > INT32_MAX || fileSize > INT32_MAX || int64_t(sx) + B_Width - 1 > INT32_MAX ||
            int64_t(sy) + B_Height - 1 > INT32_MAX)
            return Outcome::Failed(ERROR_ARITHMETIC_OVERFLOW);
        if (!PicObje.bits) return Outcome::Failed(ERROR_INVALID_HANDLE);

        std::vector<int> cols;
        try {
            cols.resize(static_cast<size_t>(B_Width));
        } catch (const std::bad_alloc&) {
            return Outcome::Failed(ERROR_NOT_ENOUGH_MEMORY);
        }
        bool contiguous = PicObje.Pixel(sx) >= 0;
        for (int32_t x = 0; x < B_Width; ++x) {
            int c = PicObje.Pixel(sx + x);
            cols[static_cast<size_t>(x)] = (c < 0 || c >= PicObje.width) ? -1 : c;
            if (cols[static_cast<size_t>(x)] != cols[0] + x) contiguous = false;
        }

        platform::BlockFileWriter file(fname, static_cast<uint64_t>(fileSize),
                                       std::max<size_t>(kHeaderBytes, static_cast<size_t>(rowBytes)));
        if (uint8_t* head = file.Reserve(kHeaderBytes)) {
            platform::BmpHeaders(head, B_Width, B_Height, 8, kPaletteBytes,
                                 static_cast<uint32_t>(B_Height) * static_cast<uint32_t>(rowBytes));
            Palette(head + 54);
        }
        // File rows run bottom-up: row y of the file is surface row sy + B_Height - 1 - y.
        for (int32_t y = 0; y < B_Height; ++y) {
            uint8_t* row = file.Reserve(static_cast<size_t>(rowBytes));
            if (!row) break;
            SampleRow(PicObje, PicObje.Pixel(sy + (B_Height - 1 - y)), cols, contiguous, row);
        }
        return file.Finish();
    };
    Outcome written = run();
    if (written) return written;
    if (HWND active = GetActiveWindow()) owner = active;
    std::string text = platform::LastErrorText(written.error());
    if (text.empty()) text = "エラー " + std::to_string(written.error());  // a code the system has no words for
    platform::dialogs().Message(owner, text, kErrorTitle, MB_OK | MB_ICONSTOP);
    return written;
}

}  // namespace logo

void CSaveBitmap::SaveBitmap256(const ui::PictureBoxWindow& PicObje, const std::string& fname, int32_t sx,
                                int32_t sy, int32_t B_Width, int32_t B_Height) {
    // The message box has told the user of a failure; the caller carries on either way.
    static_cast<void>(logo::WriteBitmap256(PicObje.Surface(), GetAncestor(PicObje.hwnd(), GA_ROOT), fname, sx, sy,
                                           B_Width, B_Height));
}

}  // namespace kaza

#include "platform/picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/files.h"

namespace kaza::platform {

namespace {

int HimetricToPixels(long himetric, int dpi) { return static_cast<int>(std::lround(himetric * double(dpi) / 2540.0)); }

// The loader states a picture's size in 0.01 mm, worked out from its pixels at the screen's
// resolution; the pixels themselves are in the handle it made.
SIZE PixelSize(IPicture* pic, long hmWidth, long hmHeight) {
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    pic->get_Type(&type);
    pic->get_Handle(&handle);
    HGDIOBJ h = reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle));
    if (type == PICTYPE_BITMAP && h) {
        BITMAP bm{};
        if (GetObjectA(h, sizeof bm, &bm) && bm.bmWidth > 0 && bm.bmHeight != 0)
            return {bm.bmWidth, std::abs(bm.bmHeight)};
    }
    if (type == PICTYPE_ICON && h) {
        ICONINFO ii{};
        if (GetIconInfo(static_cast<HICON>(h), &ii)) {
            BITMAP bm{};
            // Without a colour bitmap the mask holds the AND and XOR halves one above the other.
            bool ok = GetObjectA(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm) != 0;
            if (!ii.hbmColor) bm.bmHeight /= 2;
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
            if (ok && bm.bmWidth > 0 && bm.bmHeight > 0) return {bm.bmWidth, bm.bmHeight};
        }
    }
    // Anything else (a metafile): back through the resolution the loader used.
    HDC screen = GetDC(nullptr);
    int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96, dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return {HimetricToPixels(hmWidth, dpiX > 0 ? dpiX : 96), HimetricToPixels(hmHeight, dpiY > 0 ? dpiY : 96)};
}

}  // namespace

namespace {

// Whether a picture of w x h pixels can be shown and drawn on: it has pixels, fits the 16-bit
// coordinates of the 9x family's drawing calls, and the memory for one 32-bit image of it (what
// a frame of its size or a stretch needs) can be had now. A file that promises more (a few bytes
// of run-length data can describe billions of pixels) is refused like a broken one.
constexpr int64_t kMostSide = 32767;
constexpr int64_t kMostPixels = int64_t(64) << 20;  // 256 MB at 32 bits a pixel

bool WithinLimits(int64_t w, int64_t h) { return w <= kMostSide && h <= kMostSide && w * h <= kMostPixels; }

bool Holdable(int w, int h) {
    if (w <= 0 || h <= 0 || !WithinLimits(w, h)) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP trial = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!trial) return false;
    DeleteObject(trial);
    return bits != nullptr;
}

// Two bytes at `at`, 0 beyond the end (offsets read from the file may be anything).
bool Has(const std::string& b, size_t at, size_t n) { return at <= b.size() && b.size() - at >= n; }
uint32_t Le16(const std::string& b, size_t at) {
    return Has(b, at, 2) ? uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 : 0;
}
uint32_t Le32(const std::string& b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
uint32_t Be16(const std::string& b, size_t at) {
    return Has(b, at, 2) ? uint32_t(uint8_t(b[at])) << 8 | uint32_t(uint8_t(b[at + 1])) : 0;
}
int64_t Magnitude(uint32_t v) { return v & 0x80000000u ? -int64_t(int32_t(v)) : int64_t(v); }

// A BMP file's layout is fully known, so it is checked whole before the decoder sees it: one
// that lies about its header's size, its depth, where its pixels start or how many there are
// would have the decoder read past the end of the file.
bool SoundBitmap(const std::string& b) {
    const uint32_t header = Le32(b, 14);
    int64_t w = 0, h = 0;
    uint32_t planes = 0, bits = 0, compression = 0, colours = 0, entry = 4, dataSize = 0;
    if (header == 12) {
        w = Le16(b, 18), h = Le16(b, 20), planes = Le16(b, 22), bits = Le16(b, 24), entry = 3;
    } else if (header == 40 || header == 52 || header == 56 || header == 64 || header == 108 || header == 124) {
        w = int32_t(Le32(b, 18)), h = int32_t(Le32(b, 22)), planes = Le16(b, 26), bits = Le16(b, 28);
        compression = Le32(b, 30), dataSize = Le32(b, 34), colours = Le32(b, 46);
    } else {
        return false;
    }
    if (!Has(b, 14, header) || planes != 1 || w <= 0 || h == 0 || !WithinLimits(w, Magnitude(uint32_t(h))))
        return false;
    const bool depthKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool packed = compression == BI_RLE8 || compression == BI_RLE4;
    if (!depthKnown || (compression == BI_RLE8 && bits != 8) || (compression == BI_RLE4 && bits != 4) ||
        (compression == BI_BITFIELDS && bits != 16 && bits != 32) || compression > BI_BITFIELDS || (packed && h < 0))
        return false;
    if (bits <= 8 && colours == 0) colours = 1u << bits;
    if (colours > 256) return false;
    const uint64_t tables = 14 + uint64_t(header) + (compression == BI_BITFIELDS && header == 40 ? 12 : 0) +
                            uint64_t(colours) * entry;
    const uint64_t pixels = Le32(b, 10);
    if (pixels < 14 + uint64_t(header) || tables > b.size() || pixels > b.size()) return false;
    const uint64_t rowBytes = (uint64_t(w) * bits + 31) / 32 * 4;
    const uint64_t need = packed ? dataSize : rowBytes * uint64_t(Magnitude(uint32_t(h)));
    return need <= b.size() - pixels && (!packed || need > 0);
}

// Whether every size the file's headers declare stays within the limits. The system's decoders
// believe a header: a JPEG or GIF that claims 30000 x 30000 has them allocate and decode that
// much, however few bytes follow, which takes minutes or all the memory there is. Formats not
// recognised here are left to the decoders.
bool DeclaresHoldableSize(const std::string& b) {
    if (b.compare(0, 2, "BM") == 0) return SoundBitmap(b);
    if (b.compare(0, 4, "GIF8") == 0) {
        if (!WithinLimits(Le16(b, 6), Le16(b, 8))) return false;
        // The blocks that follow, each image with its own size.
        size_t at = 13 + (uint8_t(b.size() > 10 ? b[10] : 0) & 0x80 ? 3u << ((uint8_t(b[10]) & 7) + 1) : 0);
        auto skipSubBlocks = [&](size_t from) {
            while (from < b.size() && b[from] != 0) from += 1 + uint8_t(b[from]);
            return from + 1;
        };
        while (at < b.size()) {
            if (b[at] == '\x21') {
                at = skipSubBlocks(at + 2);
            } else if (b[at] == '\x2c') {
                if (!WithinLimits(Le16(b, at + 5), Le16(b, at + 7))) return false;
                uint8_t flags = at + 9 < b.size() ? uint8_t(b[at + 9]) : 0;
                at += 10 + (flags & 0x80 ? 3u << ((flags & 7) + 1) : 0);
                at = skipSubBlocks(at + 1);
            } else {
                break;
            }
        }
        return true;
    }
    if (b.compare(0, 3, "\xff\xd8\xff") == 0) {
        // Marker segments up to the first scan; each frame header gives height, then width.
        for (size_t at = 2; at + 4 <= b.size();) {
            if (uint8_t(b[at]) != 0xFF) return true;
            uint8_t marker = uint8_t(b[at + 1]);
            if (marker == 0xFF) {
                ++at;
                continue;
            }
            if (marker == 0xDA || marker == 0xD9) return true;
            bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            if (frame && !WithinLimits(Be16(b, at + 7), Be16(b, at + 5))) return false;
            at += 2 + Be16(b, at + 2);
        }
        return true;
    }
    if (Le32(b, 0) == 0x00010000u || Le32(b, 0) == 0x00020000u) {
        // An icon or cursor directory: each image's own header may claim more than its entry.
        for (uint32_t i = 0, n = Le16(b, 4); i < n && 6 + 16 * (i + 1) <= b.size(); ++i) {
            const size_t image = Le32(b, 6 + 16 * i + 12);
            if (Le32(b, image) == 40 && !WithinLimits(Magnitude(Le32(b, image + 4)), Magnitude(Le32(b, image + 8)) / 2))
                return false;
            if (Has(b, image, 24) && b.compare(image, 4, "\x89PNG") == 0 &&
                !WithinLimits(int64_t(Be16(b, image + 16)) << 16 | Be16(b, image + 18),
                              int64_t(Be16(b, image + 20)) << 16 | Be16(b, image + 22)))
                return false;
        }
    }
    return true;
}

}  // namespace

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(Picture&& o) noexcept { *this = std::move(o); }
Picture& Picture::operator=(Picture&& o) noexcept {
    if (this != &o) {
        pic_ = std::move(o.pic_);
        hmWidth_ = o.hmWidth_;
        hmHeight_ = o.hmHeight_;
        pxWidth_ = o.pxWidth_;
        pxHeight_ = o.pxHeight_;
        source_ = std::move(o.source_);
        stamp_ = o.stamp_;
    }
    return *this;
}

Picture Picture::Load(const std::string& path) {
    Picture out;
    std::string bytes;
    // Taken before the read: a file changed during or after it then differs from its stamp.
    const FileStamp stamp = StampOf(path);
    if (path.empty() || !ReadWholeFile(path, bytes) || bytes.empty() || !DeclaresHoldableSize(bytes)) return out;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem) return out;
    void* p = GlobalLock(mem);
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, stream.out()))) {
        GlobalFree(mem);
        return out;
    }
    ComPtr<IPicture> pic;
    HRESULT hr = OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, pic.outVoid());
    if (FAILED(hr) || !pic) return out;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    pic->get_Width(&w);
    pic->get_Height(&h);
    SIZE px = PixelSize(pic.get(), w, h);
    if (!Holdable(px.cx, px.cy)) return out;
    out.source_ = path;
    out.stamp_ = stamp;
    out.hmWidth_ = w;
    out.hmHeight_ = h;
    out.pic_ = std::move(pic);
    out.pxWidth_ = px.cx;
    out.pxHeight_ = px.cy;
    return out;
}

Picture Picture::Reload(const std::string& path) const {
    if (!pic_ || path != source_ || StampOf(path) != stamp_) return Load(path);
    Picture again;
    again.pic_ = pic_.Share();
    again.source_ = source_;
    again.stamp_ = stamp_;
    again.hmWidth_ = hmWidth_;
    again.hmHeight_ = hmHeight_;
    again.pxWidth_ = pxWidth_;
    again.pxHeight_ = pxHeight_;
    return again;
}

void Picture::Render(HDC dc, int x, int y, int cx, int cy) const {
    if (!pic_) return;
    // The source rectangle is in HIMETRIC and runs bottom-up.
    pic_->Render(dc, x, y, cx, cy, 0, hmHeight_, hmWidth_, -hmHeight_, nullptr);
}

}  // namespace kaza::platform

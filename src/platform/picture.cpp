#include "platform/picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cmath>
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
    }
    return *this;
}

Picture Picture::Load(const std::string& path) {
    Picture out;
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes) || bytes.empty()) return out;
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
    out.source_ = path;
    out.hmWidth_ = w;
    out.hmHeight_ = h;
    SIZE px = PixelSize(pic.get(), w, h);
    out.pic_ = std::move(pic);
    out.pxWidth_ = px.cx;
    out.pxHeight_ = px.cy;
    return out;
}

void Picture::Render(HDC dc, int x, int y, int cx, int cy) const {
    if (!pic_) return;
    // The source rectangle is in HIMETRIC and runs bottom-up.
    pic_->Render(dc, x, y, cx, cy, 0, hmHeight_, hmWidth_, -hmHeight_, nullptr);
}

}  // namespace kaza::platform

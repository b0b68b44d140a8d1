#include "platform/picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cmath>
#include <utility>

#include "platform/files.h"

namespace kaza::platform {

int HimetricToPixels(long himetric) { return static_cast<int>(std::lround(himetric * 96.0 / 2540.0)); }

Picture::Picture() = default;
Picture::~Picture() {
    if (pic_) pic_->Release();
}
Picture::Picture(Picture&& o) noexcept { *this = std::move(o); }
Picture& Picture::operator=(Picture&& o) noexcept {
    if (this != &o) {
        if (pic_) pic_->Release();
        pic_ = std::exchange(o.pic_, nullptr);
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
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        GlobalFree(mem);
        return out;
    }
    IPicture* pic = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&pic));
    stream->Release();
    if (FAILED(hr) || !pic) return out;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    pic->get_Width(&w);
    pic->get_Height(&h);
    out.pic_ = pic;
    out.source_ = path;
    out.hmWidth_ = w;
    out.hmHeight_ = h;
    out.pxWidth_ = HimetricToPixels(w);
    out.pxHeight_ = HimetricToPixels(h);
    return out;
}

void Picture::Render(HDC dc, int x, int y, int cx, int cy) const {
    if (!pic_) return;
    // The source rectangle is in HIMETRIC and runs bottom-up.
    pic_->Render(dc, x, y, cx, cy, 0, hmHeight_, hmWidth_, -hmHeight_, nullptr);
}

}  // namespace kaza::platform

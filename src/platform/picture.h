#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/handles.h"

struct IPicture;

namespace kaza::platform {

// A picture loaded by the system's picture loader (BMP, ICO, JPEG, GIF) with its natural size.
class Picture {
public:
    Picture();
    ~Picture();
    Picture(Picture&&) noexcept;
    Picture& operator=(Picture&&) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Empty picture on any failure (missing file, not a picture, a picture too large to hold).
    static Picture Load(const std::string& path);
    // This picture again when it was loaded from `path` and the file still has the size and
    // last-write time it had then; otherwise the file loaded afresh.
    Picture Reload(const std::string& path) const;

    bool empty() const { return !pic_; }
    // The file it was loaded from.
    const std::string& source() const { return source_; }
    // The picture's own size in pixels, the same at every screen resolution.
    int width() const { return pxWidth_; }
    int height() const { return pxHeight_; }

    // Draws the whole picture into (x, y, cx, cy) of the DC.
    void Render(HDC dc, int x, int y, int cx, int cy) const;

private:
    ComPtr<IPicture> pic_;
    std::string source_;
    FileStamp stamp_;  // the file as it was just before it was read
    long hmWidth_ = 0, hmHeight_ = 0;
    int pxWidth_ = 0, pxHeight_ = 0;
};

}  // namespace kaza::platform

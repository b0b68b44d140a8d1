// Speed of the logo writer and of the fit stretch. Prints its figures; checks nothing.
//   logo_bench           the full sizes: 210 × 106 and 4000 × 3000 surfaces, a 6000 × 4000 picture
//   logo_bench --small   small sizes, for a quick run in CI
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"
#include "logo/savebitmap.h"
#include "platform/picture.h"
#include "platform/ui/form.h"
#include "platform/resample.h"
#include "platform/ui/picturebox.h"

namespace {

using kaza::ui::PictureBoxWindow;
using kaza::ui::PixelImage;
using kaza::bench::Now;

// Best time in seconds of `runs` runs (at least one, stopping early once `budget` seconds passed).
double Best(int runs, double budget, const std::function<void()>& f) {
    double best = 1e30, start = Now();
    for (int i = 0; i < runs; ++i) {
        double t0 = Now();
        f();
        best = std::min(best, Now() - t0);
        if (Now() - start > budget) break;
    }
    return best;
}

// A varied pattern, so that every palette index turns up.
void Fill(uint32_t* bits, int w, int h) {
    uint32_t seed = 12345;
    for (size_t i = 0, n = size_t(w) * h; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        bits[i] = (seed >> 8) & 0xFFFFFF;
    }
}

std::string TempPath(const char* name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

void WriterFigures(int w, int h, bool small) {
    HWND hwnd = CreateWindowExA(0, PictureBoxWindow::ClassName(), "", WS_POPUP, 0, 0, w, h, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    PictureBoxWindow* pb = PictureBoxWindow::From(hwnd);
    if (!pb || pb->SurfaceWidth() != w || pb->SurfaceHeight() != h) {
        std::printf("surface %d x %d: could not be made\n", w, h);
        if (hwnd) DestroyWindow(hwnd);
        return;
    }
    pb->SetScale(kaza::ui::ScaleMode::Pixels);
    Fill(pb->Bits(), w, h);
    const double mp = double(w) * h / 1e6;
    const std::string file = TempPath("kaza_bench.bmp");

    double write = Best(small ? 5 : 20, 5.0, [&] { kaza::CSaveBitmap().SaveBitmap256(*pb, file, 0, 0, w, h); });
    std::printf("SaveBitmap256 %5d x %-5d  %9.3f ms  %8.1f MP/s  (goal on the large surface: >= 500 MP/s)\n", w, h,
                write * 1e3, mp / write);

    // The baseline: one GetPixel call per pixel of the same surface. On a large surface only a
    // band of rows is sampled and the figure is scaled up to the whole surface.
    HDC dc = pb->SurfaceDC();
    int rows = h;
    double t0 = Now();
    volatile uint32_t sink = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) sink = sink + GetPixel(dc, x, y);
        if (Now() - t0 > 3.0) {
            rows = y + 1;
            break;
        }
    }
    double perPixel = (Now() - t0) / (double(rows) * w);
    std::printf("GetPixel      %5d x %-5d  %9.3f ms  %8.1f MP/s%s\n", w, h, perPixel * w * h * 1e3, 1e-6 / perPixel,
                rows < h ? "  (from a band of rows, scaled to the whole surface)" : "");
    DeleteFileA(file.c_str());
    DestroyWindow(hwnd);
}

void WriteBmp24(const std::string& path, int w, int h) {
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    std::vector<uint8_t> b(54 + size_t(rowBytes) * h, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &b[54 + size_t(y) * rowBytes + size_t(x) * 3];
            p[0] = uint8_t(x * 3 + y);
            p[1] = uint8_t(((x / 8) + (y / 8)) % 2 ? 255 : 0);
            p[2] = uint8_t(y * 5);
        }
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(f, b.data(), DWORD(b.size()), &done, nullptr);
    CloseHandle(f);
}

void StretchFigures(int w, int h, bool small) {
    const int dw = 210, dh = 106;
    PixelImage src(w, h);
    if (src.empty()) {
        std::printf("picture %d x %d: could not be made\n", w, h);
        return;
    }
    Fill(src.bits(), w, h);
    std::vector<uint32_t> dst(size_t(dw) * dh);
    double stretch = Best(small ? 5 : 15, 5.0, [&] {
        kaza::platform::StretchPixels(src.bits(), w, h, w, dst.data(), dw, dh, dw);
    });
    std::printf("Fit stretch   %5d x %-5d  %9.3f ms onto %d x %d  (goal for 6000 x 4000: <= 30 ms)\n", w, h,
                stretch * 1e3, dw, dh);

    // For the whole picture: decoding the file and drawing it at natural size come before the
    // stretch in a fit.
    const std::string file = TempPath("kaza_bench_src.bmp");
    WriteBmp24(file, w, h);
    kaza::platform::Picture picture;
    double load = Best(small ? 3 : 2, 5.0, [&] { picture = kaza::platform::Picture::Load(file); });
    double render = Best(small ? 3 : 3, 5.0, [&] { kaza::ui::RenderPixels(picture, RGB(192, 192, 192)); });
    std::printf("  (the same picture as a BMP file: loading %.1f ms, drawing at natural size %.1f ms)\n", load * 1e3,
                render * 1e3);
    DeleteFileA(file.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
    kaza::ui::InitToolkit();
    std::printf("logo benchmark (%s sizes)\n", small ? "small" : "full");
    WriterFigures(210, 106, small);
    if (small)
        WriterFigures(400, 300, small);
    else
        WriterFigures(4000, 3000, small);
    if (small)
        StretchFigures(600, 400, small);
    else
        StretchFigures(6000, 4000, small);
    return 0;
}

// What a user waits for, each step driven through the entry point its click uses: importing and
// fitting a large photo, selecting presets with long support texts, starting up, applying.
// Prints the median of several runs of each; checks nothing. script/bench runs it and times
// ImageMagick's convert on the same pictures in the same run.
//   steps                      24-megapixel pictures, written to and removed from %TEMP%
//   steps --small              1-megapixel pictures and fewer runs, for a quick run in CI
//   steps --pictures FOLDER    the pictures are written to FOLDER and left there
#include <windows.h>
#include <ole2.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"
#include "app/form1.h"
#include "apply/apply.h"
#include "backup/backup.h"
#include "logo/logo.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/seams.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/ui/form.h"
#include "platform/ui/picturebox.h"
#include "presets/store.h"

namespace {

using namespace kaza;
using bench::Now;

// Median in milliseconds of `runs` runs; `before` runs untimed ahead of each.
double Median(int runs, const std::function<void()>& f, const std::function<void()>& before = {}) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        if (before) before();
        double t0 = Now();
        f();
        t.push_back((Now() - t0) * 1e3);
    }
    std::sort(t.begin(), t.end());
    return t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
}

// The open-file dialog answers with the next picture; a message box is counted and printed,
// since a figure taken over a failure would mean nothing.
class Answers : public platform::Dialogs {
public:
    std::string next;
    int messages = 0;
    int Message(HWND, const std::string& text, const std::string&, unsigned) override {
        if (messages++ == 0) std::printf("  (a message appeared: %s)\n", text.c_str());
        return IDYES;
    }
    bool OpenFile(HWND, const std::string&, std::string& fileName) override {
        fileName = next;
        return !next.empty();
    }
    std::string BrowseForFolder(HWND, const std::string&, unsigned) override { return ""; }
};

// A photo-like picture: smooth gradients with some noise, bottom-up BGR rows.
std::vector<uint8_t> PhotoRows(int w, int h, uint32_t rowBytes) {
    std::vector<uint8_t> b(size_t(rowBytes) * h, 0);
    uint32_t seed = 20261208;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            int noise = int((seed >> 16) & 31) - 16;
            uint8_t* p = &b[size_t(y) * rowBytes + size_t(x) * 3];
            p[0] = uint8_t(std::clamp(x * 255 / w + noise, 0, 255));
            p[1] = uint8_t(std::clamp(y * 255 / h + noise, 0, 255));
            p[2] = uint8_t(std::clamp(((x + y) / 16) % 256 + noise, 0, 255));
        }
    return b;
}

bool WriteBmp(const std::string& path, int w, int h) {
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    std::vector<uint8_t> rows = PhotoRows(w, h, rowBytes);
    std::string b(54, '\0');
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(54 + rows.size())), put32(10, 54), put32(14, 40), put32(18, uint32_t(w)), put32(22, uint32_t(h));
    b[26] = 1, b[28] = 24;
    b.append(reinterpret_cast<const char*>(rows.data()), rows.size());
    return platform::WriteWholeFile(path, b).ok();
}

// The same picture as a JPEG, through the system's own encoder (top-down rows there).
bool WriteJpeg(const std::string& path, int w, int h) {
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    std::vector<uint8_t> rows = PhotoRows(w, h, rowBytes);
    for (int y = 0; y < h / 2; ++y)
        std::swap_ranges(rows.begin() + ptrdiff_t(y) * rowBytes, rows.begin() + ptrdiff_t(y + 1) * rowBytes,
                         rows.begin() + ptrdiff_t(h - 1 - y) * rowBytes);
    platform::ComPtr<IWICImagingFactory> factory;
    platform::ComPtr<IWICStream> stream;
    platform::ComPtr<IWICBitmapEncoder> encoder;
    platform::ComPtr<IWICBitmapFrameEncode> frame;
    platform::ComPtr<IPropertyBag2> options;
    std::wstring wide(path.begin(), path.end());
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      factory.outVoid())) &&
           SUCCEEDED(factory->CreateStream(stream.out())) &&
           SUCCEEDED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.out())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.out(), options.out())) &&
           SUCCEEDED(frame->Initialize(options.get())) && SUCCEEDED(frame->SetSize(UINT(w), UINT(h))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(UINT(h), rowBytes, UINT(rows.size()), rows.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// A fresh program folder with the page pictures beside it, and the program pointed at it.
std::string ProgramFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kaza_steps";
    static_cast<void>(platform::CreateFolder(folder));
    static_cast<void>(platform::CreateFolder(folder + "\\Plugins"));
    for (const char* page : presets::kPagePictures)
        CopyFileA((std::string(KAZA_PLUGINS_DIR) + "\\" + page).c_str(), (folder + "\\Plugins\\" + page).c_str(),
                  FALSE);
    platform::SetProgramFolderForTesting(folder);
    return folder;
}

// The index file as the program writes it: Shift-JIS, quoted texts, one key per support line.
std::string PresetSection(const std::string& name, long count) {
    std::string s = "[" + name + "]\r\n1=\"カザグルマ電機\"\r\n2=\"KZ-" + std::to_string(count) +
                    "\"\r\n3=preset.bmp\r\n777=1\r\n999=\r\n";
    for (long n = 1; n <= count - 2; ++n)
        s += std::to_string(n + 3) + "=\"サポート窓口　" + std::to_string(n) + "行目　受付 9:00〜17:00\"\r\n";
    return s + "555=" + std::to_string(count) + "\r\n";
}

void WriteIndex(const std::vector<std::pair<std::string, long>>& presets) {
    std::string index = "[nagi]\r\n", sections;
    for (size_t i = 0; i < presets.size(); ++i) {
        index += std::to_string(i + 1) + "=" + presets[i].first + "\r\n";
        sections += PresetSection(presets[i].first, presets[i].second);
    }
    if (!platform::WriteWholeFile(presets::IndexPath(), platform::ToAnsi(index + sections)))
        std::printf("  (the index file could not be written)\n");
}

void Select(Form1& main, const std::string& name) {
    ui::Control& list = main.List1();
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.ListItem(i) == name) list.SetListIndex(i);
    main.Raise("List1", -1, ui::Event::Click);
}

void PictureFigures(Answers& answers, const std::string& folder, int w, int h, int runs) {
    const std::string jpeg = folder + "\\steps.jpg", bmp = folder + "\\steps.bmp";
    if (!WriteJpeg(jpeg, w, h)) std::printf("  (the JPEG encoder refused; the JPEG row is missing)\n");
    WriteBmp(bmp, w, h);
    Form1 main;
    main.Load();
    for (const auto& [kind, path] : {std::pair<const char*, std::string>{"JPEG", jpeg}, {"BMP", bmp}}) {
        if (!platform::FileExists(path)) continue;
        answers.next = path;
        double ms = Median(runs, [&] {
            logo::Import(main);
            logo::Fit(main);
        });
        const bool fitted = main.C("Text2").Text() == "1" && !main.Picture1().pictureBox()->Picture().empty();
        std::printf("import + fit, %-4s %d x %d: %10.1f ms%s\n", kind, w, h, ms, fitted ? "" : "  (NOT fitted)");
    }
}

void PresetFigures(int runs) {
    const long counts[] = {10, 1000, 10000};
    WriteIndex({{"p10", counts[0]}, {"p1000", counts[1]}, {"p10000", counts[2]}});
    Form1 main;
    main.Load();
    double base = 0;
    for (long count : counts) {
        const std::string name = "p" + std::to_string(count);
        // The other preset first, so that every selection fills the editor afresh.
        double ms = Median(runs, [&] { Select(main, name); }, [&] { Select(main, count == 10 ? "p1000" : "p10"); });
        if (count == 10) base = ms;
        std::printf("select preset, %5ld support lines: %10.2f ms  %6.2f x the 10-line one\n", count, ms, ms / base);
    }
    // The reader this replaced: one profile call per support line.
    double t0 = Now();
    std::string support;
    for (long n = 1; n <= counts[2] - 2; ++n) support += presets::ReadValue("p10000", presets::key::Line(size_t(n))) + "\r\n";
    std::printf("  (reading those 10000 lines one value at a time instead: %.0f ms)\n", (Now() - t0) * 1e3);
}

void StartupFigures(int runs) {
    for (int presetCount : {0, 100}) {
        std::vector<std::pair<std::string, long>> presets;
        for (int i = 1; i <= presetCount; ++i) presets.push_back({"preset" + std::to_string(i), 10});
        WriteIndex(presets);
        double ms = Median(runs, [] {
            Form1 main;
            main.Load();
        });
        std::printf("start-up, %3d presets: %10.2f ms\n", presetCount, ms);
    }
}

void ApplyFigures(int runs) {
    WriteIndex({{"p10", 10}});
    Form1 main;
    main.Load();
    Select(main, "p10");
    std::string result;
    // What 実行 in the final confirmation does: the safety copy, then both files and the values.
    double ms = Median(runs, [&] {
        if (auto steps = apply::ApplySettings(main, apply::LogoDepth::FullColour, "実行", main.hwnd()))
            result = apply::ApplyResultText(*steps);
    });
    std::printf("apply (safety copy, both files, registry): %10.2f ms  (%s)\n", ms, result.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    bool small = false;
    std::string pictures;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small") == 0) small = true;
        if (std::strcmp(argv[i], "--pictures") == 0 && i + 1 < argc) pictures = argv[++i];
    }
    ui::InitToolkit();
    CoInitialize(nullptr);
    Answers answers;
    platform::SetDialogs(&answers);
    const std::string folder = ProgramFolder();
    // The preset's own logo, small, as the program's presets usually are.
    WriteBmp(folder + "\\Plugins\\preset.bmp", 300, 150);
    const bool keep = !pictures.empty();
    if (!keep) pictures = folder;
    std::printf("steps a user waits for (%s), medians\n", small ? "small" : "full");
    if (small)
        PictureFigures(answers, pictures, 1200, 800, 3);
    else
        PictureFigures(answers, pictures, 6000, 4000, 5);
    PresetFigures(small ? 3 : 7);
    StartupFigures(small ? 3 : 9);
    ApplyFigures(small ? 3 : 9);
    if (!keep) {
        static_cast<void>(platform::RemoveFile(pictures + "\\steps.jpg"));
        static_cast<void>(platform::RemoveFile(pictures + "\\steps.bmp"));
    }
    platform::SetDialogs(nullptr);
    return 0;
}

#include "logo/logo.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/form1.h"
#include "logo/savebitmap.h"
#include "platform/bmpfile.h"
#include "platform/picture.h"
#include "platform/resample.h"
#include "platform/ui/picturebox.h"

namespace kaza::logo {
namespace {

constexpr const char* kImportHint = "BMP,JPG,GIF,ico取り込めます。";
constexpr const char* kFitHint = "画像が大きいと縮小するのに時間がかります。";
constexpr const char* kCentreHint = "画像が大きいとおもいっきりはみ出ます。（でも実行すれば機能します。";
constexpr const char* kFilter = "ピクチャ (*.bmp;*.ico;*.jpg;*.gif)|*.bmp;*.ico;*.jpg;*.gif";

// The frame's design rectangle in twips, and its half sizes.
constexpr float kLeft = kLogoFrame.left, kTop = kLogoFrame.top;
constexpr float kWidth = kLogoFrame.width, kHeight = kLogoFrame.height;
constexpr float kHalfWidth = kWidth / 2, kHalfHeight = kHeight / 2;

ui::PictureBoxWindow& Frame(Form1& main) { return *main.Picture1().pictureBox(); }
ui::Control& FitFlag(Form1& main) { return main.C("Text2"); }
ui::Control& CentreFlag(Form1& main) { return main.C("Text3"); }
std::string Source(Form1& main) { return main.TRF.AsText(); }

}  // namespace

// Two words with six ideographic spaces between them.
void ShowFitState(Form1& main, bool on) {
    main.SetPanel(2, on ? "画像\u3000\u3000\u3000\u3000\u3000\u3000動" : "画像\u3000\u3000\u3000\u3000\u3000\u3000止");
}
void ShowCentreState(Form1& main, bool on) {
    main.SetPanel(3, on ? "中央\u3000\u3000\u3000\u3000\u3000\u3000動" : "中央\u3000\u3000\u3000\u3000\u3000\u3000止");
}

bool LoadFramePicture(Form1& main, const std::string& path) {
    platform::Picture picture = Frame(main).Picture().Reload(path);
    bool ok = !picture.empty();
    Frame(main).SetPicture(std::move(picture));
    return ok;
}

void CentreFrameOnPicture(Form1& main) {
    ui::PictureBoxWindow& frame = Frame(main);
    frame.SetAutoSize(true);
    float halfHeight = frame.Height() / 2, halfWidth = frame.Width() / 2;
    frame.SetTop(kTop + (kHalfHeight - halfHeight));
    frame.SetLeft(kLeft + (kHalfWidth - halfWidth));
}

void RestoreDesignRectangle(Form1& main) {
    ui::PictureBoxWindow& frame = Frame(main);
    frame.SetAutoSize(false);
    frame.SetWidth(kWidth);
    frame.SetHeight(kHeight);
    frame.SetTop(kTop);
    frame.SetLeft(kLeft);
}

bool DrawStretched(Form1& main, const std::string& path) {
    ui::PictureBoxWindow& frame = Frame(main);
    frame.SetBorder(false);
    // The frame's own picture when it came from this file and the file is unchanged since.
    platform::Picture picture = frame.Picture().Reload(path);
    if (picture.empty()) return false;
    // The whole picture onto the whole client area, each axis scaled on its own.
    return frame.PaintPicture(picture, 0, 0, frame.SurfaceWidth(), frame.SurfaceHeight());
}

namespace {

// Import's steps once the file is named: the frame shows it, or is reset and emptied.
void Load(Form1& main, const std::string& path) {
    platform::Picture picture = platform::Picture::Load(path);
    if (picture.empty()) {
        RestoreDesignRectangle(main);
        Frame(main).ClearPicture();
        return;
    }
    // An automatically sized frame (left so by centring) takes the new size at its top-left.
    Frame(main).SetPicture(std::move(picture));
    main.TRF = Variant::Text(path);
}

}  // namespace

void Import(Form1& main) {
    main.SetPanel(1, kImportHint);
    const std::string fit = FitFlag(main).Text(), centre = CentreFlag(main).Text();
    FitFlag(main).SetText("");
    CentreFlag(main).SetText("");
    main.CommonDialog1.Filter = kFilter;
    if (!main.CommonDialog1.ShowOpen(main.hwnd())) {
        // Dismissed without a choice: the frame, the source path and the modes stay as they were.
        FitFlag(main).SetText(fit);
        CentreFlag(main).SetText(centre);
        return;
    }
    Load(main, main.CommonDialog1.FileName);
}

void ImportFile(Form1& main, const std::string& path) {
    main.SetPanel(1, kImportHint);
    FitFlag(main).SetText("");
    CentreFlag(main).SetText("");
    Load(main, path);
}

bool ShowCentred(Form1& main, const std::string& path) {
    platform::Picture picture = platform::Picture::Load(path);
    if (picture.empty()) return false;
    ui::Control& control = main.Picture1();
    control.SetVisible(false);
    FitFlag(main).SetText("");
    ShowFitState(main, false);
    Frame(main).SetPicture(std::move(picture));
    main.TRF = Variant::Text(path);
    CentreFrameOnPicture(main);
    CentreFlag(main).SetText("2");
    ShowCentreState(main, true);
    control.SetVisible(true);
    return true;
}

void Fit(Form1& main) {
    ui::Control& control = main.Picture1();
    ui::PictureBoxWindow& frame = Frame(main);
    main.SetPanel(1, kFitHint);
    if (CentreFlag(main).Text() == "2") {
        CentreFlag(main).SetText("");
        frame.SetAutoSize(false);
        ShowCentreState(main, false);
    }
    control.SetVisible(false);
    RestoreDesignRectangle(main);
    if (FitFlag(main).Text() != "1") {
        ShowFitState(main, true);
        DrawStretched(main, Source(main));
        FitFlag(main).SetText("1");
    } else {
        // Back to the unscaled picture; the border stays off.
        LoadFramePicture(main, Source(main));
        FitFlag(main).SetText("");
        ShowFitState(main, false);
    }
    control.SetVisible(true);
}

void Centre(Form1& main) {
    ui::Control& control = main.Picture1();
    main.SetPanel(1, kCentreHint);
    if (FitFlag(main).Text() == "1") {
        FitFlag(main).SetText("");
        LoadFramePicture(main, Source(main));
        ShowFitState(main, false);
    }
    control.SetVisible(false);
    if (CentreFlag(main).Text() != "2") {
        CentreFrameOnPicture(main);
        ShowCentreState(main, true);
        CentreFlag(main).SetText("2");
    } else {
        RestoreDesignRectangle(main);
        Frame(main).SetAutoSize(false);
        LoadFramePicture(main, Source(main));
        ShowCentreState(main, false);
        CentreFlag(main).SetText("");
    }
    control.SetVisible(true);
}

platform::Outcome SaveLogo256(Form1& main, const std::string& path) {
    ui::PictureBoxWindow& frame = Frame(main);
    frame.SetBorder(false);
    frame.SetScale(ui::ScaleMode::Pixels);
    ui::BusyPointer busy;
    // With no border the surface is the whole client area, in the picture's own pixels.
    return WriteBitmap256(frame.Surface(), main.hwnd(), path, 0, 0, frame.SurfaceWidth(), frame.SurfaceHeight());
}

platform::Outcome SaveLogoFullColour(Form1& main, const std::string& path) {
    return platform::WriteBmp24(Frame(main).Surface(), path);
}

platform::Outcome SaveLogoSmall(Form1& main, const std::string& path) {
    const platform::PixelSurface frame = Frame(main).Surface();
    const int w = frame.width, h = frame.height;
    if (!frame.bits || w <= 0 || h <= 0) return platform::Outcome::Failed(ERROR_INVALID_PARAMETER);
    // The longer side decides; the other keeps the proportion, rounded, at least one pixel.
    int dw = w, dh = h;
    if (w > kSmallLogoBox || h > kSmallLogoBox) {
        if (w >= h) {
            dw = kSmallLogoBox;
            dh = std::max(1, static_cast<int>((int64_t(h) * kSmallLogoBox + w / 2) / w));
        } else {
            dh = kSmallLogoBox;
            dw = std::max(1, static_cast<int>((int64_t(w) * kSmallLogoBox + h / 2) / h));
        }
    }
    std::vector<uint32_t> small(static_cast<size_t>(dw) * dh);
    platform::StretchPixels(frame.bits, w, h, w, small.data(), dw, dh, dw);
    return platform::WriteBmp32({small.data(), dw, dh, 1}, path);
}

bool FrameHasLogo(Form1& main) { return !Frame(main).Picture().empty(); }

}  // namespace kaza::logo

#pragma once
#include <string>

#include "platform/outcome.h"

namespace kaza {
class Form1;
namespace logo {

// The logo frame commands: each sets its own hint.
void Import(Form1& main);  // menu G, click on Picture1
void Fit(Form1& main);     // Command5, GAZOAWA
void Centre(Form1& main);  // Command6, GAZOTYUUOU
// The import of a file chosen elsewhere (dropped on the program): the same steps and refusals
// as Import after its dialog.
void ImportFile(Form1& main, const std::string& path);
// The picture file centred at its own size, as the system shows a logo: centre on, fit off, TRF
// the file. False, and the frame left as it was, when the file is no picture that can be shown.
bool ShowCentred(Form1& main, const std::string& path);

// Placement pieces shared with preset selection.
// Makes the picture file the frame's picture; on failure the frame is left without a picture.
bool LoadFramePicture(Form1& main, const std::string& path);
// Automatic sizing on, then Top and Left so that the frame's centre lands on (1815, 4275) twips.
void CentreFrameOnPicture(Form1& main);
// Automatic sizing off; Width 3150, Height 1590, Top 3480, Left 240, in this order.
void RestoreDesignRectangle(Form1& main);
// Border none, then the picture file stretched onto the whole client area (the surface keeps it).
// False when the picture could not be loaded (the frame keeps its geometry, nothing is drawn).
bool DrawStretched(Form1& main, const std::string& path);

// Status panels 2 and 3: whether the logo is fitted, whether it is centred.
void ShowFitState(Form1& main, bool on);
void ShowCentreState(Form1& main, bool on);

// Writing the logo file.
// 256 colours: no border, pixel units, busy pointer, SaveBitmap256 of the whole client area.
platform::Outcome SaveLogo256(Form1& main, const std::string& path);
// Full colour: the frame's persistent surface (its client area) as an uncompressed 24-bit BMP.
platform::Outcome SaveLogoFullColour(Form1& main, const std::string& path);
// The logo Vista to 10 (up to version 2004) show in a box of 120 x 120: the frame's surface in full
// colour, shrunk by area averaging to fit that box with its proportions kept (never enlarged), as
// the 32-bit BMP those systems ask for, every pixel opaque.
inline constexpr int kSmallLogoBox = 120;
platform::Outcome SaveLogoSmall(Form1& main, const std::string& path);
// Whether the frame holds a logo at all (a picture was loaded into it).
bool FrameHasLogo(Form1& main);

}  // namespace logo
}  // namespace kaza

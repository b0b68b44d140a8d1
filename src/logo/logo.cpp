#include "logo/logo.h"

#include "app/form1.h"

namespace kaza::logo {

void Import(Form1&) {}
void Fit(Form1&) {}
void Centre(Form1&) {}
bool LoadFramePicture(Form1&, const std::string&) { return false; }
void CentreFrameOnPicture(Form1&) {}
void RestoreDesignRectangle(Form1&) {}
bool DrawStretched(Form1&, const std::string&) { return false; }
bool SaveLogo256(Form1&, const std::string&) { return false; }
bool SaveLogoFullColour(Form1&, const std::string&) { return false; }

}  // namespace kaza::logo

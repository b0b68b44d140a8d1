#pragma once
#include <string>

namespace kaza {
class Form1;
namespace apply {

void OpenFinalConfirmation(Form1& main);  // Form5, modal

enum class LogoDepth { Colours256, FullColour };

// Writes the main window's settings to the system, every step attempted in order: oeminfo.ini,
// the registration values, on the NT family the processor name, then the logo in the given depth;
// on Vista and later then the OEMInformation values and the logo they name.
// Returns the text for status panel 1: the success text when everything was written, otherwise
// a text naming what could not be written.
std::string WriteSettings(Form1& main, LogoDepth depth);

}  // namespace apply
}  // namespace kaza

#pragma once
#include <string>
#include <vector>

#include "platform/outcome.h"

namespace kaza {
class Form1;
namespace apply {

void OpenFinalConfirmation(Form1& main);  // Form5, modal

enum class LogoDepth { Colours256, FullColour };

// One step of WriteSettings: what it wrote, and how that went.
struct StepResult {
    std::string what;
    platform::Outcome outcome;
};

// Writes the main window's settings to the system, every step attempted in order: oeminfo.ini,
// the registration values, on the NT family the processor name, then the logo in the given depth;
// on Vista and later then the OEMInformation values and the logo they name.
// Returns the text for status panel 1: the success text when everything was written, otherwise
// a text naming what could not be written. With `steps`, every step attempted adds one row.
std::string WriteSettings(Form1& main, LogoDepth depth, std::vector<StepResult>* steps = nullptr);

// The information file as WriteSettings writes it: the maker and model, then the support lines,
// built beside `path` and put in its place only when every write went in.
platform::Outcome WriteInfoFile(Form1& main, const std::string& path);

}  // namespace apply
}  // namespace kaza

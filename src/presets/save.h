#pragma once
#include <string>

#include "presets/store.h"

namespace kaza {
class Form1;
namespace presets {

// Writes the main window's settings into the section `name`: "1", "2", "3", "777", "999", then the
// index entry under `indexKey` when it is not empty, then the support lines from "4" on and "555", then the three support details.
// Every write is attempted; false when any of them did not reach the index file.
bool WriteSettings(Form1& main, const std::string& name, const std::string& indexKey);

// What went wrong with the picture of a saved preset, as the end of a status text ("...が、" + it);
// the empty text when nothing did.
std::string PictureTrouble(StoreResult result, const std::string& trf);

}  // namespace presets
}  // namespace kaza

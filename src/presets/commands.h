#pragma once
#include <string>
#include <vector>

#include "app/variant.h"

namespace kaza {
class Form1;
namespace ui {
class Control;
}
namespace presets {

// Appends the names of the index to every list in `lists`. Returns the first free number of the
// index, or 0 when all are taken; with `www`, a free number is also stored there.
int ListPresets(const std::vector<ui::Control*>& lists, Variant* www);

void SelectPreset(Form1& main);      // click on List1
void OpenAddWindow(Form1& main);     // Form4, modal
void OpenDeleteWindow(Form1& main);  // Form3, modal
void Overwrite(Form1& main);         // Command7

// The support-line count "555" of a preset as a number; -1 when it is none (or beyond reason).
long StoredLineCount(const std::string& text);

}  // namespace presets
}  // namespace kaza

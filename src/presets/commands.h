#pragma once
#include <string>

namespace kaza {
class Form1;
namespace presets {

void SelectPreset(Form1& main);      // click on List1
void OpenAddWindow(Form1& main);     // Form4, modal
void OpenDeleteWindow(Form1& main);  // Form3, modal
void Overwrite(Form1& main);         // Command7

// The support-line count "555" of a preset as a number; -1 when it is none (or beyond reason).
long StoredLineCount(const std::string& text);

}  // namespace presets
}  // namespace kaza

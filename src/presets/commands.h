#pragma once

namespace kaza {
class Form1;
namespace presets {

void SelectPreset(Form1& main);      // click on List1
void OpenAddWindow(Form1& main);     // Form4, modal
void OpenDeleteWindow(Form1& main);  // Form3, modal
void Overwrite(Form1& main);         // Command7

}  // namespace presets
}  // namespace kaza

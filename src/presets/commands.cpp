#include "presets/commands.h"

#include "app/form1.h"

namespace kaza::presets {

void SelectPreset(Form1&) {}
void OpenAddWindow(Form1&) {}
void OpenDeleteWindow(Form1&) {}
void Overwrite(Form1&) {}

}  // namespace kaza::presets

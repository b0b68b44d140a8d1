#pragma once

namespace kaza {
class Form1;

// Reads the running system into the main window while it loads. It only reads, never writes,
// and every step that fails is skipped silently.
void RunStartupProbe(Form1& f);

}  // namespace kaza

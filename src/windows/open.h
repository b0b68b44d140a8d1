#pragma once

namespace kaza {
class Form1;

void OpenSupportEditor(Form1& main);  // Form2, modeless
void OpenAbout(Form1& main);          // frmAbout, modeless

}  // namespace kaza

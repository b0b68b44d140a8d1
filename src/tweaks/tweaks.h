#pragma once

namespace kaza {
class Form1;
namespace tweaks {

void OpenAccessRestriction(Form1& main);  // Form7, modeless
void OpenCpuFamily(Form1& main);          // Form8, modal

}  // namespace tweaks
}  // namespace kaza

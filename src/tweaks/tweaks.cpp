#include "tweaks/tweaks.h"

#include "app/form1.h"

namespace kaza::tweaks {

void OpenAccessRestriction(Form1&) {}
void OpenCpuFamily(Form1&) {}

}  // namespace kaza::tweaks

#include "tweaks/tweaks.h"

#include "app/form1.h"
#include "tweaks/form7.h"
#include "tweaks/form8.h"

namespace kaza::tweaks {

void OpenAccessRestriction(Form1& main) { main.Window<Form7>().Show(); }
void OpenCpuFamily(Form1& main) { main.Window<Form8>().ShowModal(); }

}  // namespace kaza::tweaks

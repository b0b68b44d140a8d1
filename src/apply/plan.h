#pragma once
#include <windows.h>

#include "app/plan.h"

// How the program builds its plans: what Apply and the removal write, from the main window.
namespace kaza {
class Form1;
namespace apply {

enum class LogoDepth { Colours256, FullColour };

// 実行 and /apply: oeminfo.ini, the registration values, on the NT family the processor name,
// the logo in the given depth; on Vista and later then the OEMInformation values and the logo
// they name. The files' bytes are made from the main window when the plan is written.
Plan ApplyPlan(Form1& main, LogoDepth depth, const Family& family);
// On the running family.
Plan ApplyPlan(Form1& main, LogoDepth depth = LogoDepth::FullColour);

// OEM情報を削除… and /remove: oeminfo.ini and the logo, and on Vista and later the six
// OEMInformation values and then the small logo Logo named, all removed. The registration values
// and the processor name are not in it.
Plan RemovalPlan(const Family& family);

// Writes the plan in order, every place attempted: one row per place written or removed, and
// one for what the system would not take (ERROR_INVALID_DATA, the reason as its detail).
platform::Steps WritePlan(const Plan& plan);

}  // namespace apply
}  // namespace kaza

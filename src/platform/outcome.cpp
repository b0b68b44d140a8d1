#include "platform/outcome.h"

#include <windows.h>

namespace kaza::platform {

Outcome Outcome::Failed(unsigned long code) { return Outcome(code ? code : ERROR_GEN_FAILURE); }

Outcome Outcome::LastError() { return Failed(GetLastError()); }

}  // namespace kaza::platform

#include "apply/apply.h"

#include "app/form1.h"

namespace kaza::apply {

void OpenFinalConfirmation(Form1&) {}

}  // namespace kaza::apply

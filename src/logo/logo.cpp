#include "logo/logo.h"

#include "app/form1.h"

namespace kaza::logo {

void Import(Form1&) {}
void Fit(Form1&) {}
void Centre(Form1&) {}

}  // namespace kaza::logo

#include "app/form1.h"

namespace kaza {

// Every menu entry, button and click area of the main window and what it does.
void Form1::BindCommands() {}

}  // namespace kaza

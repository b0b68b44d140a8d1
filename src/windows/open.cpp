#include "app/form1.h"
#include "windows/form2.h"
#include "windows/frmabout.h"
#include "windows/open.h"

namespace kaza {

void OpenSupportEditor(Form1& main) { main.Window<Form2>().Show(); }

void OpenAbout(Form1& main) {
    main.Window<frmAbout>().Show();
    // Painted before the command returns.
    ui::DoEvents();
}

}  // namespace kaza

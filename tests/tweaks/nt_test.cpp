// On the NT family the two system tweaks cannot be reached at all.
#include "app/form1.h"
#include "support/kaza_test.h"
#include "tweaks/form7.h"
#include "tweaks/form8.h"

namespace kaza {
namespace {

TEST(TweaksOnNt, NeitherWindowCanBeOpened) {
    test::ProgramFolder folder;
    Form1 f;
    f.Load();
    f.Show();
    bool modal = false;
    ui::Form::SetModalHook([&](ui::Form&) { modal = true; });
    for (const char* menu : {"CPU", "AKUKIN"}) SendMessageA(f.hwnd(), WM_COMMAND, f.Menu(menu).id(), 0);
    for (const char* area : {"Label5", "Label7"})
        SendMessageA(f.hwnd(), WM_COMMAND, MAKEWPARAM(f.C(area).id(), STN_CLICKED),
                     reinterpret_cast<LPARAM>(f.C(area).hwnd()));
    ui::Form::SetModalHook(nullptr);
    EXPECT_FALSE(modal);
    EXPECT_EQ(f.ExistingWindow<Form7>(), nullptr);
    EXPECT_EQ(f.ExistingWindow<Form8>(), nullptr);
    EXPECT_EQ(f.Panel(1), "カザグルマVer6.2");
}

}  // namespace
}  // namespace kaza

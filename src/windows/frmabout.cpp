#include "windows/frmabout.h"

#include "app/fonts.h"
#include "platform/system.h"
#include "platform/ui/picturebox.h"

namespace kaza {
namespace {

using namespace ui;

const ControlDecl kControls[] = {
    Image("Image1", 120, 240, 600, 600),
    Label("lblVersion", 840, 240, 3885, 225, "カザグルマ　Ver6.21").Font(kGothic, 11.25f, true).Tab(1),
    Label("lblDescription", 840, 600, 2925, 210, "作成日　　　　 2005年03月27日").Fore(RGB(0, 0, 0)).Tab(0),
    Label("Label1", 360, 1080, 3855, 375, "御意見、御感想などは以下のホームページまたはメールにてお願いします。").Tab(3),
    Label("Label2", 360, 1680, 1215, 255, "ホームページ").Tab(4),
    // Read-only on the button face: the addresses are there to be copied.
    Text("Text1", 1560, 1680, 2175, 270, frmAbout::kHomepage).ReadOnly().Tab(6),
    Label("Label3", 840, 1920, 615, 255, "メール").Tab(5),
    Text("Text2", 1560, 1920, 2175, 270, frmAbout::kMail).ReadOnly().Tab(7),
    Button("Command1", 1560, 2400, 1335, 375, "OK").Tab(2).Default().Cancel(),
    // Details for support: where the running program takes its DLLs from.
    Label("lblDetails", 120, 2880, 4095, 225, "").Tab(8),
};
const FormDecl kFrmAbout{"ﾊﾞｰｼﾞｮﾝ情報", kWindowFont, 4380, 3210, kControls, Count(kControls)};

}  // namespace

std::string DllSearchText() {
    switch (platform::DllSearchInForce()) {
    case platform::DllSearch::SystemFolderOnly:
        return "DLL の読み込み: システム フォルダーのみ (SetDefaultDllDirectories)";
    case platform::DllSearch::NoCurrentFolder:
        return "DLL の読み込み: カレント フォルダーを除く (SetDllDirectoryA。プログラムのフォルダーは探されます)";
    default:
        return "DLL の読み込み: 制限なし (SetDefaultDllDirectories も SetDllDirectoryA も使えません)";
    }
}

frmAbout::frmAbout(Form1&) : Form(kFrmAbout) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
}

void frmAbout::Form_Load() {
    C("lblDetails").SetCaption(DllSearchText());
    // The program's icon is the one every window of the program carries.
    PictureBoxWindow* image = C("Image1").pictureBox();
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd(), GCLP_HICON));
    if (!icon) return;
    // At its size on the 96-dpi screen the layout is drawn for, whatever the screen's resolution.
    constexpr int kSize = 32;
    DrawIconEx(image->SurfaceDC(), 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
    GdiFlush();
    image->Refresh();
}

// OK closes the window for good; the next opening builds it again.
void frmAbout::Command1_Click() { Unload(); }

}  // namespace kaza

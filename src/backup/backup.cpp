#include "backup/backup.h"

#include <shlobj.h>

#include "app/form1.h"
#include "app/places.h"
#include "backup/copies.h"
#include "backup/form6.h"
#include "platform/seams.h"
#include "platform/shell.h"
#include "platform/text.h"

namespace kaza::backup {
namespace {

constexpr const char* kLogo = places::kLogoCopyFile;
constexpr const char* kInfo = places::kInfoFile;

// Copies both installed files into the folder (the separator is always appended, so a drive
// root gives two backslashes in a row) and reports on the main window's status bar.
void SavePair(Form1& main, const std::string& folder, const std::string& place, const std::string& success) {
    std::string system = main.Labe.AsText();
    CopyResult logo = CopyOne(system + "\\" + kLogo, folder + "\\" + kLogo);
    CopyResult info = CopyOne(system + "\\" + kInfo, folder + "\\" + kInfo);
    main.SetPanel(1, SaveReport(place, {{kLogo, logo}, {kInfo, info}}, success));
}

}  // namespace

void SaveToDesktop(Form1& main) {
    std::string desktop = platform::shell().DesktopFolder(main.hwnd());
    if (desktop.empty()) {
        // Without a name the targets would land in the root of the current drive.
        main.SetPanel(1, "デスクトップの場所が分からず、保存できませんでした。");
        return;
    }
    SavePair(main, desktop, "デスクトップ", "oemlogo.bmp,oeminfo.iniをデスクトップに保存しました。");
}

void SaveToFloppy(Form1& main) {
    auto& dialogs = platform::dialogs();
    switch (platform::shell().ProbeDrive('A')) {
    case platform::DriveProbe::NoDisk:
        dialogs.Message(main.hwnd(), "フロッピーディスクが挿入されてません。", "Error!!", MB_OK);
        return;
    case platform::DriveProbe::Unreadable:
        dialogs.Message(main.hwnd(), "フロッピーディスクの形式が違うか，フォーマットされていません。", "Error!!", MB_OK);
        return;
    case platform::DriveProbe::Usable:
    case platform::DriveProbe::Other:
        break;
    }
    if (dialogs.Message(main.hwnd(), "A:\\にデータを上書き保存します。よろしいですか？", "フロッピー確認",
                        MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    SavePair(main, "a:", "フロッピー", "oemlogo.bmp,oeminfo.iniをフロッピーに保存しました。");
}

void SaveToFolder(Form1& main) {
    ui::Control& remembered = main.C("Text5");
    std::string picked = platform::dialogs().BrowseForFolder(main.hwnd(), "フォルダを選択してください",
                                                             BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN);
    if (!picked.empty()) remembered.SetText(platform::LowerCase(picked));
    std::string folder = remembered.Text();
    if (folder.empty()) {
        main.SetPanel(1, "指定先に保存はキャンセルされました。");
        return;
    }
    SavePair(main, folder, folder, folder + "に保存しました。");
}

void OpenRestoreWindow(Form1& main) { main.Window<Form6>().ShowModal(); }

}  // namespace kaza::backup

#include "app/form1.h"
#include "app/firmware_names.h"
#include "apply/apply.h"
#include "apply/installed.h"
#include "apply/remove.h"
#include "backup/backup.h"
#include "logo/logo.h"
#include "platform/seams.h"
#include "presets/commands.h"
#include "rollout/rollout.h"
#include "tweaks/tweaks.h"
#include "windows/form2.h"
#include "windows/open.h"

namespace kaza {

using ui::Event;

namespace {

constexpr const char* kSystemPropertiesHint = "一部のOSでは表示されないことがあります。(WIN98??";

// Windows-logo + Pause opens the system's own System Properties dialog. Pause gets no key-up;
// nothing waits for the dialog or checks that it opened.
void SendSystemPropertiesChord() {
    platform::Keyboard& keys = platform::keyboard();
    keys.Event(VK_LWIN, 0, 0, 0);
    keys.Event(VK_PAUSE, 0, 0, 0);
    keys.Event(VK_LWIN, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

// Every menu entry, button and click area of the main window: its hint, then its action.
void Form1::BindCommands() {
    auto click = [this](const char* name, std::function<void()> action) {
        On(name, Event::Click, [action](int) { action(); });
    };
    auto hinted = [this, click](const char* name, const char* hint, std::function<void(Form1&)> action) {
        click(name, [this, hint, action] {
            SetPanel(1, hint);
            action(*this);
        });
    };

    // The menu sends the keys first, the click on the pictured computer shows the hint first.
    click("sisuhyou", [this] {
        SendSystemPropertiesChord();
        SetPanel(1, kSystemPropertiesHint);
    });
    click("Label3", [this] {
        SetPanel(1, kSystemPropertiesHint);
        SendSystemPropertiesChord();
    });
    click("DESUK", [this] { backup::SaveToDesktop(*this); });
    click("HURO", [this] { backup::SaveToFloppy(*this); });
    click("SONOTA", [this] { backup::SaveToFolder(*this); });
    hinted("moto", "バックアップしたものを元に戻します。", backup::OpenRestoreWindow);
    hinted("HENKOUMAE", "カザグルマが変更する前の状態に戻せます。", backup::OpenSafetyCopies);
    hinted("HAIHU", "ほかのパソコンに同じ設定を配るためのファイルを書き出します。", rollout::ExportFromWindow);
    hinted("GENZAI", "このパソコンに今入っているメーカー情報とロゴを読み込みます。", apply::ReadInstalled);
    hinted("OEMSAKUZYO", "メーカー情報とロゴを削除します。「変更前の状態に戻す」で元に戻せます。", apply::RemoveFromWindow);
    click("E", [this] { Unload(); });
    click("G", [this] { logo::Import(*this); });
    click("Picture1", [this] { logo::Import(*this); });
    for (const char* n : {"RISUTOTUI", "Command2"})
        hinted(n, "アルファベットは小文字と大文字を混合できません。", presets::OpenAddWindow);
    for (const char* n : {"SAKUZYORISU", "Command3"}) hinted(n, "削除したら戻せません。", presets::OpenDeleteWindow);
    click("Command7", [this] { presets::Overwrite(*this); });
    click("List1", [this] { presets::SelectPreset(*this); });
    for (const char* n : {"GAZOAWA", "Command5"}) click(n, [this] { logo::Fit(*this); });
    for (const char* n : {"GAZOTYUUOU", "Command6"}) click(n, [this] { logo::Centre(*this); });
    for (const char* n : {"CPU", "Label7"})
        hinted(n, "Win9x限定機能。コンピュータの下をクリックしてもダイアログ開きます。", tweaks::OpenCpuFamily);
    for (const char* n : {"AKUKIN", "Label5"})
        hinted(n, "Win9x限定機能です。タブをクリックすることでもダイアログ開きます。", tweaks::OpenAccessRestriction);
    hinted("SYUTOKU", "この PC のファームウェアが示すメーカー名と型番を入れます。何も書き込みません。", TakeMakerFromFirmware);
    hinted("BAZYON", "このソフトについての感想,バグ情報などお待ちしてます。", OpenAbout);
    hinted("Command1", "半角カナ、ギリシャ文字なども使えます。", OpenSupportEditor);
    hinted("Command4", "実行する前にバックアップしたほうがいいです。", apply::OpenFinalConfirmation);
    // Settings' pages show the maker where no support provider is given.
    On("Text4", Event::Change, [this](int i) {
        if (i == 0) ShowStandInsOnPage(*this);
    });
    click("Text6", [this] { SetPanel(1, "ProcessorNameは変更しても再起動後元に戻ってしまいます。"); });
}

}  // namespace kaza

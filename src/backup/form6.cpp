#include "backup/form6.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "app/places.h"
#include "backup/backup.h"
#include "backup/copies.h"

namespace kaza {
namespace {

using namespace ui;

const ControlDecl kControls[] = {
    Frame("Frame1", 120, 120, 5175, 1815, "バックアップした2つのファイルをそれぞれ指定してください。"),
    Label("Label1", 120, 480, 495, 375, "画像BMP").In("Frame1"),
    Text("Text1", 600, 480, 3735, 270).In("Frame1").Tab(0),
    Button("Command3", 4320, 480, 615, 255, "参照").In("Frame1").Tab(1),
    Label("Label2", 120, 1200, 495, 375, "情報   INI").In("Frame1"),
    Text("Text2", 600, 1200, 3735, 270).In("Frame1").Tab(2),
    Button("Command4", 4320, 1200, 615, 255, "参照").In("Frame1").Tab(3),
    Button("Command1", 1080, 2160, 1455, 375, "実行").Tab(4).Default(),
    Button("Command2", 2760, 2160, 1455, 375, "キャンセル").Tab(5).Cancel(),
};
const FormDecl kForm6{"バックアップしたものを元に戻す", kWindowFont, 5415, 2625, kControls, Count(kControls)};

}  // namespace

Form6::Form6(Form1& main) : Form(kForm6), main_(main) {
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
    On("Command2", Event::Click, [this](int) { Command2_Click(); });
    On("Command3", Event::Click, [this](int) { Command3_Click(); });
    On("Command4", Event::Click, [this](int) { Command4_Click(); });
}

// Each copy is tried; a field left empty leaves its file as it is.
void Form6::Command1_Click() {
    std::string system = main_.Labe.AsText();
    if (system.empty()) {
        // The targets would otherwise be the root of the current drive.
        main_.SetPanel(1, backup::UnknownSystemFolderText("元に戻すことが"));
        Unload();
        return;
    }
    const bool toLogo = !Text1().Text().empty(), toInfo = !Text2().Text().empty();
    if ((toLogo || toInfo) &&
        !backup::KeepBeforeWriting(main_, hwnd(), backup::RestoreTargets(main_, toLogo, toInfo),
                                   "バックアップを元に戻す")) {
        main_.SetPanel(1, backup::WithSafetyNote(backup::kNothingWritten));
        Unload();
        return;
    }
    platform::Steps files;
    for (auto [from, name] : {std::pair{Text1().Text(), places::kLogoCopyFile}, {Text2().Text(), places::kInfoFile}})
        if (!from.empty()) files.push_back({name, "", backup::CopyOne(from, system + "\\" + name)});
    main_.SetPanel(1, backup::WithSafetyNote(backup::RestoreReport(files)));
    Unload();
}

void Form6::Command2_Click() { Unload(); }

void Form6::Command3_Click() { Browse("bmp(*.bmp)|*.bmp", Text1()); }

void Form6::Command4_Click() { Browse("ini(*.ini)|*.ini", Text2()); }

// The shared dialog keeps its file name after a cancel, so the field then receives the last
// file chosen with it anywhere in the program.
void Form6::Browse(const char* filter, ui::Control& field) {
    main_.CommonDialog1.Filter = filter;
    main_.CommonDialog1.ShowOpen(hwnd());
    field.SetText(main_.CommonDialog1.FileName);
}

}  // namespace kaza

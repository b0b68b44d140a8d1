#include "backup/backup.h"

#include <shlobj.h>

#include <algorithm>

#include "app/form1.h"
#include "app/places.h"
#include "backup/copies.h"
#include "backup/form6.h"
#include "backup/form9.h"
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
    if (system.empty()) {
        // Without the system folder the sources would be looked for in the current drive's root.
        main.SetPanel(1, UnknownSystemFolderText("保存"));
        return;
    }
    platform::Steps files;
    for (const char* f : {kLogo, kInfo}) files.push_back({f, "", CopyOne(system + "\\" + f, folder + "\\" + f)});
    main.SetPanel(1, SaveReport(place, files, success));
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

void OpenSafetyCopies(Form1& main) {
    Form9& f = main.Window<Form9>();
    if (f.Loaded()) f.Unload();  // the list is read afresh at every opening
    f.ShowModal();
}

Targets TargetsOf(const Plan& plan) {
    Targets t;
    t.system = plan.system;
    for (const Place& p : plan.places) {
        if (!p.file) t.values.push_back({p.root, p.key, p.name});
        // The platform matches file names without regard to letter case: OEMLOGO.BMP is oemlogo.bmp.
        else
            for (const char* f : kKeptFiles)
                if (platform::LowerCase(p.file) == platform::LowerCase(f)) t.files.push_back(f);
    }
    return t;
}

Targets RestoreTargets(Form1& main, bool logo, bool info) {
    Targets t;
    t.system = main.Labe.AsText();
    if (logo) t.files.push_back(kLogo);
    if (info) t.files.push_back(kInfo);
    return t;
}

Targets RestrictionTargets(Form1&) {
    Targets t;
    for (const Restriction& r : kRestrictions)
        t.values.push_back({platform::Root::CurrentUser, places::kPolicyKey, r.value});
    return t;
}

Targets VendorTargets(Form1&) {
    Targets t;
    t.values.push_back({platform::Root::LocalMachine, places::kProcessorKey, places::kVendorIdentifier});
    return t;
}

// The restriction and vendor windows open on the 9x family only.
Targets EverythingWritten(Form1& main) {
    Targets t;
    for (const Plan& plan : main.PlansFor(main.RunningFamily())) t.Add(TargetsOf(plan));
    if (main.OS.AsText() != "NT") {
        t.Add(RestrictionTargets(main));
        t.Add(VendorTargets(main));
    }
    return t;
}

bool KeepBeforeWriting(Form1& main, HWND owner, const Targets& targets, const std::string& command, bool prune) {
    if (WriteSafetyCopy(targets, command, EverythingWritten(main))) {
        if (prune) PruneSafetyCopies();
        return true;
    }
    return owner && platform::dialogs().Message(owner, "変更前の状態を保存できませんでした。このまま続けますか？",
                                                "カザグルマ", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

std::vector<ValuePlace> KeptValues(Form1& main) {
    Targets all = RestrictionTargets(main);
    all.Add(VendorTargets(main));
    for (const char* syt : {"", " NT"})
        for (const Plan& plan : main.PlansFor({main.Labe.AsText(), syt, true, true})) all.Add(TargetsOf(plan));
    return all.values;
}

std::vector<std::string> ChangedOutside(Form1& main, const SafetyCopy& copy) {
    std::vector<std::string> changed = copy.foreign;
    const std::vector<ValuePlace> kept = KeptValues(main);
    for (const SavedValue& v : copy.values)
        if (std::none_of(kept.begin(), kept.end(), [&](const ValuePlace& k) { return SamePlace(k, v.place); }))
            changed.push_back(PlaceText(v.place));
    return changed;
}

GoneBack GoBack(Form1& main, const SafetyCopy& copy, const std::string& command, HWND owner) {
    GoneBack back{ChangedOutside(main, copy), std::nullopt};
    if (!back.changed.empty()) return back;
    const std::string system = main.Labe.AsText();
    // Pruning waits until the chosen copy has been put back: it may be the oldest one kept.
    if (!KeepBeforeWriting(main, owner, HeldBy(copy, system), command, false)) return back;
    back.steps = PutBack(copy, system);
    PruneSafetyCopies();
    return back;
}

}  // namespace kaza::backup

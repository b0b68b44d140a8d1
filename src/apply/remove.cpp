#include "apply/remove.h"

#include <windows.h>

#include <algorithm>

#include "app/form1.h"
#include "app/places.h"
#include "backup/backup.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/seams.h"

namespace kaza::apply {
namespace {

constexpr const char* kSmallLogo = "Vista以降のロゴ画像";
constexpr const char* kOemInformation = "メーカー情報（OEMInformation）";

// The name a failed row goes by in the result text: the six values are one thing to the user.
std::string ShownName(const std::string& what) {
    if (what == places::kSmallLogoFile) return kSmallLogo;
    if (what.rfind("OEMInformation ", 0) == 0) return kOemInformation;
    return what;
}

}  // namespace

std::vector<StepResult> RemovePlaces(const backup::Targets& t) {
    std::vector<StepResult> steps;
    const platform::Outcome noFolder = platform::Outcome::Failed(ERROR_PATH_NOT_FOUND);
    const std::pair<bool, const char*> files[] = {
        {t.info, places::kInfoFile}, {t.logo, places::kLogoFile}, {t.smallLogo, places::kSmallLogoFile}};
    for (const auto& [wanted, name] : files)
        if (wanted)
            steps.push_back({name, t.system.empty() ? noFolder : platform::RemoveFileOutcome(t.system + "\\" + name)});
    for (const backup::ValuePlace& v : t.values)
        steps.push_back({"OEMInformation " + v.name, platform::RegRemoveValue(v.root, v.key, v.name)});
    return steps;
}

std::string RemovalText(const std::vector<StepResult>& steps) {
    std::vector<std::string> denied, other;
    for (const StepResult& s : steps) {
        if (s.outcome) continue;
        std::vector<std::string>& into = s.outcome.error() == ERROR_ACCESS_DENIED ? denied : other;
        const std::string name = ShownName(s.what);
        if (std::find(into.begin(), into.end(), name) == into.end()) into.push_back(name);
    }
    auto joined = [](const std::vector<std::string>& names) {
        std::string list;
        for (const std::string& n : names) list += (list.empty() ? "" : "、") + n;
        return list;
    };
    if (denied.empty() && other.empty()) return "メーカー情報とロゴをすべて削除しました。（「変更前の状態に戻す」で戻せます）";
    std::string text;
    if (!denied.empty()) text += "管理者権限がないため" + joined(denied) + "を削除できませんでした。";
    if (!other.empty()) text += joined(other) + "を削除できませんでした。";
    return text;
}

void RemoveFromWindow(Form1& main) {
    const backup::Targets targets = backup::RemovalTargets(main);
    std::string what = std::string(places::kInfoFile) + " と " + places::kLogoFile;
    if (targets.smallLogo) what += "、" + std::string(kSmallLogo) + "（" + places::kSmallLogoFile + "）";
    if (!targets.values.empty()) {
        what += "、OEMInformation の値（";
        for (size_t i = 0; i < targets.values.size(); ++i) what += (i ? "、" : "") + targets.values[i].name;
        what += "）";
    }
    const std::string question = what + "を削除して、メーカー情報とロゴが表示されないようにします。\r\n\r\n"
                                        "使用者名、組織名、プロダクトID、プロセッサ名は変わりません。削除したものは"
                                        "「変更前の状態に戻す」で戻せます。削除しますか？";
    if (platform::dialogs().Message(main.hwnd(), question, "OEM情報を削除",
                                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) {
        main.SetPanel(1, "削除はキャンセルされました。");
        return;
    }
    if (!backup::KeepBeforeWriting(main, main.hwnd(), targets, "OEM情報を削除")) {
        main.SetPanel(1, backup::kNothingWritten);
        return;
    }
    main.SetPanel(1, RemovalText(RemovePlaces(targets)));
}

}  // namespace kaza::apply

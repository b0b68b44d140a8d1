#include "apply/remove.h"

#include <algorithm>
#include <vector>

#include "app/form1.h"
#include "app/places.h"
#include "platform/seams.h"

namespace kaza::apply {

std::optional<platform::Steps> RemoveOemInformation(Form1& main, const std::string& command, HWND owner) {
    const Plan plan = RemovalPlan(main.RunningFamily());
    if (!main.KeepBeforeWriting(owner, plan, command)) return std::nullopt;
    return WritePlan(plan);
}

std::string RemovalText(const platform::Steps& steps) {
    std::vector<std::string> denied, other;
    for (const platform::Step& s : steps) {
        if (s.outcome) continue;
        std::vector<std::string>& into = s.outcome.error() == ERROR_ACCESS_DENIED ? denied : other;
        if (std::find(into.begin(), into.end(), s.what) == into.end()) into.push_back(s.what);
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
    // What goes, named as the plan names it: the files by their own names, the values by theirs.
    std::string files, values;
    for (const Place& p : RemovalPlan(main.RunningFamily()).places) {
        std::string& into = p.file ? files : values;
        into += (into.empty() ? "" : "、") + std::string(p.file ? p.file : p.name.c_str());
    }
    const std::string question =
        files + (values.empty() ? "" : "と、OEMInformation の値（" + values + "）") +
        "を削除して、メーカーの情報とロゴが表示されないようにします。\r\n\r\n使用者名、組織名、プロダクトID、"
        "プロセッサ名は変わりません。削除したものは「変更前の状態に戻す」で戻せます。削除しますか？";
    if (platform::dialogs().Message(main.hwnd(), question, "OEM情報を削除",
                                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) {
        main.SetPanel(1, "削除はキャンセルされました。");
        return;
    }
    const std::optional<platform::Steps> steps = RemoveOemInformation(main, "OEM情報を削除", main.hwnd());
    main.SetPanel(1, steps ? RemovalText(*steps) : kNothingWritten);
}

}  // namespace kaza::apply

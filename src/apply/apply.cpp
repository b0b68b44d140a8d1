#include "apply/apply.h"

#include <algorithm>
#include <vector>

#include "app/form1.h"
#include "apply/form5.h"
#include "backup/backup.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/replace.h"
#include "windows/form2.h"

namespace kaza::apply {
namespace {

constexpr const char* kSuccess = "設定が反映されました。（Windowsの旗をクリックしてみてください。)";

}  // namespace

std::string ApplyResultText(const platform::Steps& steps) {
    std::vector<std::string> names;
    bool allDenied = true;
    std::string refused;
    for (const platform::Step& s : steps) {
        if (s.outcome) continue;
        // A value the system would not take as given; told after what could not be written.
        if (s.outcome.error() == ERROR_INVALID_DATA) {
            refused = s.detail + "（電話番号、サポート時間、サポート Web サイトは書き込んでいません。）";
            continue;
        }
        allDenied = allDenied && s.outcome.error() == ERROR_ACCESS_DENIED;
        if (std::find(names.begin(), names.end(), s.what) == names.end()) names.push_back(s.what);
    }
    if (names.empty()) return refused.empty() ? kSuccess : refused;
    std::string list;
    for (const std::string& n : names) list += (list.empty() ? "" : "、") + n;
    return (allDenied ? "管理者権限がないため" + list : list) + "を書き込めませんでした。" + refused;
}

std::string FailedRows(const platform::Steps& steps) {
    std::string text;
    for (const platform::Step& s : steps)
        if (!s.outcome)
            text += (text.empty() ? "" : "、") + s.what + (s.detail.empty() ? "" : " " + s.detail) + "（エラー " +
                    std::to_string(s.outcome.error()) + "）";
    return text;
}

std::optional<platform::Steps> ApplySettings(Form1& main, LogoDepth depth, const std::string& command, HWND owner) {
    const Plan plan = ApplyPlan(main, depth);
    if (!backup::KeepBeforeWriting(main, owner, backup::TargetsOf(plan), command)) return std::nullopt;
    return WritePlan(plan);
}

platform::Outcome WriteInfoFile(Form1& main, const std::string& info) {
    // 1-3. The information file is built beside its place, emptied first so that no key of the
    // old one survives, and put in place only when every write went in: a failure half-way
    // leaves the installed file as it was.
    platform::FreshFile beside = platform::FileBeside(info);
    const std::string& fresh = beside.path;
    // The first failure on the way is the one told.
    platform::Outcome infoWritten = beside.outcome;
    if (fresh.empty()) return infoWritten;
    infoWritten = platform::CreateEmptyFile(fresh);

    // 2, 3. Values in double quotes, so that leading blanks survive a profile reader.
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        platform::Outcome written = platform::ProfileWrite(fresh, section, key, platform::ProfileQuoted(value));
        if (infoWritten) infoWritten = written;
    };
    write("General", "Manufacturer", main.Text4(0).Text());
    write("General", "Model", main.Text4(1).Text());
    std::vector<std::string> lines = ReadSupportLines(main);
    if (lines.empty()) lines.emplace_back();  // an editor always has one line, even empty
    for (size_t n = 0; n < lines.size(); ++n)
        write("Support Information", "Line" + std::to_string(n + 1), lines[n]);
    platform::ProfileFlush(fresh);
    if (infoWritten) infoWritten = platform::PutInPlace(fresh, info);
    else platform::DiscardBeside(fresh);
    return infoWritten;
}

void OpenFinalConfirmation(Form1& main) {
    Form5& f = main.Window<Form5>();
    if (f.Loaded()) f.Unload();  // every opening starts from the table
    f.ShowModal();
}

}  // namespace kaza::apply

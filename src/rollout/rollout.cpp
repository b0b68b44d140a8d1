#include "rollout/rollout.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "app/form1.h"
#include "apply/apply.h"
#include "apply/remove.h"
#include "backup/backup.h"
#include "backup/safety.h"
#include "platform/files.h"
#include "platform/seams.h"
#include "platform/system.h"
#include "platform/text.h"
#include "presets/commands.h"
#include "presets/names.h"
#include "rollout/export.h"

namespace kaza::rollout {
namespace {

using platform::Outcome;

// The /log file: one line per step, appended in the ANSI code page with CR LF. Without a file
// nothing is written anywhere, so that a read-only program folder is no obstacle.
class Log {
public:
    explicit Log(std::string path) : path_(std::move(path)) {}
    void Line(const std::string& text) {
        if (path_.empty()) return;
        platform::LocalTime t = platform::Now();
        char stamp[32];
        wsprintfA(stamp, "%04d/%02d/%02d %02d:%02d:%02d ", t.year, t.month, t.day, t.hour, t.minute, t.second);
        static_cast<void>(platform::AppendToFile(path_, stamp + platform::ToAnsi(text) + "\r\n"));
    }
    void Step(const platform::Step& step) {
        const std::string what = step.what + (step.detail.empty() ? "" : " " + step.detail);
        const Outcome& outcome = step.outcome;
        if (outcome) {
            Line(what + ": 成功");
            return;
        }
        std::string why = platform::LastErrorText(outcome.error());
        while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) why.pop_back();
        Line(what + ": 失敗 (エラー " + std::to_string(outcome.error()) + (why.empty() ? "" : " " + why) + ")");
    }

private:
    std::string path_;
};

// No box may wait for a click that nobody will give: every question is answered no, every
// notice goes to the log instead.
class SilentDialogs : public platform::Dialogs {
public:
    explicit SilentDialogs(Log& log) : log_(log), before_(&platform::dialogs()) { platform::SetDialogs(this); }
    ~SilentDialogs() override { platform::SetDialogs(before_); }
    SilentDialogs(const SilentDialogs&) = delete;
    SilentDialogs& operator=(const SilentDialogs&) = delete;
    int Message(HWND, const std::string& text, const std::string& title, unsigned style) override {
        log_.Line(title + ": " + text);
        return (style & 0xF) == MB_OK ? IDOK : (style & 0xF) == MB_OKCANCEL ? IDCANCEL : IDNO;
    }
    bool OpenFile(HWND, const std::string&, std::string&) override { return false; }
    std::string BrowseForFolder(HWND, const std::string&, unsigned) override { return {}; }

private:
    Log& log_;
    platform::Dialogs* before_;
};

// No rows: nothing was written, for want of a safety copy.
int CodeOf(const std::optional<platform::Steps>& steps, Log& log) {
    if (!steps) {
        log.Line(std::string(backup::kNothingWritten) + " (" + backup::SafetyFolder() + ")");
        return kNoSafetyCopy;
    }
    int code = kEverythingWritten;
    for (const platform::Step& s : *steps) {
        log.Step(s);
        if (!s.outcome) code = kStepFailed;
    }
    return code;
}

// Selects the preset in the main window's list, as a click on it does; false when the list has
// no such name.
bool SelectByName(Form1& main, const std::string& name) {
    ui::Control& list = main.List1();
    for (int i = 0; i < list.ListCount(); ++i) {
        if (!presets::SameName(list.ListItem(i), name)) continue;
        list.SetListIndex(i);
        presets::SelectPreset(main);
        return true;
    }
    return false;
}

// A value given on the command line counts as typed by the user: Apply writes it even where
// start-up could not read the old one.
void Give(ui::Control& field, const std::string& text) {
    field.SetText(text);
    SendMessageA(field.hwnd(), EM_SETMODIFY, TRUE, 0);
}

int Apply(Form1& main, const Request& r, Log& log) {
    if (!SelectByName(main, r.preset)) {
        log.Line("プリセット「" + r.preset + "」がリストにありません。何も変更しませんでした。");
        return kBadRequest;
    }
    log.Line("「" + r.preset + "」を書き込みます。");
    if (r.owner) Give(main.Text1(0), *r.owner);
    if (r.org) Give(main.Text1(1), *r.org);
    // Each PC keeps its own product ID: the field is left out as if start-up could not read it.
    main.MarkUnreadAtStart(main.Text1(2));

    return CodeOf(apply::ApplySettings(main, r.colours256 ? apply::LogoDepth::Colours256 : apply::LogoDepth::FullColour,
                                       "/apply " + r.preset, nullptr),
                  log);
}

int Restore(Form1& main, const Request& r, Log& log) {
    std::vector<backup::SafetyCopy> copies = backup::ListSafetyCopies();
    // Newest first: the last copy leads, the original is the one marked so.
    auto chosen = r.restore == RestorePoint::Last
                      ? copies.begin()
                      : std::find_if(copies.begin(), copies.end(), [](const backup::SafetyCopy& c) { return c.original; });
    if (chosen == copies.end()) {
        log.Line("戻せる変更前の状態が " + backup::SafetyFolder() + " にありません。");
        return kStepFailed;
    }
    const backup::SafetyCopy copy = *chosen;
    // The present state first, so that going back can itself be undone.
    const backup::GoneBack back = backup::GoBack(main, copy, "/restore", nullptr);
    if (!back.changed.empty()) {
        std::string names;
        for (const std::string& n : back.changed) names += (names.empty() ? "" : ", ") + n;
        log.Line(copy.folder + " はカザグルマの外で書き換えられています (カザグルマが書き込まない所: " + names +
                 ")。何も変更しませんでした。");
        return kStepFailed;
    }
    if (back.steps) log.Line(copy.made + " の状態 (" + copy.folder + ") に戻します。");
    return CodeOf(back.steps, log);
}

int Remove(Form1& main, Log& log) {
    log.Line("メーカー情報とロゴを削除します。");
    return CodeOf(apply::RemoveOemInformation(main, "/remove", nullptr), log);
}

int Export(Form1& main, const Request& r, Log& log) {
    if (!SelectByName(main, r.preset)) {
        log.Line("プリセット「" + r.preset + "」がリストにありません。何も書き出しませんでした。");
        return kBadRequest;
    }
    log.Line("「" + r.preset + "」を " + r.folder + " に書き出します。");
    return CodeOf(ExportSettings(main, r.folder,
                                 r.colours256 ? apply::LogoDepth::Colours256 : apply::LogoDepth::FullColour,
                                 {r.owner, r.org}),
                  log);
}

}  // namespace

std::vector<std::string> ProgramArguments() { return SplitArguments(platform::FromAnsi(GetCommandLineA())); }

int RunSilently(const Request& r, const std::function<void(Form1&)>& loaded) {
    // Nor may the system's own boxes wait: a drive without a disk, a file it cannot open, a crash.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
    Log log(r.log);
    SilentDialogs silent(log);
    if (r.command == Command::Bad || r.command == Command::Window) {
        log.Line("引数が正しくありません: " + r.problem);
        return kBadRequest;
    }
    backup::UseSafetyFolder(r.copies);
    Form1 main;
    if (!main.Load()) {
        log.Line("設定を読み込めませんでした。何も変更しませんでした。");
        return kStepFailed;
    }
    if (loaded) loaded(main);
    switch (r.command) {
    case Command::Apply: return Apply(main, r, log);
    case Command::Restore: return Restore(main, r, log);
    case Command::Remove: return Remove(main, log);
    default: return Export(main, r, log);
    }
}

void ExportFromWindow(Form1& main) {
    const std::string folder = platform::dialogs().BrowseForFolder(
        main.hwnd(), "配布用のファイルを書き出すフォルダを選択してください", BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN);
    if (folder.empty()) {
        main.SetPanel(1, "配布用の書き出しはキャンセルされました。");
        return;
    }
    Registration reg;
    if (!main.Text1(0).Text().empty()) reg.owner = main.Text1(0).Text();
    if (!main.Text1(1).Text().empty()) reg.org = main.Text1(1).Text();
    const std::string failed = FailedRows(ExportSettings(main, folder, apply::LogoDepth::FullColour, reg));
    main.SetPanel(1, failed.empty() ? folder + "に配布用のファイルを書き出しました。"
                                    : folder + "に書き出せなかったもの：" + failed);
}

}  // namespace kaza::rollout

#include "backup/copies.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/rows.h"
#include "platform/files.h"
#include "platform/replace.h"

namespace kaza::backup {
namespace {

enum class Result { Copied, SourceMissing, TargetUnwritable };
Result ResultOf(const platform::Outcome& o) {
    return o ? Result::Copied : o.error() == ERROR_FILE_NOT_FOUND ? Result::SourceMissing : Result::TargetUnwritable;
}

// The names of the files with the given result, joined by commas in their order.
std::string NamesWith(const platform::Steps& files, Result r) {
    return RowsText(files, [r](const platform::Step& f) { return ResultOf(f.outcome) == r; }, Naming::What, ",");
}

}  // namespace

platform::Outcome CopyOne(const std::string& from, const std::string& to) {
    platform::Outcome copied = platform::CopyFileInPlace(from, to);
    return copied || platform::FileExists(from) ? copied : platform::Outcome::Failed(ERROR_FILE_NOT_FOUND);
}

// The failure texts are kept short enough for status panel 1, which shows one line.
std::string SaveReport(const std::string& place, const platform::Steps& files,
                       const std::string& success) {
    std::string copied = NamesWith(files, Result::Copied);
    std::string missing = NamesWith(files, Result::SourceMissing);
    std::string unwritable = NamesWith(files, Result::TargetUnwritable);
    if (missing.empty() && unwritable.empty()) return success;
    if (unwritable.empty())
        return copied.empty() ? missing + "がないため保存できませんでした。"
                              : missing + "がないため、" + copied + "だけ保存しました。";
    if (missing.empty())
        return copied.empty() ? unwritable + "を" + place + "に書き込めませんでした。"
                              : unwritable + "を書き込めず、" + copied + "だけ保存しました。";
    return missing + "がなく、" + unwritable + "を" + place + "に書き込めませんでした。";
}

std::string RestoreReport(const platform::Steps& files) {
    std::string copied = NamesWith(files, Result::Copied);
    std::string missing = NamesWith(files, Result::SourceMissing);
    std::string unwritable = NamesWith(files, Result::TargetUnwritable);
    if (missing.empty() && unwritable.empty())
        return copied.empty() ? "戻すファイルが指定されていません。" : "バックアップを元に戻しました。";
    if (unwritable.empty())
        return copied.empty() ? missing + "の元ファイルが見つかりません。"
                              : missing + "の元ファイルがなく、" + copied + "だけ戻しました。";
    if (missing.empty())
        return copied.empty() ? unwritable + "を書き込めませんでした。"
                              : unwritable + "を書き込めず、" + copied + "だけ戻しました。";
    return missing + "の元ファイルがなく、" + unwritable + "を書き込めませんでした。";
}

}  // namespace kaza::backup

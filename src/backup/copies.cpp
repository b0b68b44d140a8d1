#include "backup/copies.h"

#include "platform/files.h"
#include "platform/replace.h"

namespace kaza::backup {
namespace {

// The names of the files with the given result, joined by commas in their order.
std::string NamesWith(const std::vector<FileOutcome>& files, CopyResult r) {
    std::string names;
    for (const FileOutcome& f : files)
        if (f.result == r) names += (names.empty() ? "" : ",") + std::string(f.name);
    return names;
}

}  // namespace

CopyResult CopyOne(const std::string& from, const std::string& to) {
    if (platform::CopyFileInPlace(from, to)) return CopyResult::Copied;
    return platform::FileExists(from) ? CopyResult::TargetUnwritable : CopyResult::SourceMissing;
}

// The failure texts are kept short enough for status panel 1, which shows one line.
std::string SaveReport(const std::string& place, const std::vector<FileOutcome>& files,
                       const std::string& success) {
    std::string copied = NamesWith(files, CopyResult::Copied);
    std::string missing = NamesWith(files, CopyResult::SourceMissing);
    std::string unwritable = NamesWith(files, CopyResult::TargetUnwritable);
    if (missing.empty() && unwritable.empty()) return success;
    if (unwritable.empty())
        return copied.empty() ? missing + "がないため保存できませんでした。"
                              : missing + "がないため、" + copied + "だけ保存しました。";
    if (missing.empty())
        return copied.empty() ? unwritable + "を" + place + "に書き込めませんでした。"
                              : unwritable + "を書き込めず、" + copied + "だけ保存しました。";
    return missing + "がなく、" + unwritable + "を" + place + "に書き込めませんでした。";
}

std::string RestoreReport(const std::vector<FileOutcome>& files) {
    std::string copied = NamesWith(files, CopyResult::Copied);
    std::string missing = NamesWith(files, CopyResult::SourceMissing);
    std::string unwritable = NamesWith(files, CopyResult::TargetUnwritable);
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

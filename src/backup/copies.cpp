#include "backup/copies.h"

#include "platform/files.h"

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
    if (platform::CopyFileReplacing(from, to)) return CopyResult::Copied;
    return platform::FileExists(from) ? CopyResult::TargetUnwritable : CopyResult::SourceMissing;
}

std::string SaveReport(const std::string& place, const std::vector<FileOutcome>& files,
                       const std::string& success) {
    std::string copied = NamesWith(files, CopyResult::Copied);
    std::string missing = NamesWith(files, CopyResult::SourceMissing);
    std::string unwritable = NamesWith(files, CopyResult::TargetUnwritable);
    if (missing.empty() && unwritable.empty()) return success;
    std::string text;
    if (!copied.empty()) text += copied + "を" + place + "に保存しました。";
    if (!missing.empty()) text += missing + "はシステムフォルダにないため保存できませんでした。";
    if (!unwritable.empty()) text += unwritable + "は" + place + "に書き込めないため保存できませんでした。";
    return text;
}

std::string RestoreReport(const std::vector<FileOutcome>& files) {
    std::string copied = NamesWith(files, CopyResult::Copied);
    std::string missing = NamesWith(files, CopyResult::SourceMissing);
    std::string unwritable = NamesWith(files, CopyResult::TargetUnwritable);
    if (missing.empty() && unwritable.empty())
        return copied.empty() ? "ファイルが指定されていないため、何も元に戻しませんでした。" : "バックアップを元に戻しました。";
    std::string text;
    if (!copied.empty()) text += copied + "を元に戻しました。";
    if (!missing.empty()) text += "指定したファイルが見つからないため" + missing + "を元に戻せませんでした。";
    if (!unwritable.empty()) text += "システムフォルダに書き込めないため" + unwritable + "を元に戻せませんでした。";
    return text;
}

}  // namespace kaza::backup

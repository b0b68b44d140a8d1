#pragma once
#include <string>
#include <vector>

// Copies of the two OEM files and the status texts that tell how they went.
namespace kaza::backup {

enum class CopyResult { Copied, Skipped, SourceMissing, TargetUnwritable };

// Copies the whole file, replacing the target, and tells why it failed.
CopyResult CopyOne(const std::string& from, const std::string& to);

struct FileOutcome {
    const char* name;  // "oemlogo.bmp" or "oeminfo.ini"
    CopyResult result;
};

// After a save to place ("デスクトップ", "フロッピー", a folder): the success text when every file was
// copied, else which files were saved there and which were not, and why.
std::string SaveReport(const std::string& place, const std::vector<FileOutcome>& files,
                       const std::string& success);
// When the system folder is not known: the command (保存, 元に戻す...) refused, in one line.
inline std::string UnknownSystemFolderText(const std::string& command) {
    return "システムフォルダの場所が分からないため、" + command + "できませんでした。";
}
// After a restore: the success text when nothing failed and something was copied, else which
// files were restored and which were not, and why.
std::string RestoreReport(const std::vector<FileOutcome>& files);

}  // namespace kaza::backup

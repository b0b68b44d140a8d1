#pragma once
#include <string>

#include "platform/outcome.h"

// Copies of the two OEM files and the status texts that tell how they went.
namespace kaza::backup {

// Copies the whole file, replacing the target; a missing source fails with ERROR_FILE_NOT_FOUND.
platform::Outcome CopyOne(const std::string& from, const std::string& to);

// Below, one row per file tried ("oemlogo.bmp" or "oeminfo.ini"); a file not tried has none.
// After a save to place ("デスクトップ", "フロッピー", a folder): the success text when every file was
// copied, else which files were saved there and which were not, and why.
std::string SaveReport(const std::string& place, const platform::Steps& files,
                       const std::string& success);
// When the system folder is not known: the command (保存, 元に戻す...) refused, in one line.
inline std::string UnknownSystemFolderText(const std::string& command) {
    return "システムフォルダの場所が分からないため、" + command + "できませんでした。";
}
// After a restore: the success text when nothing failed and something was copied, else which
// files were restored and which were not, and why.
std::string RestoreReport(const platform::Steps& files);

}  // namespace kaza::backup

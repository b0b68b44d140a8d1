#pragma once
#include <functional>
#include <string>

#include "platform/outcome.h"

// Copies of the two OEM files and the status texts that tell how they went; how any command's
// rows are told.
namespace kaza::backup {

// How a row is named.
enum class Naming {
    What,     // what was written: "oeminfo.ini", "メーカー情報（OEMInformation）"
    Failure,  // with the value or file within it, and the system's code or the refusal's reason:
              // "登録情報 RegisteredOwner（エラー 5）"
    Log,      // a line of /log: "oeminfo.ini: 成功", "... : 失敗 (エラー 5 <the system's text>)"
};
std::string RowText(const platform::Step& row, Naming naming);
// Which rows a text names.
using RowFilter = std::function<bool(const platform::Step&)>;
inline bool Failed(const platform::Step& row) { return !row.ok(); }
// Tried and failed, with the system's code: not a refusal.
inline bool FailedWrite(const platform::Step& row) { return !row.refusal() && !row.outcome; }
// The rows `which` picks, in order and each name once, joined by 「、」 (or `joiner`, for a
// text that has a separator of its own); empty when it picks none.
std::string RowsText(const platform::Steps& rows, const RowFilter& which, Naming naming = Naming::What,
                     const char* joiner = "、");

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

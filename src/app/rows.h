#pragma once
#include <functional>
#include <string>

#include "platform/outcome.h"

// How any command's rows are told: in a status panel, a message box and /log.
namespace kaza {

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

// The rows that failed, each with its error code or the reason it was refused, for a status
// panel; empty when none did.
inline std::string FailedRows(const platform::Steps& steps) { return RowsText(steps, Failed, Naming::Failure); }

}  // namespace kaza

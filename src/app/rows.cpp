#include "app/rows.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"

namespace kaza {

std::string RowText(const platform::Step& row, Naming naming) {
    if (naming == Naming::What) return row.what;
    const std::string what = row.what + (row.detail.empty() ? "" : " " + row.detail);
    const unsigned long code = row.outcome.error();
    if (naming == Naming::Failure) {
        if (row.ok()) return what;
        return what + "（" + (row.refusal() ? row.refused : "エラー " + std::to_string(code)) + "）";
    }
    if (row.refusal()) return what + ": 書き込みませんでした (" + row.refused + ")";
    if (row.ok()) return what + ": 成功";
    std::string why = platform::LastErrorText(code);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) why.pop_back();
    return what + ": 失敗 (エラー " + std::to_string(code) + (why.empty() ? "" : " " + why) + ")";
}

std::string RowsText(const platform::Steps& rows, const RowFilter& which, Naming naming, const char* joiner) {
    std::vector<std::string> names;
    for (const platform::Step& row : rows) {
        if (!which(row)) continue;
        std::string name = RowText(row, naming);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : joiner) + name;
    return text;
}

}  // namespace kaza

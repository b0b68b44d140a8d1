#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/outcome.h"
#include "platform/registry.h"

// What a command writes, described once: every registry value and system file, in the order
// written. Apply and the removal build plans (apply/), the safety copy keeps what they name
// (backup/), the export turns them into files for other PCs (rollout/).
namespace kaza {

enum class Action {
    Write,
    Remove,
    Leave,  // a place the command writes, left as it is this time; a safety copy still keeps it
};

// Writes a file's bytes to the path given.
using Producer = std::function<platform::Outcome(const std::string& path)>;

// One place a command writes: a registry value, or (with `file`) a file of the system folder.
struct Place {
    std::string what;    // as the user is told of it
    std::string detail;  // which one of `what`; may be empty
    Action action = Action::Write;
    platform::Root root = platform::Root::LocalMachine;
    std::string key, name;
    unsigned long type = REG_SZ;  // the only type written, holding `text`
    std::string text;
    const char* file = nullptr;  // a name of places.h, joined to the system folder
    Producer produce;
    // Written only when the place before it went in (a value that names the file before it).
    bool needsPrevious = false;
    // Left because the system would not take it as given; Plan::refused says why.
    bool refused = false;
};
inline Place Value(std::string what, std::string detail, platform::Root root, std::string key, std::string name,
                   std::string text = {}) {
    return {std::move(what), std::move(detail), Action::Write, root, std::move(key), std::move(name), REG_SZ,
            std::move(text), nullptr, {}, false, false};
}
inline Place File(std::string what, std::string detail, const char* file, Producer produce = {}) {
    return {std::move(what), std::move(detail), Action::Write, {}, {}, {}, REG_SZ, {}, file, std::move(produce), false, false};
}

struct Plan {
    std::string system;  // the folder the files go to, without a trailing backslash
    std::vector<Place> places;
    std::string refused;  // why the places marked refused are left
};

// The system a plan is for; Form1::RunningFamily() is the running one, as start-up found it.
struct Family {
    std::string system;           // the system folder (Labe)
    std::string syt;              // "" or " NT" (SYT)
    bool nt = false;              // the processor name is written
    bool oemInformation = false;  // Vista and later: the OEMInformation values and their logo
};

// The rows that failed, each with its error code, for a status panel; empty when none did.
inline std::string FailedRows(const platform::Steps& steps) {
    std::string text;
    for (const platform::Step& s : steps)
        if (!s.outcome)
            text += (text.empty() ? "" : "、") + s.what + (s.detail.empty() ? "" : " " + s.detail) + "（エラー " +
                    std::to_string(s.outcome.error()) + "）";
    return text;
}

// Status panel 1 when the user chose not to go on without a safety copy.
inline constexpr const char* kNothingWritten = "変更前の状態を保存できなかったため、何も変更しませんでした。";

}  // namespace kaza

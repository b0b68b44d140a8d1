#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/outcome.h"
#include "platform/registry.h"

// What a command writes, described once: every registry value and system file, in the order
// written. Apply writes a plan, the safety copy keeps what it names, the export turns it into
// files for other PCs.
namespace kaza {
class Form1;
namespace apply {

enum class LogoDepth { Colours256, FullColour };

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
    unsigned long type = 0;  // REG_SZ, holding `text`
    std::string text;
    const char* file = nullptr;  // a name of places.h, joined to the system folder
    Producer produce;
    // Written only when the place before it went in (a value that names the file before it).
    bool needsPrevious = false;
    // Left because the system would not take it as given; Plan::refused says why.
    bool refused = false;

    static Place Value(std::string what, std::string detail, platform::Root root, std::string key,
                       std::string name, std::string text = {});
    static Place File(std::string what, std::string detail, const char* file, Producer produce = {});
};

struct Plan {
    std::string system;  // the folder the files go to, without a trailing backslash
    std::vector<Place> places;
    std::string refused;  // why the places marked refused are left
};

// The system a plan is for.
struct Family {
    std::string system;           // the system folder (Labe)
    std::string syt;              // "" or " NT" (SYT)
    bool nt = false;              // the processor name is written
    bool oemInformation = false;  // Vista and later: the OEMInformation values and their logo
};
// The running system, as start-up found it.
Family FamilyOf(Form1& main);

// 実行 and /apply: oeminfo.ini, the registration values, on the NT family the processor name,
// the logo in the given depth; on Vista and later then the OEMInformation values and the logo
// they name. The files' bytes are made from the main window when the plan is written.
Plan ApplyPlan(Form1& main, LogoDepth depth, const Family& family);
inline Plan ApplyPlan(Form1& main, LogoDepth depth = LogoDepth::FullColour) {
    return ApplyPlan(main, depth, FamilyOf(main));
}

// Writes the plan in order, every place attempted: one row per place written or removed, and
// one for what the system would not take (ERROR_INVALID_DATA, the reason as its detail).
platform::Steps WritePlan(const Plan& plan);

}  // namespace apply
}  // namespace kaza

#pragma once
#include <optional>
#include <string>
#include <vector>

// The command line of a roll-out: what an administrator's script asks for instead of the window.
namespace kaza::rollout {

enum class Command { Window, Apply, Restore, Export, Remove, Bad };
enum class RestorePoint { Original, Last };

struct Request {
    Command command = Command::Window;
    std::string preset;                // /apply, /export
    std::string folder;                // /export: where the files go
    RestorePoint restore = RestorePoint::Last;
    bool colours256 = false;           // /256
    std::optional<std::string> owner;  // /owner
    std::optional<std::string> org;    // /org
    std::string log;                   // /log: the file the steps are appended to
    std::string copies;                // /copies: the folder of the safety copies
    std::string share;                 // /export /share: where the PCs of a domain copy the files from
    std::string problem;               // Bad: what is wrong, for the log
    std::string picture;               // Window: a file dropped on the program, to import
};

// The words after the program's own name, split as the C runtime splits them (blanks outside
// double quotes separate; \" is a quote, \\" a backslash before a closing quote; "" inside quotes
// is a quote). The text is UTF-8 already, so that the second byte of a double-byte character is
// never taken for a backslash.
std::vector<std::string> SplitArguments(const std::string& commandLine);

// What the words ask for; Window when there are none, and when the only word is no option (a file
// dropped on the program, or sent to it): the window then imports it.
Request ParseArguments(const std::vector<std::string>& args);

}  // namespace kaza::rollout

#pragma once
#include <string>
#include <vector>

#include "app/places.h"
#include "backup/regfile.h"
#include "platform/outcome.h"

// Safety copies: before a command writes the system, what it is about to replace is kept in a
// folder beside the program, one sub-folder per copy, so that any earlier state can be put back
// by this program or by hand. A copy holds the two OEM files as they were (or that they were
// absent) and a registry file of the values (each with its type and bytes, or that it was
// absent) that regedit can import.
namespace kaza::backup {

// The files of the system folder a copy may keep, in the order kept and put back, named as a
// copy names them: the logo, the information file, the logo of Vista and later.
inline constexpr const char* kKeptFiles[3] = {places::kLogoCopyFile, places::kInfoFile, places::kSmallLogoFile};

// What a command is about to replace.
struct Targets {
    std::string system;  // the system folder, without a trailing backslash
    std::vector<std::string> files;  // names of kKeptFiles
    std::vector<ValuePlace> values;
    // Adds what `other` names and this does not.
    void Add(const Targets& other);
};

enum class FileState { NotHeld, Present, Absent };
// A file of kKeptFiles a copy holds: its bytes as they were, or that it was absent.
struct HeldFile {
    std::string name;
    FileState state;
};

struct SafetyCopy {
    std::string folder;   // full path of its sub-folder
    long number = 0;      // order of making, counted from 1
    std::string made;     // "2026/12/07 18:30:05"
    std::string command;  // the command that made it
    bool original = false;  // the first copy: the state before this program changed the machine
    std::vector<HeldFile> files;  // in the order of kKeptFiles
    std::vector<SavedValue> values;
    // The keys of copy.ini beyond the copy and its files: the program never writes them.
    // (Whether the values are the program's own is for going back to tell: ChangedOutside.)
    std::vector<std::string> foreign;
    // How the copy holds the file of kKeptFiles named so.
    FileState StateOf(const std::string& file) const {
        for (const HeldFile& f : files)
            if (f.name == file) return f.state;
        return FileState::NotHeld;
    }
};

// Besides the first copy, this many of the newest are kept.
inline constexpr size_t kKeptCopies = 20;

// The folder of the copies, beside the program unless another one was named.
std::string SafetyFolder();
// Keeps the copies in `folder` from now on (a program folder that cannot be written); an empty
// text goes back to the one beside the program.
void UseSafetyFolder(const std::string& folder);

// Saves the present state of the targets as a new copy made by `command`. The very first copy
// also saves what `everything` names, so that it is the whole state the program can change.
// True when the copy was written whole; otherwise nothing of it is left behind.
bool WriteSafetyCopy(const Targets& targets, const std::string& command, const Targets& everything);

// The same registry value: the names without regard to letter case, as the registry takes them.
bool SamePlace(const ValuePlace& a, const ValuePlace& b);
// "HKEY_LOCAL_MACHINE\key\name", as the user is told of a value.
std::string PlaceText(const ValuePlace& p);

// Every readable copy, newest first.
std::vector<SafetyCopy> ListSafetyCopies();

// Removes all but the first copy and the newest kKeptCopies others.
void PruneSafetyCopies();

// What putting the copy back will replace, for the copy of the present state made first.
Targets HeldBy(const SafetyCopy& copy, const std::string& system);

// Puts the copy back into the system folder and the registry: files as they were (removed if
// they were absent), values with their type and bytes (deleted if they were absent). Every
// part is attempted; one row per part, named by its file or value, with the system's error code.
// Going back (GoBack) puts back only a copy that holds nothing but the program's own places.
platform::Steps PutBack(const SafetyCopy& copy, const std::string& system);

}  // namespace kaza::backup

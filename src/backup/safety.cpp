#include "backup/safety.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "platform/replace.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"

namespace kaza::backup {
namespace {

using platform::Root;

// Inside each copy's folder, beside the two OEM files.
constexpr const char* kAboutFile = "copy.ini";
constexpr const char* kValuesFile = "values.reg";
constexpr const char* kSection = "SafetyCopy";
constexpr const char* kSaved = "saved";
constexpr const char* kAbsent = "absent";

std::string TwoDigits(int n) {
    char s[8];
    std::snprintf(s, sizeof s, "%02d", n);
    return s;
}

// ---- the copies on disk ------------------------------------------------------------------

const char* StateText(FileState s) { return s == FileState::Present ? kSaved : kAbsent; }

std::string AboutText(const SafetyCopy& c, const std::string& system) {
    std::string t = "[" + std::string(kSection) + "]\r\n";
    t += "Number=" + std::to_string(c.number) + "\r\n";
    t += "Made=" + c.made + "\r\n";
    t += "Command=" + c.command + "\r\n";
    t += std::string("Original=") + (c.original ? "1" : "0") + "\r\n";
    t += "System=" + system + "\r\n";
    for (const HeldFile& f : c.files) t += f.name + "=" + StateText(f.state) + "\r\n";
    return platform::ToAnsi(t);
}

// One file of the system folder into the copy, byte for byte; a name that holds no file (missing,
// or a folder in its place) is recorded as absent. False when the system will not say.
bool SaveFile(const std::string& from, const std::string& to, FileState& state) {
    switch (platform::KindOf(from)) {
    case platform::PathKind::File: {
        std::string bytes;
        if (!platform::ReadWholeFile(from, bytes) || !platform::WriteWholeFile(to, bytes)) return false;
        state = FileState::Present;
        return true;
    }
    case platform::PathKind::Folder:
    case platform::PathKind::Missing:
        state = FileState::Absent;
        return true;
    default:
        return false;
    }
}

// The description file goes first, so that a copy half removed is no longer listed.
void Discard(const std::string& folder) {
    for (const char* f : {kAboutFile, kValuesFile}) static_cast<void>(platform::RemoveFile(folder + "\\" + f));
    for (const char* f : kKeptFiles) static_cast<void>(platform::RemoveFile(folder + "\\" + f));
    platform::RemoveEmptyFolder(folder);
}

bool ReadFileState(const std::string& about, const char* key, FileState& state) {
    std::string s = platform::ProfileRead(about, kSection, key).text;
    if (s.empty()) state = FileState::NotHeld;
    else if (s == kSaved) state = FileState::Present;
    else if (s == kAbsent) state = FileState::Absent;
    else return false;
    return true;
}

// The copy's description may name the copy and the three files, nothing else.
void NoteForeignKeys(const std::string& about, SafetyCopy& c) {
    static const char* const kKnown[] = {"Number", "Made", "Command", "Original", "System"};
    auto is = [](const std::string& lower) { return [&lower](const char* k) { return platform::LowerCase(k) == lower; }; };
    for (const std::string& key : platform::ProfileKeys(about, kSection)) {
        const std::string lower = platform::LowerCase(key);
        if (std::none_of(std::begin(kKnown), std::end(kKnown), is(lower)) &&
            std::none_of(std::begin(kKeptFiles), std::end(kKeptFiles), is(lower)))
            c.foreign.push_back(key);
    }
}

bool ReadCopy(const std::string& folder, SafetyCopy& c) {
    const std::string about = folder + "\\" + kAboutFile;
    if (!platform::FileExists(about)) return false;
    c.folder = folder;
    c.number = std::strtol(platform::ProfileRead(about, kSection, "Number").text.c_str(), nullptr, 10);
    c.made = platform::ProfileRead(about, kSection, "Made").text;
    c.command = platform::ProfileRead(about, kSection, "Command").text;
    c.original = platform::ProfileRead(about, kSection, "Original").text == "1";
    if (c.number <= 0) return false;
    for (const char* f : kKeptFiles) {
        FileState state;
        if (!ReadFileState(about, f, state)) return false;
        if (state != FileState::NotHeld) c.files.push_back({f, state});
    }
    std::string reg;
    if (!platform::ReadWholeFile(folder + "\\" + kValuesFile, reg) || !ParseRegFile(reg, c.values)) return false;
    NoteForeignKeys(about, c);
    return true;
}

}  // namespace

bool SamePlace(const ValuePlace& a, const ValuePlace& b) {
    return a.root == b.root && platform::LowerCase(a.key) == platform::LowerCase(b.key) &&
           platform::LowerCase(a.name) == platform::LowerCase(b.name);
}

std::string PlaceText(const ValuePlace& p) {
    return std::string(p.root == Root::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + p.key + "\\" +
           p.name;
}

void Targets::Add(const Targets& other) {
    if (system.empty()) system = other.system;
    for (const std::string& f : other.files)
        if (std::find(files.begin(), files.end(), f) == files.end()) files.push_back(f);
    for (const ValuePlace& p : other.values)
        if (std::none_of(values.begin(), values.end(), [&](const ValuePlace& q) { return SamePlace(p, q); }))
            values.push_back(p);
}

namespace {
std::string& NamedSafetyFolder() {
    static std::string folder;
    return folder;
}
}  // namespace

std::string SafetyFolder() {
    if (!NamedSafetyFolder().empty()) return NamedSafetyFolder();
    return platform::ProgramFolder() + "\\SafetyCopies";
}

void UseSafetyFolder(const std::string& folder) { NamedSafetyFolder() = folder; }

bool WriteSafetyCopy(const Targets& targets, const std::string& command, const Targets& everything) {
    const std::string root = SafetyFolder();
    // Guarded, since the program's folder is usually one any user may change (Downloads, the
    // desktop). Each copy is guarded too, for a folder of copies made before this was so.
    if (!platform::CreateGuardedFolder(root)) return false;

    std::vector<SafetyCopy> kept = ListSafetyCopies();
    SafetyCopy copy;
    copy.original = kept.empty();
    copy.number = kept.empty() ? 1 : kept.front().number + 1;
    copy.command = command;
    Targets what = targets;
    if (copy.original) what.Add(everything);

    // The folder is named by the time; a second copy within the same second gets a number.
    platform::LocalTime t = platform::Now();
    copy.made = std::to_string(t.year) + "/" + TwoDigits(t.month) + "/" + TwoDigits(t.day) + " " +
                TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
    const std::string base = root + "\\" + std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" +
                             TwoDigits(t.day) + " " + TwoDigits(t.hour) + "." + TwoDigits(t.minute) + "." +
                             TwoDigits(t.second);
    for (int n = 1; copy.folder.empty(); ++n) {
        std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
        if (platform::CreateGuardedFolder(name, true)) copy.folder = name;
        else if (platform::KindOf(name) == platform::PathKind::Missing || n >= 100) return false;
    }

    bool ok = true;
    if (!what.system.empty()) {
        for (const char* f : kKeptFiles) {
            if (!ok || std::find(what.files.begin(), what.files.end(), f) == what.files.end()) continue;
            FileState state = FileState::NotHeld;
            ok = SaveFile(what.system + "\\" + f, copy.folder + "\\" + f, state);
            if (ok) copy.files.push_back({f, state});
        }
    }
    for (const ValuePlace& p : what.values) {
        if (!ok) break;
        SavedValue v{p, platform::RegReadRaw(p.root, p.key, p.name)};
        // A value that cannot be read is not known to be absent: deleting it later would lose it.
        if (!v.value.exists && v.value.error != ERROR_FILE_NOT_FOUND) ok = false;
        copy.values.push_back(v);
    }
    ok = ok && platform::WriteWholeFile(copy.folder + "\\" + kValuesFile, RegFileText(copy.values));
    // Last: a copy without its description is no copy.
    ok = ok && platform::WriteWholeFile(copy.folder + "\\" + kAboutFile, AboutText(copy, what.system));
    if (!ok) Discard(copy.folder);
    return ok;
}

std::vector<SafetyCopy> ListSafetyCopies() {
    std::vector<SafetyCopy> copies;
    const std::string root = SafetyFolder();
    for (const std::string& name : platform::SubFolders(root)) {
        SafetyCopy c;
        if (ReadCopy(root + "\\" + name, c)) copies.push_back(std::move(c));
    }
    std::sort(copies.begin(), copies.end(), [](const SafetyCopy& a, const SafetyCopy& b) {
        return a.number != b.number ? a.number > b.number : a.folder > b.folder;
    });
    return copies;
}

void PruneSafetyCopies() {
    size_t later = 0;
    for (const SafetyCopy& c : ListSafetyCopies()) {
        if (c.original) continue;
        if (++later > kKeptCopies) Discard(c.folder);
    }
}

Targets HeldBy(const SafetyCopy& copy, const std::string& system) {
    Targets t;
    t.system = system;
    for (const HeldFile& f : copy.files) t.files.push_back(f.name);
    for (const SavedValue& v : copy.values) t.values.push_back(v.place);
    return t;
}

platform::Steps PutBack(const SafetyCopy& copy, const std::string& system) {
    platform::Steps steps;
    for (const HeldFile& f : copy.files) {
        const FileState state = f.state;
        const std::string& name = f.name;
        const std::string kept = copy.folder + "\\" + name, target = system + "\\" + name;
        platform::Outcome done = system.empty()                       ? platform::Outcome::Failed(ERROR_PATH_NOT_FOUND)
                                 : state == FileState::Absent         ? platform::RemoveFile(target)
                                 : !platform::FileExists(kept)        ? platform::Outcome::Failed(ERROR_FILE_NOT_FOUND)
                                                                      : platform::CopyFileInPlace(kept, target);
        steps.push_back({name, "", done});
    }
    for (const SavedValue& v : copy.values) {
        const platform::RegValue& r = v.value;
        steps.push_back({v.place.name, "",
                         r.exists ? platform::RegWriteRaw(v.place.root, v.place.key, v.place.name, r.type, r.bytes.data(),
                                                          static_cast<unsigned long>(r.bytes.size()))
                                  : platform::RegDeleteValueIn(v.place.root, v.place.key, v.place.name)});
    }
    return steps;
}

}  // namespace kaza::backup

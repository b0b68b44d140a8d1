#include "platform/replace.h"

#include <windows.h>

#include "platform/files.h"
#include "platform/system.h"
#include "platform/lookup.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {
namespace {

RenameFunction& TestRename() {
    static RenameFunction rename;
    return rename;
}

Outcome Rename(const std::string& from, const std::string& to, bool replace) {
    return TestRename() ? TestRename()(from, to, replace) : RealRename(from, to, replace);
}

// The folder part of a path, with its trailing separator ("a:\" for "a:\oemlogo.bmp"). Cut in
// UTF-8, where every 0x5C byte is a separator: in Shift-JIS it may be the second byte of a
// double-byte character.
std::string FolderOf(std::string_view utf8) {
    const std::string path(utf8);
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
    return path.substr(0, cut + 1);
}

bool RunsOn9x() { return WindowsVersion().platformId == VER_PLATFORM_WIN32_WINDOWS; }

// The one-step rename over an existing file, looked up at run time: Windows 98 exports it only as
// a stub that fails, which is no import for a program that must load there.
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
MoveFileExFunction MoveFileEx() {
    static const auto f = LookUp<MoveFileExFunction>("kernel32.dll", "MoveFileExA");
    return f;
}

// Old file aside, new file in its place, old file removed; the old file goes back on failure.
Outcome ReplaceIn9xSteps(const std::string& fresh, const std::string& target) {
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return Rename(fresh, target, false);
    FreshFile beside = FileBeside(FromAnsi(target));
    if (!beside.outcome) return beside.outcome;
    const std::string aside = ToAnsi(beside.path);
    DeleteFileA(aside.c_str());  // a free name, for the rename
    if (Outcome moved = Rename(target, aside, false); !moved) return moved;
    if (Outcome moved = Rename(fresh, target, false); !moved) {
        // The old file goes back; should even that fail, it stays complete under the name aside.
        static_cast<void>(Rename(aside, target, false));
        return moved;
    }
    DeleteFileA(aside.c_str());
    return {};
}

}  // namespace

Outcome RealRename(const std::string& from, const std::string& to, bool replace) {
    RealSystemFolder systemFolder;
    if (replace && !MoveFileEx()) return Outcome::Failed(ERROR_CALL_NOT_IMPLEMENTED);
    BOOL ok = replace ? MoveFileEx()(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)
                      : MoveFileA(from.c_str(), to.c_str());
    return ok ? Outcome() : Outcome::LastError();
}

void SetRenameForTesting(RenameFunction rename) { TestRename() = std::move(rename); }

FreshFile FileBeside(std::string_view target) {
    RealSystemFolder systemFolder;
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA(ToAnsi(FolderOf(target)).c_str(), "kz", 0, name)) {
        // A folder that is not there is reported as an invalid folder name; the caller is told
        // what opening a file in it would have said.
        DWORD code = GetLastError();
        return {{}, Outcome::Failed(code == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : code)};
    }
    return {FromAnsi(name, sizeof name), {}};
}

void DiscardBeside(std::string_view fresh) {
    RealSystemFolder systemFolder;
    if (fresh.empty()) return;
    std::string path = ToAnsi(fresh);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

Outcome PutInPlace(std::string_view freshPath, std::string_view targetPath) {
    RealSystemFolder systemFolder;
    const std::string fresh = ToAnsi(freshPath), target = ToAnsi(targetPath);
    // A folder in the target's place, or a file the user made read-only, is not replaced: the
    // one-step rename refuses both, and the 9x steps are held to the same answer.
    DWORD attributes = GetFileAttributesA(target.c_str());
    Outcome done;
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        done = Outcome::Failed(ERROR_ACCESS_DENIED);
    } else if (!RunsOn9x()) {
        done = Rename(fresh, target, true);
        if (done.error() == ERROR_CALL_NOT_IMPLEMENTED) done = ReplaceIn9xSteps(fresh, target);
    } else {
        done = ReplaceIn9xSteps(fresh, target);
    }
    if (!done) DiscardBeside(freshPath);
    return done;
}

Outcome WriteFileInPlace(std::string_view target, const std::string& bytes) {
    FreshFile fresh = FileBeside(target);
    if (!fresh.outcome) return fresh.outcome;
    if (Outcome written = WriteWholeFile(fresh.path, bytes); !written) {
        DiscardBeside(fresh.path);
        return written;
    }
    return PutInPlace(fresh.path, target);
}

Outcome CopyFileInPlace(std::string_view from, std::string_view target) {
    // Onto itself (another spelling of the same file): the target already holds the source.
    if (SameFile(from, target)) return {};
    FreshFile fresh = FileBeside(target);
    if (!fresh.outcome) return fresh.outcome;
    const std::string ansi = ToAnsi(fresh.path);
    RealSystemFolder systemFolder;
    if (!CopyFileA(ToAnsi(from).c_str(), ansi.c_str(), FALSE)) {
        Outcome failed = Outcome::LastError();
        DiscardBeside(fresh.path);
        return failed;
    }
    // A read-only source would otherwise make a target that the next write may not replace.
    DWORD attributes = GetFileAttributesA(ansi.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(ansi.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return PutInPlace(fresh.path, target);
}

}  // namespace kaza::platform

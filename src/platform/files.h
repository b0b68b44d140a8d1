#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/outcome.h"

namespace kaza::platform {

// The file's own name as the directory search finds it on disk; empty when it is missing.
std::string OnDiskFileName(std::string_view path);
// Creates the file or cuts it to zero length.
Outcome CreateEmptyFile(std::string_view path);
bool FileExists(std::string_view path);
bool FolderExists(std::string_view path);
// Whether both paths name one existing file (another spelling, letter case or short name).
bool SameFile(std::string_view a, std::string_view b);
// Whole-file helpers for callers that write raw bytes.
Outcome WriteWholeFile(std::string_view path, const std::string& bytes);
bool ReadWholeFile(std::string_view path, std::string& bytes);
// The same for a file that must be the file itself: on the NT family it is opened so that a
// symbolic link or another reparse point is seen, not followed, and then fails with
// ERROR_CANT_ACCESS_FILE.
Outcome ReadFileItself(std::string_view path, std::string& bytes);
// Whether the path is a reparse point (a symbolic link, a junction, a mount point), which the
// system follows to something else when it is opened plainly. False where it cannot be read.
bool IsReparsePoint(std::string_view path);
// Tests: stands in for the GetFileAttributesA that IsReparsePoint reads (this Wine makes no
// reparse points); nullptr brings the system's call back.
using AttributesFunction = std::function<unsigned long(const std::string& path)>;
void SetAttributesForTesting(AttributesFunction attributes);
// A file's size and last-write time, to tell whether it changed since it was last read. A stamp
// that is not `known` (no such file, a name with wildcards) equals no other stamp.
struct FileStamp {
    bool known = false;
    unsigned long long size = 0, written = 0;
    bool operator==(const FileStamp& o) const { return known && o.known && size == o.size && written == o.written; }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};
FileStamp StampOf(std::string_view path);
// Adds the bytes at the end of the file, which is created when missing.
Outcome AppendToFile(std::string_view path, const std::string& bytes);
// What a path names. Unknown when the system would not say (no access, a drive not ready):
// then it must not be taken for missing.
enum class PathKind { File, Folder, Missing, Unknown };
PathKind KindOf(std::string_view path);
// Creates the folder; success when it exists afterwards. With `fresh`, only a folder this call
// created counts.
Outcome CreateFolder(std::string_view path, bool fresh = false);
// The same, but on the NT family the folder gets permissions of its own instead of those of the
// folder it is in: Administrators and SYSTEM full control, Users read, and so for what is made in
// it. A standard user can then change nothing in it. The 9x family keeps no permissions: there it
// is CreateFolder. A folder that already exists is guarded by GuardFolder; `state` tells what that
// found, and a refusal fails with ERROR_ACCESS_DENIED.
enum class GuardState {
    Guarded,    // already only administrators' (or the 9x family)
    TakenOver,  // made Administrators' with the permissions below
    Refused,    // others may change it and that could not be undone, or it is a link
};
Outcome CreateGuardedFolder(std::string_view path, bool fresh = false, GuardState* state = nullptr);
// The permissions it gives, as a self-relative security descriptor; "" on the 9x family or where
// the list's protection from the folder above cannot be set.
std::string GuardedFolderSecurity();
// Whether a folder of this security descriptor (self-relative, owner and list) may be changed by
// administrators and the system only: one of them owns it, and no entry lets anyone else write,
// delete, or change the permissions or the owner. Entries for whoever creates something inside
// (CREATOR OWNER) count as theirs.
bool IsGuardedSecurity(const std::string& sd);
// On the NT family, makes an existing folder that others may change Administrators' with the
// permissions above; a reparse point is refused.
GuardState GuardFolder(std::string_view path);
// Tests: stand in for GetFileSecurityA and SetFileSecurityA on folders (this Wine keeps no
// permissions a program sets); nullptr brings the system's calls back.
using FolderSecurityReader = std::function<bool(const std::string& path, std::string& sd)>;
using FolderSecurityWriter = std::function<bool(const std::string& path, unsigned long what, const std::string& sd)>;
void SetFolderSecurityForTesting(FolderSecurityReader read, FolderSecurityWriter write);
// Success when nothing of that name is left (also when there was none); a folder of that name is
// left alone and is a failure, with DeleteFileA's code.
Outcome RemoveFile(std::string_view path);
// Removes a folder that holds nothing.
bool RemoveEmptyFolder(std::string_view path);
// The names of the folders directly inside a folder, in no particular order.
std::vector<std::string> SubFolders(std::string_view path);
// The system's description of an error code, for messages shown to the user; empty when the
// system has none.
std::string LastErrorText(unsigned long code);

}  // namespace kaza::platform

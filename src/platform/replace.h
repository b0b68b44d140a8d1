#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/outcome.h"

// Replacing a file so that a failure half-way never leaves it cut short or emptied: the new
// content is made whole in a file beside the target (same folder, so same volume), and only then
// takes the target's name. Until that last step the target is exactly as it was.
namespace kaza::platform {

// A new, empty file of a unique name in the folder of `target`; an empty path and the failure
// when the folder does not take one.
struct [[nodiscard]] FreshFile {
    std::string path;
    Outcome outcome;
};
FreshFile FileBeside(std::string_view target);

// Puts the complete file `fresh` (made by FileBeside) in the place of `target`, which may be
// absent. On success `fresh` is gone and `target` holds its content. On failure `target` is as
// it was and `fresh` is removed. A folder in the target's place is never replaced.
//
// The NT family renames over the target in one step. Windows 98 only stubs that call, so there
// the old file is first renamed aside, the new one takes its name, and the old one is removed;
// if the second rename fails, the old file is renamed back. At no moment is the target missing
// without both files complete beside it.
Outcome PutInPlace(std::string_view fresh, std::string_view target);

// Removes a file made by FileBeside that is not going to be put in place.
void DiscardBeside(std::string_view fresh);

// Whole-file replacements built on the two steps above.
Outcome WriteFileInPlace(std::string_view target, const std::string& bytes);
// A copy onto the source file itself (another spelling of it) counts as copied: the system would
// refuse it or, on some systems, empty the file.
Outcome CopyFileInPlace(std::string_view from, std::string_view target);

// Tests: stands in for the system's rename calls. `replace` is true for the one-step rename over
// an existing file (MoveFileExA with MOVEFILE_REPLACE_EXISTING), false for a plain rename
// (MoveFileA). To act as the system would, the function calls RealRename. nullptr brings the
// system's calls back.
using RenameFunction = std::function<Outcome(const std::string& from, const std::string& to, bool replace)>;
void SetRenameForTesting(RenameFunction rename);
Outcome RealRename(const std::string& from, const std::string& to, bool replace);

}  // namespace kaza::platform

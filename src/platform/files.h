#pragma once
#include <string>
#include <string_view>

namespace kaza::platform {

// Copies the whole file, replacing a target of the same name; the copy is made beside the target
// and then put in its place, so a failed copy leaves the target as it was. A target that is the
// source file itself counts as copied. On failure GetLastError tells why.
bool CopyFileReplacing(std::string_view from, std::string_view to);
// The file's own name as the directory search finds it on disk; empty when it is missing.
std::string OnDiskFileName(std::string_view path);
// Creates the file or cuts it to zero length.
bool CreateEmptyFile(std::string_view path);
bool FileExists(std::string_view path);
bool FolderExists(std::string_view path);
// Whether both paths name one existing file (another spelling, letter case or short name).
bool SameFile(std::string_view a, std::string_view b);
// Whole-file helpers for callers that write raw bytes.
bool WriteWholeFile(std::string_view path, const std::string& bytes);
bool ReadWholeFile(std::string_view path, std::string& bytes);
// The platform's description of the last error, for messages shown to the user.
std::string LastErrorText(unsigned long code);

}  // namespace kaza::platform

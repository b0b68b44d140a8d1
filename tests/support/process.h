// Other processes: the shipped program started by a test, and its windows.
#pragma once
#include <windows.h>

#include <string>

namespace kaza::test {

// A path of this machine as Windows programs under Wine see it, through drive Z:.
std::string WindowsPath(std::string unixPath);
// The visible top-level window of another process with that caption, waited for up to 30 s; with
// an empty caption, any dialog box (class #32770) of it. nullptr when none showed.
HWND WaitForWindow(DWORD pid, const std::string& utf8Caption);

}  // namespace kaza::test

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/registry.h"
#include "platform/system.h"
#include "platform/ui/form.h"

#ifdef KAZA_TEST_WINDOWS
namespace {

// The prefix's Version value for this program decides what GetVersionExA reports. Wine reads it
// when a process starts, so a program that finds the wrong system sets it and runs itself again.
bool VersionMatches(const std::string& want) {
    kaza::platform::VersionInfo v = kaza::platform::WindowsVersion();
    if (want == "win98") return v.platformId == 1;
    if (want == "nt40") return v.platformId == 2 && v.build == 1381;
    if (want == "win2k") return v.platformId == 2 && v.build == 2195;
    if (want == "winxp") return v.platformId == 2 && v.build == 2600;
    return false;
}

int RunAs(const std::string& want) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(exe.find_last_of('\\') + 1);
    kaza::platform::RegWriteString(kaza::platform::Root::CurrentUser, "Software\\Wine\\AppDefaults\\" + exe,
                                   "Version", want);
    SetEnvironmentVariableA("KAZA_TEST_RELAUNCHED", "1");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = GetCommandLineA();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return static_cast<int>(code);
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef KAZA_TEST_WINDOWS
    if (!VersionMatches(KAZA_TEST_WINDOWS)) {
        if (GetEnvironmentVariableA("KAZA_TEST_RELAUNCHED", nullptr, 0) == 0) return RunAs(KAZA_TEST_WINDOWS);
        fprintf(stderr, "the prefix does not emulate %s\n", KAZA_TEST_WINDOWS);
        return 1;
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    kaza::ui::InitToolkit();
    return RUN_ALL_TESTS();
}

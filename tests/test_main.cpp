#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/system.h"
#include "platform/ui/form.h"

#if defined(KAZA_TEST_WINDOWS) || defined(KAZA_TEST_DPI)
#define KAZA_TEST_RELAUNCHES 1
#endif

namespace {

// A test that crashes ends its program at once, naming the test and the fault, instead of
// waiting for a debugger that nobody will attach (the whole run would then stall until its time
// limit).
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    fprintf(stderr, "\ncrashed in %s.%s: exception 0x%08lx at %p\n", test ? test->test_suite_name() : "(no test)",
            test ? test->name() : "", static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
            info->ExceptionRecord->ExceptionAddress);
    fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

#ifdef KAZA_TEST_RELAUNCHES
namespace {

using kaza::platform::Root;

// The prefix's Version value for this program decides what GetVersionExA reports. Wine reads it
// when a process starts, so a program that finds the wrong system sets it and runs itself again.
bool VersionMatches() {
#ifdef KAZA_TEST_WINDOWS
    const std::string want = KAZA_TEST_WINDOWS;
    kaza::platform::VersionInfo v = kaza::platform::WindowsVersion();
    if (want == "win98") return v.platformId == 1;
    if (want == "nt40") return v.platformId == 2 && v.build == 1381;
    if (want == "win2k") return v.platformId == 2 && v.build == 2195;
    if (want == "winxp") return v.platformId == 2 && v.build == 2600;
    if (want == "winxp64") return v.platformId == 2 && v.build == 3790;
    const struct {
        const char* name;
        unsigned long major, minor;
    } later[] = {{"vista", 6, 0}, {"win7", 6, 1}, {"win8", 6, 2}, {"win81", 6, 3}, {"win10", 10, 0}};
    for (const auto& l : later)
        if (want == l.name) return v.platformId == 2 && v.major == l.major && v.minor == l.minor;
    return false;
#else
    return true;
#endif
}

// The screen resolution ("large fonts") is the prefix's LogPixels, read when a process starts:
// one value for the window manager, one for the font engine.
struct DpiValue {
    Root root;
    const char* key;
};
const DpiValue kDpiValues[] = {
    {Root::CurrentUser, "Control Panel\\Desktop"},
    {Root::LocalMachine, "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"},
};

bool DpiMatches() {
#ifdef KAZA_TEST_DPI
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi == KAZA_TEST_DPI;
#else
    return true;
#endif
}

int Relaunch() {
#ifdef KAZA_TEST_WINDOWS
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(exe.find_last_of('\\') + 1);
    static_cast<void>(kaza::platform::RegWriteString(Root::CurrentUser, "Software\\Wine\\AppDefaults\\" + exe,
                                                     "Version", KAZA_TEST_WINDOWS));
#endif
#ifdef KAZA_TEST_DPI
    // The resolution is the whole prefix's: put back what was there once the run is over, so that
    // no later program inherits it.
    std::vector<kaza::platform::RegValue> saved;
    for (const DpiValue& v : kDpiValues) {
        saved.push_back(kaza::platform::RegReadRaw(v.root, v.key, "LogPixels"));
        DWORD dpi = KAZA_TEST_DPI;
        static_cast<void>(kaza::platform::RegWriteRaw(v.root, v.key, "LogPixels", REG_DWORD, &dpi, sizeof dpi));
    }
#endif
    SetEnvironmentVariableA("KAZA_TEST_RELAUNCHED", "1");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = GetCommandLineA();
    DWORD code = 1;
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
#ifdef KAZA_TEST_DPI
    for (size_t i = 0; i < saved.size(); ++i) {
        const DpiValue& v = kDpiValues[i];
        if (saved[i].exists)
            static_cast<void>(kaza::platform::RegWriteRaw(v.root, v.key, "LogPixels", saved[i].type,
                                                          saved[i].bytes.data(),
                                                          static_cast<unsigned long>(saved[i].bytes.size())));
        else
            static_cast<void>(kaza::platform::RegDeleteValueIn(v.root, v.key, "LogPixels"));
    }
#endif
    return static_cast<int>(code);
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef KAZA_TEST_RELAUNCHES
    if (!VersionMatches() || !DpiMatches()) {
        if (GetEnvironmentVariableA("KAZA_TEST_RELAUNCHED", nullptr, 0) == 0) return Relaunch();
        fprintf(stderr, "the prefix does not emulate the system this program is for\n");
        return 1;
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    SetUnhandledExceptionFilter(ReportCrash);
    kaza::ui::InitToolkit();
    return RUN_ALL_TESTS();
}

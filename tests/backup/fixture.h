// A main window over a system folder of the test's own, with scripted dialogs and shell.
#pragma once
#include <optional>
#include <string>

#include "app/form1.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "support/fixtures.h"

namespace kaza::test {

// The desktop is a folder the test names; the drive probe is the real one unless scripted.
class ScriptedShell : public platform::Shell {
public:
    ScriptedShell() { platform::SetShell(this); }
    ~ScriptedShell() override { platform::SetShell(nullptr); }
    std::string desktop;
    std::optional<platform::DriveProbe> probe;
    int probes = 0;

    std::string DesktopFolder(HWND) override { return desktop; }
    platform::DriveProbe ProbeDrive(char letter) override {
        ++probes;
        return probe ? *probe : platform::systemShell().ProbeDrive(letter);
    }
};

// Contents of the installed pair: binary bytes with NULs, and Shift-JIS text.
inline const std::string kInstalledLogo = std::string("BM\x36\x00\x00\x00\x00\x00", 8) + "logo-now";
inline const std::string kInstalledInfo = "[General]\r\nManufacturer=" + Sjis("風車工房") + "\r\n";

class BackupTest : public MainWindowTest {
protected:
    void SetUp() override {
        system_ = ScratchFolder("system");
        WriteBytes(LogoIn(system_), kInstalledLogo);
        WriteBytes(InfoIn(system_), kInstalledInfo);
        // A copy that wrongly goes to the root of the current drive must land in the test prefix
        // (drive C:), not in the root of the machine running the tests (Wine's Z:), and must not
        // be mistaken for one left there by an earlier run.
        GetCurrentDirectoryA(MAX_PATH, startDir_);
        SetCurrentDirectoryA(system_.c_str());
        DeleteFileA(LogoIn("C:").c_str());
        DeleteFileA(InfoIn("C:").c_str());
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        SetCurrentDirectoryA(startDir_);
    }

    void Click(const char* menu) { ClickMenu(main_, menu); }
    std::string Status() { return main_.Panel(1); }
    static bool Exists(const std::string& path) { return platform::FileExists(path); }

    ScriptedShell shell_;
    std::string system_;
    char startDir_[MAX_PATH] = {};
};

}  // namespace kaza::test

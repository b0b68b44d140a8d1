// The program runs as administrator, often from a folder any user may write to. A DLL left there
// under the name of a system DLL must not be loaded while it starts, imports and fits a picture,
// opens the file and folder dialogs, and applies. Wine is told (tests.cmake) to look in the
// program's folder first for each, as Windows does for every DLL that is no KnownDLL. uxtheme was
// loaded before WinMain while comdlg32 and shell32 were imports (their comctl32 loads it by name);
// the others are loaded on demand by drawing, the window frames and the picture decoders.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/system.h"
#include "presets/preset_fixture.h"
#include "support/process.h"

namespace kaza {
namespace {

const char* const kPlantedNames[] = {"uxtheme.dll", "msimg32.dll", "dwmapi.dll", "windowscodecs.dll"};

class Planted : public test::PresetTest {
protected:
    void SetUp() override {
        Index({"Shop PC"});
        Picture(folder_.plugins(), "shop.bmp", 300, 200);
        Seed("Shop PC", {"Maker", "Model", "shop.bmp", "1", "", "0", {}});
        exe_ = folder_.path() + "\\kazaguruma.exe";
        ASSERT_TRUE(CopyFileA(test::WindowsPath(KAZA_EXE).c_str(), exe_.c_str(), FALSE));
        for (const char* name : kPlantedNames)
            ASSERT_TRUE(CopyFileA(test::WindowsPath(KAZA_PLANTED).c_str(), (folder_.path() + "\\" + name).c_str(), FALSE));
        // What /apply replaces in the prefix's own system folder, put back afterwards.
        system_ = platform::SystemDirectory();
        for (const char* f : {"oeminfo.ini", "oemlogo.bmp", "kazaguruma-oemlogo.bmp"})
            if (platform::FileExists(system_ + "\\" + f)) before_.push_back({f, test::ReadBytes(system_ + "\\" + f)});
    }
    void TearDown() override {
        for (const char* f : {"oeminfo.ini", "oemlogo.bmp", "kazaguruma-oemlogo.bmp"}) platform::RemoveFile(system_ + "\\" + f);
        for (const auto& [f, bytes] : before_) test::WriteBytes(system_ + "\\" + f, bytes);
    }
    PROCESS_INFORMATION Launch(const std::string& arguments) {
        std::string cmd = "\"" + exe_ + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(CreateProcessA(exe_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder_.path().c_str(), &si, &pi));
        return pi;
    }
    std::vector<std::string> Loaded() {
        std::vector<std::string> loaded;
        for (const char* name : kPlantedNames)
            if (platform::FileExists(folder_.path() + "\\" + name + ".loaded")) loaded.push_back(name);
        return loaded;
    }

    test::MachineSnapshot machine_;
    std::string exe_, system_;
    std::vector<std::pair<std::string, std::string>> before_;
};

// Waits for the dialog the program opened and answers it: a file name typed and OK, or Cancel.
void Answer(DWORD pid, const std::string& fileName) {
    HWND dialog = test::WaitForWindow(pid, "");
    ASSERT_NE(dialog, nullptr);
    if (!fileName.empty()) {
        SetDlgItemTextA(dialog, 0x47C /* cmb13 */, fileName.c_str());
        SetDlgItemTextA(dialog, 0x480 /* edt1 */, fileName.c_str());
    }
    PostMessageA(dialog, WM_COMMAND, fileName.empty() ? IDCANCEL : IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(100);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(Planted, NoDllBesideTheProgramIsLoaded) {
    PROCESS_INFORMATION pi = Launch("");
    platform::FileHandle process(pi.hProcess), thread(pi.hThread);
    HWND main = test::WaitForWindow(pi.dwProcessId, "カザグルマ");
    ASSERT_NE(main, nullptr);
    // The menu's entries, numbered as this program numbers them.
    UINT import = 0, fit = 0, folder = 0;
    {
        Form1& twin = Start();
        import = twin.Menu("G").id(), fit = twin.Menu("GAZOAWA").id(), folder = twin.Menu("SONOTA").id();
        main_.reset();
    }
    PostMessageA(main, WM_COMMAND, import, 0);
    Answer(pi.dwProcessId, folder_.plugins() + "\\shop.bmp");
    PostMessageA(main, WM_COMMAND, fit, 0);
    PostMessageA(main, WM_COMMAND, folder, 0);
    Answer(pi.dwProcessId, "");
    PostMessageA(main, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.get(), 1);
    EXPECT_TRUE(ended);
    EXPECT_EQ(Loaded(), std::vector<std::string>{});

    // Applying a preset with a picture to fit, from the command line.
    PROCESS_INFORMATION run = Launch("/apply \"Shop PC\"");
    platform::FileHandle applying(run.hProcess), applyThread(run.hThread);
    ASSERT_EQ(WaitForSingleObject(applying.get(), 60000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(applying.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(platform::FileExists(system_ + "\\oemlogo.bmp"));
    EXPECT_EQ(Loaded(), std::vector<std::string>{});
}

}  // namespace
}  // namespace kaza

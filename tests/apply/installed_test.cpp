// What is installed (XP: the files; 10: also OEMInformation; the program's name says which): read
// into the window, applied back without an edit, removed and given back; damaged information files.
#include <iterator>

#include "backup/safety.h"
#include "platform/profile.h"
#include "presets/ini_maker.h"
#include "rollout/rollout.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza {
namespace {

using platform::Root;
const char* kKey = places::kOemInformationKey;

class Installed : public test::MainWindowTest {
protected:
    void SetUp() override {
        for (const char* v : test::kOemValues) test::DeleteValue(Root::LocalMachine, kKey, v);
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
        main_.Show();
    }
    void TearDown() override { main_.Unload(), test::RemoveTree(system_), test::RemoveTree(backup::SafetyFolder()); }
    void Menu(const char* name, int answer = 0) {
        if (answer) dialogs_.messageAnswers.push_back(answer);
        test::ClickMenu(main_, name);
    }
    // A bitmap by its size and rows of pixels, whatever else its header says; another file whole.
    static std::string Content(const std::string& path) {
        const std::string b = platform::FileExists(path) ? test::ReadBytes(path) : "-";
        if (b.size() < 54 || b.compare(0, 2, "BM")) return b;
        return std::to_string(test::I32(b, 18)) + "x" + std::to_string(test::I32(b, 22)) + b.substr(test::U32(b, 10));
    }
    // A 24- or 32-bit bitmap by its size and the colours of its pixels: the small logo carries a
    // fourth, opaque byte that the maker's picture may not.
    static std::string Colours(const std::string& path) {
        const std::string b = test::ReadBytes(path);
        if (b.size() < 54 || b.compare(0, 2, "BM") || test::U16(b, 28) < 24) return Content(path);
        const int w = test::I32(b, 18), h = test::I32(b, 22), bytes = test::U16(b, 28) / 8;
        const size_t stride = (size_t(w) * bytes + 3) & ~size_t(3);
        std::string s = std::to_string(w) + "x" + std::to_string(h);
        for (int y = 0; y < std::abs(h); ++y)
            for (int x = 0; x < w; ++x) s += b.substr(test::U32(b, 10) + y * stride + x * bytes, 3);
        return s;
    }
    // The files, the six values by type and bytes, the owner.
    std::string State() {
        std::string s;
        for (const std::string& f : {test::InfoIn(system_), test::LogoIn(system_), system_ + "\\" + places::kSmallLogoFile})
            s += Content(f) + "|";
        for (const char* v : test::kOemValues) {
            platform::RegValue r = platform::RegReadRaw(Root::LocalMachine, kKey, v);
            s += r.exists ? std::to_string(r.type) + ":" + r.bytes + "|" : "-|";
        }
        return s + platform::RegReadText(Root::LocalMachine, places::VersionKey(main_.SYT.AsText()), places::kRegisteredOwner);
    }
    int Run(const char* line) {
        return rollout::RunSilently(rollout::ParseArguments(rollout::SplitArguments(line)),
                                    [&](Form1& m) { m.Labe = Variant::Text(system_); });
    }
    const std::string system_ = test::ScratchFolder("sys" + std::to_string(GetCurrentProcessId()));
};

TEST_F(Installed, ReadAppliedBackUnchangedThenRemovedAndGivenBack) {
    test::WriteBytes(test::InfoIn(system_), test::Sjis("[General]\r\nManufacturer=風車 工房\r\nModel=KZ-7\r\n[Support Information]"
                                                       "\r\nLine1=電話 0120\r\nLine2=\r\nLine3=\"  平日\"\r\nLine5=飛んだ先\r\n"));
    const std::string logo = system_ + "\\..\\maker.bmp";
    test::WriteBmp(logo, 61, 40, [](int x, int y) { return test::Colour(x * 4 | y * 6 << 8 | (x + y) << 16); });
    const std::string values[] = {"風車 工房", "KZ-7", "0120", "平日", "https://example.jp/", logo,
                                  "風車サポート", "kaza-help:", "https://example.jp/t", "https://example.jp/r"};
    const bool vista = main_.ReadsOemInformation();
    for (int i = 0; i < 10 && vista; ++i) test::SetText(Root::LocalMachine, kKey, test::kOemValues[i], values[i]);
    if (!vista) CopyFileA(logo.c_str(), test::LogoIn(system_).c_str(), FALSE);

    Menu("GENZAI");
    EXPECT_EQ(main_.Panel(1) + main_.Text4(0).Text() + "|" + main_.Text4(1).Text() + "|" + main_.Panel(3),
              "インストールされている設定を読み込みました。風車 工房|KZ-7|中央\u3000\u3000\u3000\u3000\u3000\u3000動");
    EXPECT_EQ(ReadSupportLines(main_), (std::vector<std::string>{"電話 0120", "", "  平日"}));
    test::ModalScope([](ui::Form& f) { test::Click(f.C("Command1")); }), test::Click(main_.C("Command4"));  // 実行
    std::string info;
    for (const char* k : {"Manufacturer", "Model", "Line1", "Line2", "Line3", "Line4"})
        info += platform::ProfileRead(test::InfoIn(system_), k[0] == 'L' ? "Support Information" : "General", k).text + "|";
    EXPECT_EQ(info, "風車 工房|KZ-7|電話 0120||  平日||");
    EXPECT_EQ(Colours(test::AppliedLogoIn(system_)), Colours(logo));
    for (int i = 0; i < 10 && vista; ++i) {
        if (i == 5) continue;  // the logo's path, compared by its colours below
        EXPECT_EQ(platform::RegReadText(Root::LocalMachine, kKey, test::kOemValues[i]), values[i]);
    }
    if (vista) {
        EXPECT_EQ(Colours(platform::RegReadText(Root::LocalMachine, kKey, "Logo")), Colours(logo));
    }

    // Removed and given back, in the window and from the command line; the owner stays.
    std::string removed;  // the three files and every value absent, the owner as it was
    for (size_t k = 0; k < 3 + std::size(test::kOemValues); ++k) removed += "-|";
    const std::string before = State();
    removed += before.substr(before.rfind('|') + 1);
    Menu("OEMSAKUZYO", IDYES);
    EXPECT_EQ(dialogs_.messages.back().style & 0xFF, unsigned(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_NE(dialogs_.messages.back().text.find("oeminfo.ini、OEMLOGO.BMP"), std::string::npos);
    EXPECT_EQ(main_.Panel(1), "メーカー情報とロゴをすべて削除しました。（「変更前の状態に戻す」で戻せます）");
    EXPECT_EQ(State(), removed);
    test::ModalScope([](ui::Form& f) { test::Click(f.C("Command1")); }), Menu("HENKOUMAE");  // the newest copy
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Run("k /remove"), rollout::kEverythingWritten);
    EXPECT_EQ(State(), removed);
    EXPECT_EQ(Run("k /restore last"), rollout::kEverythingWritten);
    EXPECT_EQ(State(), before);

    // What cannot be removed is named, lack of rights as such; the rest still goes. No: nothing.
    SetFileAttributesA(test::InfoIn(system_).c_str(), FILE_ATTRIBUTE_READONLY);
    Menu("OEMSAKUZYO", IDYES);
    EXPECT_EQ(main_.Panel(1) + Content(test::LogoIn(system_)), "管理者権限がないためoeminfo.iniを削除できませんでした。-");
    SetFileAttributesA(test::InfoIn(system_).c_str(), FILE_ATTRIBUTE_NORMAL);
    Menu("OEMSAKUZYO", IDNO);
    EXPECT_EQ(main_.Panel(1) + Content(test::InfoIn(system_)).substr(0, 9), "削除はキャンセルされました。[General]");
    // A folder at the logo's name is no file removed: /remove fails and names it, with the code.
    ASSERT_TRUE(platform::CreateFolder(test::LogoIn(system_)));
    const std::string log = system_ + "\\remove.log", line = "k /remove /log " + log;
    EXPECT_EQ(Run(line.c_str()), rollout::kStepFailed);
    EXPECT_NE(test::ReadBytes(log).find(test::Sjis("OEMLOGO.BMP: 失敗 (エラー 5")), std::string::npos)
        << test::ReadBytes(log);
    ASSERT_TRUE(platform::RemoveEmptyFolder(test::LogoIn(system_)));
}

TEST_F(Installed, DamagedInformationFilesShowWhatTheyCanAndAreLeftAsTheyWere) {
    test::IniMaker maker(20261208);
    for (int i = 0, n = GetEnvironmentVariableA("KAZA_TEST_QUICK", nullptr, 0) ? 30 : 200; i < n; ++i) {
        const std::string bytes = maker.InfoFile();
        test::WriteBytes(test::InfoIn(system_), bytes);
        Menu("GENZAI");
        ASSERT_EQ(main_.Panel(1).rfind("インストールされている設定", 0), 0u) << i;
        ASSERT_EQ(test::ReadBytes(test::InfoIn(system_)), bytes) << i;
    }
    // Ten thousand lines all arrive; a logo that is no picture is named.
    std::string many = "[Support Information]";
    for (int n = 1; n <= 10000; ++n) many += "\r\nLine" + std::to_string(n) + "=" + std::to_string(n);
    test::WriteBytes(test::InfoIn(system_), many), test::WriteBytes(test::LogoIn(system_), "not a picture");
    test::SetText(Root::LocalMachine, kKey, "Logo", test::LogoIn(system_));
    Menu("GENZAI");
    EXPECT_EQ(ReadSupportLines(main_).back(), "10000");
    EXPECT_EQ(main_.Panel(1), "インストールされている設定を読み込みました（ロゴの画像は読み込めませんでした）。");
    // A folder where the file should be, and no logo: nothing is read, nothing changes.
    DeleteFileA(test::InfoIn(system_).c_str()), DeleteFileA(test::LogoIn(system_).c_str());
    CreateDirectoryA(test::InfoIn(system_).c_str(), nullptr);
    main_.Text4(0).SetText("前のまま");
    Menu("GENZAI");
    EXPECT_EQ(main_.Panel(1) + main_.Text4(0).Text(), "インストールされている設定はありませんでした。前のまま");
    EXPECT_TRUE(dialogs_.messages.empty());
}

}  // namespace
}  // namespace kaza

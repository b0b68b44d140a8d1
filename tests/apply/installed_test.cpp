// What is installed (XP: the files; 10: also OEMInformation; the program's name says which): read
// into the window, then applied without an edit; information files damaged in every way; removed,
// then given back.
#include "app/form1.h"
#include "backup/safety.h"
#include "platform/edit.h"
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
        system_ = test::ScratchFolder("sys" + std::to_string(GetCurrentProcessId()));
        for (const char* v : places::kOemValues) test::DeleteValue(Root::LocalMachine, kKey, v);
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
        main_.Show();
    }
    void TearDown() override {
        main_.Unload();
        test::RemoveTree(system_);
        test::RemoveTree(backup::SafetyFolder());
    }
    void Read() { test::ClickMenu(main_, "GENZAI"); }
    // A BMP file's size and its rows of pixels, whatever its header says besides.
    static std::string Pixels(const std::string& path) {
        const std::string b = test::ReadBytes(path);
        if (b.size() < 54) return "<no bitmap>";
        return std::to_string(test::I32(b, 18)) + "x" + std::to_string(test::I32(b, 22)) + ":" + b.substr(test::U32(b, 10));
    }
    std::string system_;
};

TEST_F(Installed, ReadThenApplyGivesBackTheSameDetailsAndPixels) {
    const std::string info = test::Sjis("[General]\r\nManufacturer=風車 工房\r\nModel=KZ-7\r\n[Support Information]\r\n"
                                        "Line1=電話 0120\r\nLine2=\r\nLine3=\"  平日\"\r\nLine5=番号が飛んだ先\r\n");
    test::WriteBytes(test::InfoIn(system_), info);
    const std::string logo = system_ + "\\..\\maker.bmp";
    test::WriteBmp(logo, 61, 40, [](int x, int y) { return test::Colour(x * 4 | y * 6 << 8 | (x + y) << 16); });
    if (main_.ReadsOemInformation()) {
        const std::pair<const char*, std::string> values[] = {
            {places::kOemManufacturer, "風車 工房"}, {places::kOemModel, "KZ-7"}, {places::kOemSupportPhone, "0120"},
            {places::kOemSupportHours, "平日"},      {places::kOemSupportUrl, "https://example.jp/"}, {places::kOemLogo, logo}};
        for (const auto& [name, value] : values) test::SetText(Root::LocalMachine, kKey, name, value);
    } else {
        CopyFileA(logo.c_str(), test::LogoIn(system_).c_str(), FALSE);
    }

    Read();
    EXPECT_EQ(main_.Panel(1), "インストールされている設定を読み込みました。");
    EXPECT_EQ(main_.Text4(0).Text() + "|" + main_.Text4(1).Text(), "風車 工房|KZ-7");
    EXPECT_EQ(ReadSupportLines(main_), (std::vector<std::string>{"電話 0120", "", "  平日"}));
    EXPECT_EQ(main_.Panel(3), "中央\u3000\u3000\u3000\u3000\u3000\u3000動");

    test::ModalScope modal([](ui::Form& f) { test::Click(f.C("Command1")); });
    test::Click(main_.C("Command4"));
    EXPECT_EQ(main_.Panel(1), "設定が反映されました。（Windowsの旗をクリックしてみてください。)");
    const std::string written = test::InfoIn(system_);
    std::string back;
    for (const char* k : {"Line1", "Line2", "Line3", "Line4"})
        back += platform::ProfileRead(written, "Support Information", k).text + "|";
    EXPECT_EQ(platform::ProfileRead(written, "General", "Manufacturer").text, "風車 工房");
    EXPECT_EQ(back, "電話 0120||  平日||");
    EXPECT_EQ(Pixels(test::AppliedLogoIn(system_)), Pixels(logo));
    if (main_.ReadsOemInformation()) {
        std::string values;
        for (const char* v : places::kOemValues) values += platform::RegReadText(Root::LocalMachine, kKey, v) + "|";
        EXPECT_EQ(values, "風車 工房|KZ-7|0120|平日|https://example.jp/|" + system_ + "\\" +
                                                  places::kSmallLogoFile + "|");
        EXPECT_EQ(Pixels(system_ + "\\" + places::kSmallLogoFile), Pixels(logo));
    }
}

TEST_F(Installed, DamagedInformationFilesShowWhatTheyCanAndAreLeftAsTheyWere) {
    test::IniMaker maker(20261208);
    const int files = GetEnvironmentVariableA("KAZA_TEST_QUICK", nullptr, 0) ? 30 : 200;
    for (int i = 0; i < files; ++i) {
        SCOPED_TRACE("file " + std::to_string(i));
        const std::string bytes = maker.InfoFile();
        test::WriteBytes(test::InfoIn(system_), bytes);
        Read();
        ASSERT_EQ(main_.Panel(1).rfind("インストールされている設定", 0), 0u) << main_.Panel(1);
        ASSERT_TRUE(dialogs_.messages.empty());
        ASSERT_EQ(test::ReadBytes(test::InfoIn(system_)), bytes);
    }

    // Ten thousand lines all arrive; a logo that is no picture is named.
    std::string many = "[Support Information]\r\n";
    for (int n = 1; n <= 10000; ++n) many += "Line" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    test::WriteBytes(test::InfoIn(system_), many);
    test::WriteBytes(test::LogoIn(system_), "not a picture");
    test::SetText(Root::LocalMachine, kKey, places::kOemLogo, test::LogoIn(system_));
    Read();
    HWND lines = main_.Window<Form2>().Text1().hwnd();
    EXPECT_EQ(platform::EditLineCount(lines), 10000);
    EXPECT_EQ(platform::EditLine(lines, 9999), "10000");
    EXPECT_EQ(main_.Panel(1), "インストールされている設定を読み込みました（ロゴの画像は読み込めませんでした）。");

    // A folder where the file should be, and no logo: nothing is read, nothing changes.
    test::RemoveTree(test::InfoIn(system_));
    CreateDirectoryA(test::InfoIn(system_).c_str(), nullptr);
    test::DeleteValue(Root::LocalMachine, kKey, places::kOemLogo);
    DeleteFileA(test::LogoIn(system_).c_str());
    main_.Text4(0).SetText("前のまま");
    Read();
    EXPECT_EQ(main_.Panel(1), "インストールされている設定はありませんでした。");
    EXPECT_EQ(main_.Text4(0).Text(), "前のまま");
}

TEST_F(Installed, RemovedDetailsComeBackByteForByteInTheWindowAndFromTheCommandLine) {
    const std::string owner = places::VersionKey(main_.SYT.AsText());
    test::SetText(Root::LocalMachine, owner, places::kRegisteredOwner, "持ち主");
    test::WriteBytes(test::InfoIn(system_), test::Sjis("[General]\r\nManufacturer=風車\r\n"));
    test::WriteBytes(test::LogoIn(system_), "BM logo bytes");
    const std::string small = system_ + "\\" + places::kSmallLogoFile;
    if (main_.ReadsOemInformation()) {
        test::WriteBytes(small, "BM small");
        for (const char* v : places::kOemValues) test::SetText(Root::LocalMachine, kKey, v, std::string(v) + " 値");
        const char expand[] = "%SystemRoot%\\logo.bmp";  // not only REG_SZ
        platform::RegWriteRaw(Root::LocalMachine, kKey, places::kOemLogo, REG_EXPAND_SZ, expand, sizeof expand).ok();
    }
    auto state = [&] {
        std::string s;
        for (const std::string& f : {test::InfoIn(system_), test::LogoIn(system_), small})
            s += platform::FileExists(f) ? test::ReadBytes(f) + "|" : "-|";
        for (const char* v : places::kOemValues) {
            platform::RegValue r = platform::RegReadRaw(Root::LocalMachine, kKey, v);
            s += r.exists ? std::to_string(r.type) + ":" + r.bytes + "|" : "-|";
        }
        return s + platform::RegReadText(Root::LocalMachine, owner, places::kRegisteredOwner);
    };
    const std::string before = state(), removed = "-|-|-|-|-|-|-|-|-|持ち主";
    for (bool window : {true, false}) {
        SCOPED_TRACE(window ? "window" : "command line");
        if (window) {
            dialogs_.messageAnswers.push_back(IDYES);
            test::ClickMenu(main_, "OEMSAKUZYO");
            ASSERT_EQ(dialogs_.messages.size(), 1u);
            EXPECT_EQ(dialogs_.messages[0].style & 0xFF, unsigned(MB_YESNO | MB_ICONEXCLAMATION));
            EXPECT_NE(dialogs_.messages[0].text.find("oeminfo.ini と OEMLOGO.BMP"), std::string::npos);
            EXPECT_EQ(main_.Panel(1), "メーカー情報とロゴをすべて削除しました。（「変更前の状態に戻す」で戻せます）");
        } else {
            auto run = [&](const char* line) {
                return rollout::RunSilently(rollout::ParseArguments(rollout::SplitArguments(line)),
                                            [&](Form1& m) { m.Labe = Variant::Text(system_); });
            };
            EXPECT_EQ(run("k /remove"), rollout::kEverythingWritten);
            EXPECT_EQ(state(), removed);
            EXPECT_EQ(run("k /restore last"), rollout::kEverythingWritten);
            continue;
        }
        EXPECT_EQ(state(), removed);
        test::ModalScope back([](ui::Form& f) {
            f.C("List1").SetListIndex(0);
            test::Click(f.C("Command1"));
        });
        test::ClickMenu(main_, "HENKOUMAE");
        EXPECT_EQ(state(), before);
    }
    EXPECT_EQ(state(), before);

    // What cannot be removed is named, lack of rights as such; the rest still goes.
    SetFileAttributesA(test::InfoIn(system_).c_str(), FILE_ATTRIBUTE_READONLY);
    dialogs_.messageAnswers.push_back(IDYES);
    test::ClickMenu(main_, "OEMSAKUZYO");
    EXPECT_EQ(main_.Panel(1), "管理者権限がないためoeminfo.iniを削除できませんでした。");
    EXPECT_FALSE(platform::FileExists(test::LogoIn(system_)));
    SetFileAttributesA(test::InfoIn(system_).c_str(), FILE_ATTRIBUTE_NORMAL);
    dialogs_.messageAnswers.push_back(IDNO);
    test::ClickMenu(main_, "OEMSAKUZYO");
    EXPECT_EQ(main_.Panel(1), "削除はキャンセルされました。");
    EXPECT_TRUE(platform::FileExists(test::InfoIn(system_)));
}

}  // namespace
}  // namespace kaza

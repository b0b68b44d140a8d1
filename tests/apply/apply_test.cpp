// The final confirmation and the apply, through the real windows, under one emulated family
// (the program's name says which): files in a scratch system folder, values in the registry.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/form1.h"
#include "app/places.h"
#include "apply/apply.h"
#include "apply/form5.h"
#include "app/rows.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/replace.h"
#include "platform/ui/picturebox.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza {
namespace {

using platform::Root;
using ui::Form;

const std::string kFamily = KAZA_TEST_WINDOWS;
const bool kNt = kFamily != "win98";
const std::string kVersionKey = places::VersionKey(kNt ? " NT" : "");
const std::string kOtherVersionKey = places::VersionKey(kNt ? "" : " NT");
const char* kCpuKey = places::kProcessorKey;
const char* kSuccess = "設定が反映されました。（Windowsの旗をクリックしてみてください。)";
const char* kHint = "実行する前にバックアップしたほうがいいです。";

using test::Click;
using test::I32;
using test::U16;
using test::U32;

class Apply : public test::MainWindowTest {
protected:
    void SetUp() override {
        system_ = test::ScratchFolder("sys" + std::to_string(GetCurrentProcessId()));
        picture_ = system_ + "\\..\\logo" + std::to_string(GetCurrentProcessId()) + ".bmp";
        test::WriteBytes(picture_, test::TwoColourBmp(60, 40));
        for (const char* v : {places::kRegisteredOwner, places::kRegisteredOrganization, places::kProductId}) {
            test::SetText(Root::LocalMachine, kVersionKey, v, "old");
            test::SetText(Root::LocalMachine, kOtherVersionKey, v, "other family");
        }
        test::SetText(Root::LocalMachine, kCpuKey, places::kProcessorName, "old cpu");
        MainWindowTest::SetUp();
        main_.Labe = Variant::Text(system_);
        main_.Show();
    }
    void TearDown() override {
        platform::SetRenameForTesting(nullptr);
        main_.Unload();
        test::RemoveTree(system_);
        DeleteFileA(picture_.c_str());
    }

    std::string Info() const { return test::ReadBytes(test::InfoIn(system_)); }
    std::string Logo() const { return test::ReadBytes(test::AppliedLogoIn(system_)); }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // The names in the system folder, sorted, so that a stray file beside the targets is seen.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA d{};
        HANDLE h = FindFirstFileA((system_ + "\\*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            if (d.cFileName[0] != '.') names.push_back(d.cFileName);
        } while (FindNextFileA(h, &d));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Reg(const std::string& key, const char* value) const {
        platform::RegValue v = platform::RegReadRaw(Root::LocalMachine, key, value);
        return v.exists ? v.bytes : "<absent>";
    }
    void Import() {
        dialogs_.openAnswers.push_back(picture_);
        main_.Raise("G", -1, ui::Event::Click);
    }
    void Support(const std::string& text) { main_.Window<Form2>().Text1().SetText(text); }
    // Presses 実行 on the main window and runs `inside` in the confirmation window.
    void OpenConfirmation(std::function<void(Form&)> inside) {
        test::ModalScope modal(std::move(inside));
        Click(main_.C("Command4"));
    }
    void ApplyWith(const char* option) {
        OpenConfirmation([&](Form& f) {
            Click(f.C(option));
            Click(f.C("Command1"));
        });
    }

    std::string system_, picture_;
};

TEST_F(Apply, WholeJobIn256Colours) {
    // An old file with more lines and another section: nothing of it may survive.
    test::WriteBytes(test::InfoIn(system_),
                     "[General]\r\nManufacturer=Old\r\n[Other]\r\nX=1\r\n[Support Information]\r\n"
                     "Line1=a\r\nLine2=b\r\nLine3=c\r\nLine4=d\r\n");
    main_.Text4(0).SetText("  風車 工房");
    main_.Text4(1).SetText("KZ-2000  ");
    main_.Text1(0).SetText("山田 太郎");
    main_.Text1(1).SetText("風車工房");
    main_.Text1(2).SetText("12345-OEM-0000001-00001");
    main_.C("Text6").SetText("カザグルマ CPU 1GHz");
    Support("A\r\n  B  \r\n\r\nサポート窓口　０１２０\r\n" + std::string(130, 'x'));
    Import();
    Click(main_.C("Command5"));  // fit
    EXPECT_EQ(main_.Panel(2), "画像　　　　　　動");
    EXPECT_EQ(test::StatusText(main_, 2), "画像　　　　　　動");
    EXPECT_EQ(test::StatusText(main_, 3), "中央　　　　　　止");

    bool mainDisabledInside = false;
    OpenConfirmation([&](Form& f) {
        mainDisabledInside = !IsWindowEnabled(main_.hwnd());
        EXPECT_EQ(main_.Panel(1), kHint);
        Click(f.C("Option1"));
        EXPECT_EQ(main_.Panel(1), "メーカー画像の場合256色のほうがいいです。");
        Click(f.C("Command1"));
        EXPECT_FALSE(f.Loaded());
    });
    EXPECT_TRUE(mainDisabledInside);
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_EQ(test::StatusText(main_, 1), kSuccess);
    EXPECT_TRUE(dialogs_.messages.empty());

    EXPECT_EQ(Info(), test::Sjis("[General]\r\n"
                                 "Manufacturer=\"  風車 工房\"\r\n"
                                 "Model=\"KZ-2000  \"\r\n"
                                 "[Support Information]\r\n"
                                 "Line1=\"A\"\r\n"
                                 "Line2=\"  B\"\r\n"
                                 "Line3=\"\"\r\n"
                                 "Line4=\"サポート窓口　０１２０\"\r\n"
                                 "Line5=\"" + std::string(128, 'x') + "\"\r\n"));

    EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOwner), test::Sjis("山田 太郎") + '\0');
    EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOrganization), test::Sjis("風車工房") + '\0');
    EXPECT_EQ(Reg(kVersionKey, places::kProductId), std::string("12345-OEM-0000001-00001") + '\0');
    for (const char* v : {places::kRegisteredOwner, places::kRegisteredOrganization, places::kProductId}) {
        EXPECT_EQ(platform::RegReadRaw(Root::LocalMachine, kVersionKey, v).type, unsigned(REG_SZ)) << v;
        EXPECT_EQ(Reg(kOtherVersionKey, v), std::string("other family") + '\0') << v;
    }
    EXPECT_EQ(Reg(kCpuKey, places::kProcessorName),
              kNt ? test::Sjis("カザグルマ CPU 1GHz") + '\0' : std::string("old cpu") + '\0');

    std::string bmp = Logo();
    ASSERT_EQ(bmp.size(), 23550u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32(bmp, 2), 23550u);
    EXPECT_EQ(U32(bmp, 10), 1078u);
    EXPECT_EQ(I32(bmp, 18), 210);
    EXPECT_EQ(I32(bmp, 22), 106);
    EXPECT_EQ(U16(bmp, 28), 8u);
    // The stretched picture: red on the left, blue on the right, in every row.
    EXPECT_EQ(static_cast<unsigned char>(bmp[1078]), 224);
    EXPECT_EQ(static_cast<unsigned char>(bmp[1078 + 209]), 3);
    EXPECT_EQ(static_cast<unsigned char>(bmp[23550 - 212]), 224);
    EXPECT_EQ(static_cast<unsigned char>(bmp[23550 - 3]), 3);

    // The main window is usable again and its fields are as they were; a second apply works.
    EXPECT_TRUE(IsWindowEnabled(main_.hwnd()));
    EXPECT_EQ(main_.Text4(0).Text(), "  風車 工房");
    EXPECT_FALSE(main_.Picture1().pictureBox()->Border());
    main_.SetPanel(1, "");
    ApplyWith("Option1");
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_EQ(Logo().size(), 23550u);
}

// The confirmation's keys: Escape is its キャンセル and writes nothing, Enter its 実行.
TEST_F(Apply, EscapeCancelsWithoutWritingAndEnterApplies) {
    test::WriteBytes(test::InfoIn(system_), "[General]\r\nManufacturer=Old\r\n");
    Import();
    for (const char* control : {"Option1", "Command1", "Command2"}) {
        SCOPED_TRACE(control);
        OpenConfirmation([&](Form& f) {
            SetFocus(f.C(control).hwnd());
            test::PressKey(f.C(control).hwnd(), VK_ESCAPE);
            EXPECT_FALSE(f.Loaded());
        });
        EXPECT_EQ(test::StatusText(main_, 1), "実行はキャンセルされました。");
        EXPECT_EQ(Info(), "[General]\r\nManufacturer=Old\r\n");
        EXPECT_FALSE(Exists(test::AppliedLogoIn(system_)));
        EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOwner), std::string("old") + '\0');
    }
    OpenConfirmation([&](Form& f) {
        SetFocus(f.C("Option1").hwnd());
        test::PressKey(f.C("Option1").hwnd(), VK_RETURN);
        EXPECT_FALSE(f.Loaded());
    });
    EXPECT_EQ(test::StatusText(main_, 1), kSuccess);
    EXPECT_TRUE(Exists(test::AppliedLogoIn(system_)));
}

TEST_F(Apply, BorderedFrameGives210By106In256Colours) {
    Import();  // plain: the frame keeps its border
    ASSERT_TRUE(main_.Picture1().pictureBox()->Border());
    ApplyWith("Option1");
    EXPECT_EQ(main_.Panel(1), kSuccess);
    std::string bmp = Logo();
    ASSERT_EQ(bmp.size(), 23550u);
    EXPECT_EQ(I32(bmp, 18), 210);
    EXPECT_EQ(I32(bmp, 22), 106);
    // Top-left of the frame holds the picture's red, bottom-right the grey background.
    EXPECT_EQ(static_cast<unsigned char>(bmp[23550 - 212]), 224);
    EXPECT_EQ(static_cast<unsigned char>(bmp[1078 + 209]), 219);
    EXPECT_FALSE(main_.Picture1().pictureBox()->Border());
}

TEST_F(Apply, FullColourInCentreModeIsThePicturesOwnSize) {
    Import();
    Click(main_.C("Command6"));  // centre
    EXPECT_EQ(main_.Panel(3), "中央　　　　　　動");
    OpenConfirmation([&](Form& f) {
        EXPECT_TRUE(f.C("Option2").Checked());
        Click(f.C("Command1"));  // the default, full colour
    });
    EXPECT_EQ(main_.Panel(1), kSuccess);
    std::string bmp = Logo();
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(I32(bmp, 18), 60);
    EXPECT_EQ(std::abs(I32(bmp, 22)), 40);
    EXPECT_EQ(U16(bmp, 28), 24u);
    EXPECT_EQ(U32(bmp, 30), 0u);
    EXPECT_EQ(bmp.size(), U32(bmp, 10) + 40u * 60 * 3);
    // Red on the left, blue on the right: the picture itself, without the frame's border.
    size_t px = U32(bmp, 10);
    EXPECT_EQ(bmp.substr(px, 3), std::string("\x00\x00\xff", 3));
    EXPECT_EQ(bmp.substr(px + 59 * 3, 3), std::string("\xff\x00\x00", 3));
}

TEST_F(Apply, EmptyEditorAndEmptyFieldsAreWrittenAsEmptyTexts) {
    main_.Text4(0).SetText("");
    main_.Text4(1).SetText("");
    for (int i = 0; i < 3; ++i) main_.Text1(i).SetText("");
    main_.C("Text6").SetText("");
    ASSERT_EQ(main_.ExistingWindow<Form2>(), nullptr);  // the editor was never opened
    ApplyWith("Option2");
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_EQ(Info(), "[General]\r\nManufacturer=\"\"\r\nModel=\"\"\r\n[Support Information]\r\nLine1=\"\"\r\n");
    for (const char* v : {places::kRegisteredOwner, places::kRegisteredOrganization, places::kProductId}) {
        platform::RegValue r = platform::RegReadRaw(Root::LocalMachine, kVersionKey, v);
        EXPECT_TRUE(r.exists) << v;
        EXPECT_EQ(r.type, unsigned(REG_SZ)) << v;
        EXPECT_EQ(r.bytes, std::string(1, '\0')) << v;
    }
    EXPECT_EQ(Reg(kCpuKey, places::kProcessorName), kNt ? std::string(1, '\0') : std::string("old cpu") + '\0');
}

TEST_F(Apply, MissingSystemFolderIsReportedAndTheRegistryStillWritten) {
    main_.Labe = Variant::Text(system_ + "\\missing");
    main_.Text1(0).SetText("owner");
    Import();
    Click(main_.C("Command5"));
    for (const char* option : {"Option1", "Option2"}) {
        main_.SetPanel(1, "");
        ApplyWith(option);
        EXPECT_EQ(main_.Panel(1), "oeminfo.ini（エラー 3）、ロゴ画像 OEMLOGO.BMP（エラー 3）を書き込めませんでした。") << option;
    }
    // Only the 256-colour writer tells of its own failure.
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].title, "ビットマップ書き込みエラー");
    EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOwner), std::string("owner") + '\0');
    EXPECT_EQ(Reg(kCpuKey, places::kProcessorName), kNt ? main_.C("Text6").Text() + '\0' : "old cpu" + std::string(1, '\0'));
    ASSERT_NE(main_.ExistingWindow<Form5>(), nullptr);
    EXPECT_FALSE(main_.ExistingWindow<Form5>()->Loaded());
}

TEST_F(Apply, UnknownSystemFolderWritesNoFileAnywhere) {
    // Without a system folder the two files would be named from the root of the current drive.
    const std::string cwd = test::ScratchFolder("cwd" + std::to_string(GetCurrentProcessId()));
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
    main_.Labe = Variant();
    main_.Text1(0).SetText("owner");
    Import();
    for (const char* option : {"Option1", "Option2"}) {
        main_.SetPanel(1, "");
        ApplyWith(option);
        EXPECT_EQ(main_.Panel(1), "oeminfo.ini（エラー 3）、ロゴ画像 OEMLOGO.BMP（エラー 3）を書き込めませんでした。") << option;
        for (const std::string& name : {test::InfoIn("C:"), test::AppliedLogoIn("C:"), test::InfoIn(cwd),
                                         test::AppliedLogoIn(cwd)}) {
            EXPECT_FALSE(Exists(name)) << option << " " << name;
            DeleteFileA(name.c_str());
        }
    }
    SetCurrentDirectoryA(before);
    test::RemoveTree(cwd);
    EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOwner), std::string("owner") + '\0');
}

TEST_F(Apply, RefusedRegistryWriteIsReportedAndTheOtherStepsStillRun) {
    std::vector<std::string> attempts;
    platform::SetWriteRefusalForTesting([&](Root, std::string_view key, std::string_view value) {
        attempts.push_back(std::string(value));
        return key == kVersionKey;
    });
    main_.C("Text6").SetText("new cpu");
    Support("line");
    Import();
    Click(main_.C("Command5"));
    ApplyWith("Option1");
    EXPECT_EQ(main_.Panel(1), "管理者権限がないため登録情報を書き込めませんでした。");
    std::vector<std::string> expected = {places::kRegisteredOwner, places::kRegisteredOrganization, places::kProductId};
    if (kNt) expected.push_back(places::kProcessorName);
    EXPECT_EQ(attempts, expected);
    EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOwner), std::string("old") + '\0');
    EXPECT_EQ(Reg(kCpuKey, places::kProcessorName), std::string(kNt ? "new cpu" : "old cpu") + '\0');
    EXPECT_NE(Info().find("Line1=\"line\""), std::string::npos);
    EXPECT_EQ(Logo().size(), 23550u);
}

TEST_F(Apply, EverythingRefusedForLackOfRightsSaysSo) {
    // Targets the system refuses to replace (folders in their place), and a registry that
    // refuses every write.
    for (const std::string& name : {test::InfoIn(system_), test::AppliedLogoIn(system_)})
        CreateDirectoryA(name.c_str(), nullptr);
    platform::SetWriteRefusalForTesting([](Root, std::string_view, std::string_view) { return true; });
    Import();
    Click(main_.C("Command5"));
    const std::string expected = std::string("管理者権限がないためoeminfo.ini、登録情報、") +
                                 (kNt ? "プロセッサ名、" : "") + "ロゴ画像を書き込めませんでした。";
    for (const char* option : {"Option2", "Option1"}) {
        main_.SetPanel(1, "");
        ApplyWith(option);
        EXPECT_EQ(main_.Panel(1), expected) << option;
    }
    ASSERT_EQ(dialogs_.messages.size(), 1u);  // the 256-colour writer's own box
    EXPECT_EQ(dialogs_.messages[0].text, platform::LastErrorText(ERROR_ACCESS_DENIED));
    // The folders are still there, and nothing was left beside them.
    EXPECT_EQ(Files(), (std::vector<std::string>{"OEMLOGO.BMP", "oeminfo.ini"}));
    EXPECT_TRUE(platform::FolderExists(system_ + "\\oeminfo.ini"));
}

// The new files are made whole beside the installed ones and only then take their names: when
// that last step fails, the installed files are as they were and nothing is left beside them.
TEST_F(Apply, NewFilesThatCannotBePutInPlaceLeaveTheInstalledOnes) {
    const std::string info = "[General]\r\nManufacturer=\"Maker\"\r\n";
    const std::string logo = std::string("BM\0\0installed", 13);
    test::WriteBytes(system_ + "\\oeminfo.ini", info);
    test::WriteBytes(system_ + "\\OEMLOGO.BMP", logo);
    Import();
    Click(main_.C("Command5"));
    platform::SetRenameForTesting([](const std::string&, const std::string&, bool) {
        return platform::Outcome::Failed(ERROR_SHARING_VIOLATION);
    });
    for (const char* option : {"Option2", "Option1"}) {
        main_.SetPanel(1, "");
        ApplyWith(option);
        EXPECT_EQ(main_.Panel(1), "oeminfo.ini（エラー 32）、ロゴ画像 OEMLOGO.BMP（エラー 32）を書き込めませんでした。") << option;
        EXPECT_EQ(Info(), info);
        EXPECT_EQ(Logo(), logo);
        EXPECT_EQ(Files(), (std::vector<std::string>{"OEMLOGO.BMP", "oeminfo.ini"}));
    }
    ASSERT_EQ(dialogs_.messages.size(), 1u);  // the 256-colour writer's own box
    EXPECT_EQ(dialogs_.messages[0].text, platform::LastErrorText(ERROR_SHARING_VIOLATION));

    platform::SetRenameForTesting(nullptr);
    ApplyWith("Option1");
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_EQ(Info().substr(0, 24), "[General]\r\nManufacturer=");
    EXPECT_EQ(Logo().size(), 23550u);
    EXPECT_EQ(Files(), (std::vector<std::string>{"OEMLOGO.BMP", "oeminfo.ini"}));
}

// A value start-up found but could not read shows as an empty field; Apply leaves it as it is
// unless the user typed into that field. An absent value is written as usual.
TEST_F(Apply, ValuesStartUpCouldNotReadAreKeptUnlessTyped) {
    const std::string longOwner(1500, 'o'), longId(1500, 'i'), longCpu(1100, 'c');
    test::SetText(Root::LocalMachine, kVersionKey, "RegisteredOwner", longOwner);
    test::DeleteValue(Root::LocalMachine, kVersionKey, "RegisteredOrganization");
    test::SetText(Root::LocalMachine, kVersionKey, "ProductId", longId);
    test::SetText(Root::LocalMachine, kCpuKey, "ProcessorNameString", longCpu);
    main_.Unload();
    main_.Load();  // start-up again, over these values
    main_.Labe = Variant::Text(system_);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(main_.Text1(i).Text(), "") << i;
    // The user types into the product ID field only.
    for (char c : std::string("NEW")) SendMessageA(main_.Text1(2).hwnd(), WM_CHAR, c, 0);
    ASSERT_EQ(main_.Text1(2).Text(), "NEW");
    ApplyWith("Option2");
    EXPECT_EQ(main_.Panel(1), kSuccess);
    EXPECT_EQ(Reg(kVersionKey, "RegisteredOwner"), longOwner + '\0');
    EXPECT_EQ(Reg(kVersionKey, "RegisteredOrganization"), std::string(1, '\0'));
    EXPECT_EQ(Reg(kVersionKey, "ProductId"), std::string("NEW") + '\0');
    EXPECT_EQ(Reg(kCpuKey, "ProcessorNameString"), longCpu + '\0');
}

TEST_F(Apply, CancelOrCloseWritesNothing) {
    // Cancel right after opening.
    OpenConfirmation([&](Form& f) { Click(f.C("Command2")); });
    EXPECT_EQ(main_.Panel(1), "実行はキャンセルされました。");
    // The close box: nothing written, panel 1 keeps the hint.
    OpenConfirmation([&](Form& f) {
        Click(f.C("Option1"));
        SendMessageA(f.hwnd(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(main_.Panel(1), "メーカー画像の場合256色のほうがいいです。");
    EXPECT_FALSE(Exists(test::InfoIn(system_)));
    EXPECT_FALSE(Exists(test::AppliedLogoIn(system_)));
    EXPECT_EQ(Reg(kVersionKey, places::kRegisteredOwner), std::string("old") + '\0');
    EXPECT_EQ(Reg(kCpuKey, places::kProcessorName), std::string("old cpu") + '\0');
}

TEST_F(Apply, EveryOpeningStartsWithFullColourAndTheWarning) {
    OpenConfirmation([&](Form& f) {
        EXPECT_EQ(f.Caption(), "最終確認");
        EXPECT_TRUE(f.C("Option2").Checked());
        EXPECT_FALSE(f.C("Option1").Checked());
        EXPECT_EQ(f.C("Label1").fore(), RGB(192, 0, 0));
        EXPECT_EQ(f.C("Frame2").Caption(), "ロゴを何色で出力するか選んでください");
        RECT r{}, m{};
        GetWindowRect(f.hwnd(), &r);
        GetWindowRect(main_.hwnd(), &m);
        EXPECT_NEAR((r.left + r.right) / 2, (m.left + m.right) / 2, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, (m.top + m.bottom) / 2, 1);
        // Tab order: 実行, then キャンセル.
        EXPECT_EQ(GetNextDlgTabItem(f.hwnd(), nullptr, FALSE), f.C("Command1").hwnd());
        EXPECT_EQ(GetNextDlgTabItem(f.hwnd(), f.C("Command1").hwnd(), FALSE), f.C("Command2").hwnd());
        // One group: choosing one option clears the other.
        Click(f.C("Option1"));
        EXPECT_FALSE(f.C("Option2").Checked());
        Click(f.C("Option2"));
        EXPECT_FALSE(f.C("Option1").Checked());
        EXPECT_EQ(main_.Panel(1), "オリジナル画像の場合フルカラーのほうがいいです。");
        Click(f.C("Option1"));
        SendMessageA(f.hwnd(), WM_CLOSE, 0, 0);
    });
    OpenConfirmation([&](Form& f) {
        EXPECT_TRUE(f.C("Option2").Checked());
        EXPECT_FALSE(f.C("Option1").Checked());
        Click(f.C("Command2"));
    });
}

// A refusal is told as one, with its reason, wherever rows are told; a write that failed with
// code 13 (ERROR_INVALID_DATA) is a failure like any other, named with its place and code.
TEST(StepRows, ARefusalAndAFailureWithCode13AreToldApart) {
    const std::string oem = "メーカー情報（OEMInformation）";
    const std::string reason = "サポート Web サイトは http:// か https:// で始まるアドレスを入力してください。";
    const platform::Step refusal = platform::Step::Refusal(oem, reason);
    const platform::Step failed{oem, "SupportPhone", platform::Outcome::Failed(ERROR_INVALID_DATA)};

    EXPECT_EQ(apply::ApplyResultText({refusal}), reason + "（電話番号、サポート時間、サポート Web サイト、サポート提供元、サポート アプリ、下取り Web サイト、リサイクル Web サイトは書き込んでいません。）");
    EXPECT_EQ(apply::ApplyResultText({failed}), oem + " SupportPhone（エラー 13）を書き込めませんでした。");
    EXPECT_EQ(FailedRows({refusal, failed}), oem + "（" + reason + "）、" + oem + " SupportPhone（エラー 13）");
    // /log
    EXPECT_EQ(RowText(refusal, Naming::Log), oem + ": 書き込みませんでした (" + reason + ")");
    const std::string line = RowText(failed, Naming::Log);
    EXPECT_EQ(line.rfind(oem + " SupportPhone: 失敗 (エラー 13", 0), 0u) << line;
}

}  // namespace
}  // namespace kaza

// Safety copies: what each command that writes the system keeps before writing, going back to
// a kept state through its window, how many are kept, and what happens when one cannot be kept
// or a write fails. Run as the 9x family, where all four writing commands can be opened.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/form1.h"
#include "apply/plan.h"
#include "backup/backup.h"
#include "backup/form6.h"
#include "backup/form9.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "support/kaza_test.h"
#include "tweaks/form7.h"
#include "tweaks/form8.h"

namespace kaza {
namespace {

using backup::FileState;
using backup::SafetyCopy;
using backup::SavedValue;
using platform::RegValue;
using platform::Root;
using ui::Form;

const char* kVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* kCpuKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\SYSTEM";
const char* kAskText = "変更前の状態を保存できませんでした。このまま続けますか？";

void Press(Form& f, const char* button) { SendMessageA(f.C(button).hwnd(), BM_CLICK, 0, 0); }

RegValue Raw(unsigned long type, const std::string& bytes) {
    RegValue v;
    v.exists = true;
    v.type = type;
    v.bytes = bytes;
    return v;
}

// Everything the program can change on this machine, as it stands: files byte for byte (or
// absent), values with type and bytes (or absent).
struct State {
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> values;
    bool operator==(const State& o) const { return files == o.files && values == o.values; }
    bool operator!=(const State& o) const { return !(*this == o); }
};

class Safety : public ::testing::Test {
protected:
    void SetUp() override {
        system_ = test::ScratchFolder("safety-sys");
        test::WriteBytes(Sys("oemlogo.bmp"), kFirstLogo);
        test::WriteBytes(Sys("oeminfo.ini"), kFirstInfo);
        // "ソ" ends in the byte of a backslash: the registry file must keep it whole.
        test::SetText(Root::LocalMachine, kVersionKey, "RegisteredOwner", "ソフト 太郎");
        test::DeleteValue(Root::LocalMachine, kVersionKey, "RegisteredOrganization");
        ASSERT_TRUE(platform::RegWriteRaw(Root::LocalMachine, kVersionKey, "ProductId", REG_BINARY, "\x01\x00\x5c\"", 4));
        savedVendor_ = platform::RegReadRaw(Root::LocalMachine, kCpuKey, "VendorIdentifier");
        test::SetText(Root::LocalMachine, kCpuKey, "VendorIdentifier", "GenuineIntel");
        test::DeleteKeyTree(Root::CurrentUser, kPolicies);
        ASSERT_TRUE(platform::RegWriteRaw(Root::CurrentUser, kPolicies, "NODEVMGRPAGE", REG_DWORD, "1", 1));
        main_.Load();
        main_.Labe = Variant::Text(system_);
        main_.Show();
    }
    void TearDown() override {
        platform::SetWriteRefusalForTesting(nullptr);
        Form::SetModalHook(nullptr);
        main_.Unload();
        if (savedVendor_.exists) {
            EXPECT_TRUE(platform::RegWriteRaw(Root::LocalMachine, kCpuKey, "VendorIdentifier", savedVendor_.type,
                                              savedVendor_.bytes.data(),
                                              static_cast<unsigned long>(savedVendor_.bytes.size())));
        }
        test::DeleteKeyTree(Root::CurrentUser, kPolicies);
        test::RemoveTree(system_);
    }

    std::string Sys(const char* name) const { return system_ + "\\" + name; }

    State Now() const {
        State s;
        for (const char* f : {"oemlogo.bmp", "oeminfo.ini"})
            s.files[f] = platform::FileExists(Sys(f)) ? test::ReadBytes(Sys(f)) : "<absent>";
        backup::Targets all = backup::EverythingWritten(const_cast<Form1&>(main_));
        for (const backup::ValuePlace& p : all.values) {
            RegValue v = platform::RegReadRaw(p.root, p.key, p.name);
            s.values[p.name] = v.exists ? std::to_string(v.type) + ":" + v.bytes : "<absent>";
        }
        return s;
    }
    // A kept copy, as what putting it back would make of the machine (unheld parts as now).
    static State Held(const SafetyCopy& c, State base) {
        auto file = [&](FileState st, const char* name) {
            if (st == FileState::Present) base.files[name] = test::ReadBytes(c.folder + "\\" + name);
            if (st == FileState::Absent) base.files[name] = "<absent>";
        };
        file(c.StateOf("oemlogo.bmp"), "oemlogo.bmp");
        file(c.StateOf("oeminfo.ini"), "oeminfo.ini");
        for (const SavedValue& v : c.values)
            base.values[v.place.name] =
                v.value.exists ? std::to_string(v.value.type) + ":" + v.value.bytes : "<absent>";
        return base;
    }
    static std::vector<std::string> Names(const SafetyCopy& c) {
        std::vector<std::string> n;
        if (c.StateOf("oemlogo.bmp") != FileState::NotHeld) n.push_back("oemlogo.bmp");
        if (c.StateOf("oeminfo.ini") != FileState::NotHeld) n.push_back("oeminfo.ini");
        for (const SavedValue& v : c.values) n.push_back(v.place.name);
        return n;
    }

    // The four commands, each driven through its window as the user drives it.
    void RunApply(const std::string& owner) {
        main_.Text1(0).SetText(owner);
        main_.Text1(1).SetText("組織 " + owner);
        Form::SetModalHook([&](Form& f) { Press(f, "Command1"); });
        Press(main_, "Command4");
    }
    void RunRestrictions(bool tick) {
        SendMessageA(main_.hwnd(), WM_COMMAND, main_.Menu("AKUKIN").id(), 0);
        Form7& w = main_.Window<Form7>();
        for (int i = 0; i < 4; ++i) w.Check1(i).SetChecked(tick);
        Press(w, "Command1");
    }
    void RunVendor() {
        Form::SetModalHook([&](Form& f) { Press(f, "Command1"); });
        SendMessageA(main_.hwnd(), WM_COMMAND, main_.Menu("CPU").id(), 0);
    }
    void RunRestore(const std::string& logo, const std::string& info) {
        Form::SetModalHook([&](Form& f) {
            auto& w = dynamic_cast<Form6&>(f);
            w.Text1().SetText(logo);
            w.Text2().SetText(info);
            Press(w, "Command1");
        });
        SendMessageA(main_.hwnd(), WM_COMMAND, main_.Menu("moto").id(), 0);
    }
    // Opens the going-back window and acts in it.
    void Back(const std::function<void(Form9&)>& inside) {
        bool ran = false;
        Form::SetModalHook([&](Form& f) {
            ran = true;
            inside(dynamic_cast<Form9&>(f));
        });
        SendMessageA(main_.hwnd(), WM_COMMAND, main_.Menu("HENKOUMAE").id(), 0);
        EXPECT_TRUE(ran);
    }
    // Goes back to the copy with the given number.
    void BackTo(long number) {
        Back([&](Form9& w) {
            for (size_t i = 0; i < w.Copies().size(); ++i)
                if (w.Copies()[i].number == number) w.List1().SetListIndex(static_cast<int>(i));
            Press(w, "Command1");
        });
    }
    // Makes keeping a copy impossible: a file where the copies' folder belongs.
    void BlockSafetyFolder() { test::WriteBytes(backup::SafetyFolder(), "in the way"); }

    const std::string kFirstLogo = std::string("BM\x10\x00\x00\x00\x5c\x00", 8) + "first-logo";
    const std::string kFirstInfo = "[General]\r\nManufacturer=\"" + test::Sjis("風車工房") + "\"\r\n";
    test::ProgramFolder program_;
    test::ScriptedDialogs dialogs_;
    Form1 main_;
    std::string system_;
    RegValue savedVendor_;
};

TEST_F(Safety, EachWritingCommandFirstKeepsExactlyWhatItReplaces) {
    const State before = Now();
    RunApply("一回目");
    ASSERT_NE(Now(), before);  // the apply wrote, so the copy below is the state before it

    // The first copy holds the whole state the program can change, not only the apply's part.
    std::vector<SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(copies[0].original);
    EXPECT_EQ(copies[0].command, "実行");
    EXPECT_EQ(Held(copies[0], Now()), before);
    EXPECT_EQ(copies[0].values.size(), 8u);  // three registration values, the vendor, four policies
    for (const SavedValue& v : copies[0].values)
        EXPECT_EQ(v.value.exists, v.place.name != "RegisteredOrganization" && v.place.name != "NOCONFIGPAGE" &&
                                      v.place.name != "NOFILESYSPAGE" && v.place.name != "NOVIRTMEMPAGE")
            << v.place.name;

    // Later copies hold what their command replaces, and only that.
    State s = Now();
    RunApply("二回目");
    copies = backup::ListSafetyCopies();
    EXPECT_FALSE(copies[0].original);
    EXPECT_EQ(Held(copies[0], Now()), s);
    EXPECT_EQ(Names(copies[0]), (std::vector<std::string>{"oemlogo.bmp", "oeminfo.ini", "RegisteredOwner",
                                                           "RegisteredOrganization", "ProductId"}));

    s = Now();
    RunRestrictions(true);
    copies = backup::ListSafetyCopies();
    EXPECT_EQ(copies[0].command, "アクセス制限");
    EXPECT_EQ(Names(copies[0]),
              (std::vector<std::string>{"NODEVMGRPAGE", "NOCONFIGPAGE", "NOFILESYSPAGE", "NOVIRTMEMPAGE"}));
    EXPECT_EQ(Held(copies[0], Now()), s);

    s = Now();
    RunVendor();
    copies = backup::ListSafetyCopies();
    EXPECT_EQ(copies[0].command, "CPUファミリーネームの表示");
    EXPECT_EQ(Names(copies[0]), std::vector<std::string>{"VendorIdentifier"});
    EXPECT_EQ(Held(copies[0], Now()), s);

    // A restore of the bitmap alone keeps only the bitmap.
    const std::string other = system_ + "\\..\\other.bmp";
    test::WriteBytes(other, "BMother");
    s = Now();
    RunRestore(other, "");
    copies = backup::ListSafetyCopies();
    EXPECT_EQ(copies[0].command, "バックアップを元に戻す");
    EXPECT_EQ(Names(copies[0]), std::vector<std::string>{"oemlogo.bmp"});
    EXPECT_EQ(Held(copies[0], Now()), s);

    // Newest first, numbered in order, only the first one original.
    ASSERT_EQ(copies.size(), 5u);
    for (size_t i = 0; i < copies.size(); ++i) {
        EXPECT_EQ(copies[i].number, static_cast<long>(5 - i));
        EXPECT_EQ(copies[i].original, i == 4);
    }
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(Safety, GoingBackPutsEverythingBackExactlyAndCanItselfBeUndone) {
    ASSERT_TRUE(platform::RemoveFile(Sys("oeminfo.ini")));  // absent at first: going back must remove it
    const State original = Now();
    RunApply("一回目");
    RunRestrictions(false);
    const State afterFirst = Now();
    test::WriteBytes(system_ + "\\..\\second.bmp", "BMsecond-logo");
    RunApply("二回目");
    RunRestore(system_ + "\\..\\second.bmp", "");
    const State latest = Now();
    ASSERT_NE(latest, afterFirst);

    // To the copy made before the second apply: that apply's part goes back, the rest stays.
    BackTo(3);
    State expected = latest;
    for (const char* f : {"oemlogo.bmp", "oeminfo.ini"}) expected.files[f] = afterFirst.files.at(f);
    for (const char* v : {"RegisteredOwner", "RegisteredOrganization", "ProductId"})
        expected.values[v] = afterFirst.values.at(v);
    EXPECT_EQ(Now(), expected);
    EXPECT_NE(main_.Panel(1).find("「実行」の前）の状態に戻しました。"), std::string::npos) << main_.Panel(1);
    EXPECT_EQ(main_.Text1(0).Text(), "一回目");  // the fields show what the system now holds

    // To the original state: the information file that was absent is removed again, the
    // organisation value deleted, every byte and type as it was.
    BackTo(1);
    EXPECT_EQ(Now(), original);
    EXPECT_FALSE(platform::FileExists(Sys("oeminfo.ini")));
    EXPECT_FALSE(platform::RegReadRaw(Root::LocalMachine, kVersionKey, "RegisteredOrganization").exists);
    EXPECT_EQ(platform::RegReadRaw(Root::CurrentUser, kPolicies, "NODEVMGRPAGE").bytes, "1");
    EXPECT_EQ(main_.C("Label4").Caption(), "");
    EXPECT_TRUE(main_.C("Line1").Visible());
    EXPECT_EQ(main_.Panel(1).rfind("最初の状態（", 0), 0u) << main_.Panel(1);

    // Each going back kept the state it replaced: going back to that copy undoes it.
    std::vector<SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 6u);
    EXPECT_EQ(copies[0].command, "変更前の状態に戻す");
    BackTo(copies[0].number);
    EXPECT_EQ(Now(), expected);
    BackTo(copies[1].number);
    EXPECT_EQ(Now(), latest);
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(Safety, TheWindowListsNewestFirstAndTellsWhatEachHolds) {
    Back([&](Form9& w) {
        EXPECT_EQ(w.Caption(), "変更前の状態に戻す");
        EXPECT_EQ(w.List1().ListCount(), 0);
        EXPECT_FALSE(w.C("Command1").Enabled());
        Press(w, "Command2");
    });
    RunApply("一回目");
    RunVendor();
    Back([&](Form9& w) {
        ASSERT_EQ(w.List1().ListCount(), 2);
        EXPECT_NE(w.List1().ListItem(0).find("「CPUファミリーネームの表示」の前"), std::string::npos);
        EXPECT_NE(w.List1().ListItem(1).find("（最初の状態）"), std::string::npos);
        EXPECT_EQ(w.List1().ListIndex(), 0);
        EXPECT_NE(w.C("Label1").Caption().find("VendorIdentifier＝「GenuineIntel」"), std::string::npos)
            << w.C("Label1").Caption();
        w.List1().SetListIndex(1);
        w.Raise("List1", -1, ui::Event::Click);
        const std::string held = w.C("Label1").Caption();
        EXPECT_NE(held.find("oemlogo.bmp：18バイト"), std::string::npos) << held;
        EXPECT_NE(held.find("RegisteredOrganization＝なし"), std::string::npos) << held;
        Press(w, "Command2");  // closes and puts nothing back
    });
    EXPECT_EQ(backup::ListSafetyCopies().size(), 2u);
    EXPECT_EQ(main_.Panel(1), "カザグルマが変更する前の状態に戻せます。");

    // The entry sits right after the restore entry of the file menu.
    HMENU file = GetSubMenu(GetMenu(main_.hwnd()), 0);
    int at = -1;
    for (int i = 0; i < GetMenuItemCount(file); ++i)
        if (GetMenuItemID(file, i) == main_.Menu("moto").id()) at = i;
    ASSERT_GE(at, 0);
    EXPECT_EQ(GetMenuItemID(file, at + 1), main_.Menu("HENKOUMAE").id());
}

TEST_F(Safety, TheFirstCopyIsKeptForGoodAndOfTheOthersTheNewestTwenty) {
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(backup::KeepBeforeWriting(main_, main_.hwnd(), backup::VendorTargets(main_), "試験"));
    std::vector<SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 21u);
    EXPECT_EQ(copies.back().number, 1);
    EXPECT_TRUE(copies.back().original);
    EXPECT_EQ(copies.front().number, 25);
    EXPECT_EQ(copies[19].number, 6);
    // Nothing of the removed ones is left behind, and the kept ones are whole.
    EXPECT_EQ(platform::SubFolders(backup::SafetyFolder()).size(), 21u);
    EXPECT_EQ(test::ReadBytes(copies.back().folder + "\\oemlogo.bmp"), kFirstLogo);
}

TEST_F(Safety, WhenNoCopyCanBeKeptEachCommandAsksAndNoWritesNothing) {
    BlockSafetyFolder();
    const State before = Now();
    const std::string other = system_ + "\\..\\other.bmp";
    test::WriteBytes(other, "BMother");
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"実行", [&] { RunApply("書かれない"); }},
        {"アクセス制限", [&] { RunRestrictions(true); }},
        {"CPU", [&] { RunVendor(); }},
        {"元に戻す", [&] { RunRestore(other, other); }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        dialogs_.messages.clear();
        dialogs_.messageAnswers = {IDNO};
        run();
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        EXPECT_EQ(dialogs_.messages[0].text, kAskText);
        EXPECT_EQ(dialogs_.messages[0].style, unsigned(MB_YESNO | MB_ICONEXCLAMATION));
        EXPECT_EQ(Now(), before);
        EXPECT_EQ(main_.Panel(1), backup::kNothingWritten);
    }
    EXPECT_EQ(main_.STEPPP.AsText(), "GenuineIntel");  // the vendor window did not follow a write

    // Yes goes on without a copy.
    dialogs_.messageAnswers = {IDYES};
    RunApply("書かれる");
    EXPECT_EQ(platform::RegReadText(Root::LocalMachine, kVersionKey, "RegisteredOwner"), "書かれる");
    EXPECT_TRUE(backup::ListSafetyCopies().empty());
}

// A value that is there but cannot be read is not known to be absent: keeping it as absent would
// have going back delete it. So no copy can be made, and the command asks.
TEST_F(Safety, AValueThatCannotBeReadIsNoAbsentValue) {
    // Everyone may do anything with the key, or the same but reading it.
    auto setDacl = [](bool denyReading) {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
        alignas(8) BYTE acl[256];
        ASSERT_TRUE(InitializeAcl(reinterpret_cast<PACL>(acl), sizeof acl, ACL_REVISION));
        if (denyReading) AddAccessDeniedAce(reinterpret_cast<PACL>(acl), ACL_REVISION, KEY_READ, everyone);
        AddAccessAllowedAce(reinterpret_cast<PACL>(acl), ACL_REVISION, KEY_ALL_ACCESS, everyone);
        SECURITY_DESCRIPTOR sd{};
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, reinterpret_cast<PACL>(acl), FALSE);
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPolicies, 0, WRITE_DAC, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
        RegCloseKey(key);
        FreeSid(everyone);
    };
    setDacl(true);
    const RegValue denied = platform::RegReadRaw(Root::CurrentUser, kPolicies, "NODEVMGRPAGE");
    setDacl(false);
    if (denied.error != ERROR_ACCESS_DENIED) GTEST_SKIP() << "this Wine does not refuse reading a key";

    setDacl(true);
    dialogs_.messageAnswers = {IDNO};
    RunRestrictions(false);
    setDacl(false);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text, kAskText);
    EXPECT_TRUE(backup::ListSafetyCopies().empty());
    EXPECT_EQ(platform::SubFolders(backup::SafetyFolder()).size(), 0u);  // nothing half-made left
    EXPECT_EQ(platform::RegReadRaw(Root::CurrentUser, kPolicies, "NODEVMGRPAGE").bytes, "1");
}

// The writes fail in the ways the system can make them fail; the text names what failed,
// nothing of what was there is lost, and the copy made first is whole.
TEST_F(Safety, InjectedFailuresLoseNothingAndLeaveTheCopyWhole) {
    // A folder where the information file belongs: recorded as no file, the rest written.
    ASSERT_TRUE(platform::RemoveFile(Sys("oeminfo.ini")));
    ASSERT_TRUE(platform::CreateFolder(Sys("oeminfo.ini")));
    const State original = Now();
    RunApply("一回目");
    EXPECT_NE(main_.Panel(1).find("oeminfo.ini"), std::string::npos) << main_.Panel(1);
    std::vector<SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].StateOf("oeminfo.ini"), FileState::Absent);
    EXPECT_EQ(Held(copies[0], Now()), original);

    // A refused registry write: the apply names it, the value keeps what it had.
    platform::SetWriteRefusalForTesting(
        [](Root, std::string_view, std::string_view value) { return value == "RegisteredOwner"; });
    const std::string ownerBefore = platform::RegReadRaw(Root::LocalMachine, kVersionKey, "RegisteredOwner").bytes;
    RunApply("二回目");
    EXPECT_NE(main_.Panel(1).find("登録情報"), std::string::npos) << main_.Panel(1);
    EXPECT_EQ(platform::RegReadRaw(Root::LocalMachine, kVersionKey, "RegisteredOwner").bytes, ownerBefore);

    // Going back while the value is still refused: everything else goes back, the text names
    // the value, and the copy stays as it was for another try.
    BackTo(1);
    EXPECT_NE(main_.Panel(1).find("戻せなかったもの：RegisteredOwner"), std::string::npos) << main_.Panel(1);
    State expected = original;
    expected.values["RegisteredOwner"] = Now().values["RegisteredOwner"];
    EXPECT_EQ(Now(), expected);
    ASSERT_EQ(backup::ListSafetyCopies().back().number, 1);
    EXPECT_EQ(Held(backup::ListSafetyCopies().back(), Now()), original);
    platform::SetWriteRefusalForTesting(nullptr);
    BackTo(1);
    EXPECT_EQ(Now(), original);

    // A missing source: the restore names it and the installed bitmap stays.
    RunRestore(system_ + "\\..\\nowhere.bmp", "");
    EXPECT_NE(main_.Panel(1).find("oemlogo.bmp"), std::string::npos) << main_.Panel(1);
    EXPECT_EQ(test::ReadBytes(Sys("oemlogo.bmp")), kFirstLogo);
    // ... and a kept bitmap removed by hand: going back names it and puts back the rest.
    RunApply("三回目");
    copies = backup::ListSafetyCopies();
    ASSERT_TRUE(platform::RemoveFile(copies[0].folder + "\\oemlogo.bmp"));
    const std::string logoNow = test::ReadBytes(Sys("oemlogo.bmp"));
    BackTo(copies[0].number);
    EXPECT_NE(main_.Panel(1).find("戻せなかったもの：oemlogo.bmp"), std::string::npos) << main_.Panel(1);
    EXPECT_EQ(test::ReadBytes(Sys("oemlogo.bmp")), logoNow);
    EXPECT_EQ(platform::RegReadText(Root::LocalMachine, kVersionKey, "RegisteredOwner"), "ソフト 太郎");
}

// The copies lie beside the program, where any user may change them; the program runs as
// administrator. A copy edited to name anything the program does not write is put back not at all.
TEST_F(Safety, ACopyChangedOutsideTheProgramWritesNothing) {
    const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    test::DeleteValue(Root::LocalMachine, kRun, "Planted");  // left by an earlier run that wrote it
    RunApply("一回目");
    const std::string folder = backup::ListSafetyCopies().back().folder;
    const std::string reg = test::ReadBytes(folder + "\\values.reg"), about = test::ReadBytes(folder + "\\copy.ini");
    const State applied = Now();
    struct Edit {
        const char* file;
        std::string added, named;
    };
    const Edit edits[] = {
        {"values.reg", "[HKEY_LOCAL_MACHINE\\" + std::string(kRun) + "]\r\n\"Planted\"=\"C:\\\\planted.exe\"\r\n", "Run\\Planted"},
        // A kept value's name under another key is another place.
        {"values.reg", "[HKEY_CURRENT_USER\\" + std::string(kVersionKey) + "]\r\n\"RegisteredOwner\"=\"x\"\r\n",
         "HKEY_CURRENT_USER"},
        {"copy.ini", "kernel32.dll=saved\r\n", "kernel32.dll"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.added);
        test::WriteBytes(folder + "\\values.reg", reg + (e.file == std::string("values.reg") ? e.added : ""));
        test::WriteBytes(folder + "\\copy.ini", about + (e.file == std::string("copy.ini") ? e.added : ""));
        Back([&](Form9& w) {
            const std::string said = w.C("Label1").Caption();
            EXPECT_NE(said.find("カザグルマの外で書き換えられているため、戻せません"), std::string::npos) << said;
            EXPECT_NE(said.find(e.named), std::string::npos) << said;
            EXPECT_FALSE(w.C("Command1").Enabled());
            w.Raise("Command1", -1, ui::Event::Click);  // as if the button could still be pressed
        });
        EXPECT_EQ(Now(), applied);
        EXPECT_FALSE(platform::RegReadRaw(Root::LocalMachine, kRun, "Planted").exists);
        EXPECT_NE(main_.Panel(1).find("何も変更しませんでした。"), std::string::npos) << main_.Panel(1);
        EXPECT_EQ(backup::ListSafetyCopies().size(), 1u);  // not even the present state was kept
    }
    // Put back as the program wrote it, the copy goes back again.
    test::WriteBytes(folder + "\\values.reg", reg);
    test::WriteBytes(folder + "\\copy.ini", about);
    BackTo(1);
    EXPECT_EQ(main_.Panel(1).rfind("最初の状態（", 0), 0u) << main_.Panel(1);
}

// The registry file keeps every type and byte, and stays what regedit reads.
TEST(SafetyRegistryFile, EveryValueSurvivesTheTextForm) {
    const std::string key = "SOFTWARE\\Test\\鍵";
    std::vector<SavedValue> values = {
        {{Root::LocalMachine, key, "Plain"}, Raw(REG_SZ, std::string("Taro", 5))},
        {{Root::LocalMachine, key, "Trail \"\\ byte"}, Raw(REG_SZ, test::Sjis("ソフト表示\\\"") + '\0')},
        {{Root::LocalMachine, key, "表示ソ"}, Raw(REG_SZ, test::Sjis("表示ソ") + '\0')},
        {{Root::LocalMachine, key, "Inner NUL"}, Raw(REG_SZ, std::string("a\0b\0", 4))},
        {{Root::LocalMachine, key, "No NUL"}, Raw(REG_SZ, "abc")},
        {{Root::LocalMachine, key, "Empty"}, Raw(REG_SZ, std::string(1, '\0'))},
        {{Root::LocalMachine, key, "Nothing"}, Raw(REG_SZ, "")},
        {{Root::LocalMachine, key, "Cut"}, Raw(REG_SZ, std::string("\x83", 1) + '\0')},
        {{Root::CurrentUser, "Software\\P", "One"}, Raw(REG_DWORD, "1")},
        {{Root::CurrentUser, "Software\\P", "Four"}, Raw(REG_DWORD, std::string("\x01\x00\x00\x80", 4))},
        {{Root::CurrentUser, "Software\\P", "Long"}, Raw(REG_BINARY, std::string(100, '\xA5'))},
        {{Root::CurrentUser, "Software\\P", "Multi"}, Raw(REG_MULTI_SZ, std::string("x\0y\0\0", 5))},
        {{Root::CurrentUser, "Software\\P", "Odd type"}, Raw(0x1234, "z")},
        {{Root::CurrentUser, "Software\\P", ""}, Raw(REG_SZ, std::string("default", 8))},
        {{Root::CurrentUser, "Software\\P", "Gone"}, RegValue{}},
    };
    const std::string text = backup::RegFileText(values);
    EXPECT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(text.find("\"Plain\"=\"Taro\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Four\"=dword:80000001\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Gone\"=-\r\n"), std::string::npos) << text;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        EXPECT_LE(end - at, 80u) << "lines are wrapped as regedit wraps them";

    std::vector<SavedValue> back;
    ASSERT_TRUE(backup::ParseRegFile(text, back)) << text;
    ASSERT_EQ(back.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(values[i].place.name);
        EXPECT_EQ(back[i].place.root, values[i].place.root);
        EXPECT_EQ(back[i].place.key, values[i].place.key);
        EXPECT_EQ(back[i].place.name, values[i].place.name);
        EXPECT_EQ(back[i].value.exists, values[i].value.exists);
        EXPECT_EQ(back[i].value.type, values[i].value.type);
        EXPECT_EQ(back[i].value.bytes, values[i].value.bytes);
    }

    // A damaged file is no copy at all.
    for (const std::string& bad : {std::string("REGEDIT5\r\n"), text.substr(0, text.find("dword:") + 8),
                                   std::string("REGEDIT4\r\n\"a\"=\"b\"\r\n"),
                                   std::string("REGEDIT4\r\n[HKEY_USERS\\x]\r\n\"a\"=-\r\n"),
                                   std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=hex:1,zz\r\n")})
        EXPECT_FALSE(backup::ParseRegFile(bad, back)) << bad;
}

}  // namespace
}  // namespace kaza

// The 32-bit program on 64-bit Windows (a 64-bit prefix, XP): with the system's own redirection,
// every command that reads or writes the system folder reaches the 64-bit system32, never
// SysWOW64, and the machine's values the 64-bit registry view, never Wow6432Node.
#include <string>

#include "backup/form6.h"
#include "backup/safety.h"
#include "backup/wow64_fixture.h"

namespace kaza::test {
namespace {

TEST_F(Wow64, ApplyKeepsTheMakersFilesInItsSafetyCopyAndGoingBackPutsThemBack) {
    // The maker left no information file: going back must remove the one the apply writes.
    DeleteFileA(Host("system32", places::kInfoFile).c_str());
    const std::string owner = Owner(KEY_WOW64_64KEY);
    Apply("一回目");
    EXPECT_EQ(Owner(KEY_WOW64_64KEY), "一回目");
    EXPECT_NE(Real(places::kInfoFile), "<absent>");  // written where the system reads it
    Apply("二回目");
    EXPECT_EQ(Owner(KEY_WOW64_64KEY), "二回目");

    // The first copy holds the maker's files as they were.
    std::vector<backup::SafetyCopy> copies = backup::ListSafetyCopies();
    ASSERT_EQ(copies.size(), 2u);
    const backup::SafetyCopy& first = copies.back();
    EXPECT_EQ(first.StateOf("oemlogo.bmp"), backup::FileState::Present);
    EXPECT_EQ(first.StateOf("oeminfo.ini"), backup::FileState::Absent);
    EXPECT_EQ(ReadBytes(first.folder + "\\" + places::kLogoCopyFile), kMakerLogo);

    // Going back to it puts them, and the owner, back where the system reads them.
    GoBackToTheFirstCopy();
    EXPECT_NE(main_.Panel(1).find("に戻しました。"), std::string::npos) << main_.Panel(1);
    EXPECT_EQ(Real(places::kLogoFile), kMakerLogo);
    EXPECT_EQ(Real(places::kInfoFile), "<absent>");
    EXPECT_EQ(Owner(KEY_WOW64_64KEY), owner);
}

TEST_F(Wow64, BackupAndRestoreReadAndWriteTheRealSystemFolder) {
    shell_.desktop = ScratchFolder("desktop");
    ClickMenu(main_, "DESUK");
    EXPECT_EQ(main_.Panel(1), "oemlogo.bmp,oeminfo.iniをデスクトップに保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(shell_.desktop)), kMakerLogo);
    EXPECT_EQ(ReadBytes(InfoIn(shell_.desktop)), kMakerInfo);

    const std::string logo = shell_.desktop + "\\other.bmp", info = shell_.desktop + "\\other.ini";
    WriteBytes(logo, "BMother");
    WriteBytes(info, "[General]\r\n");
    Form::SetModalHook([&](Form& f) {
        auto& w = dynamic_cast<Form6&>(f);
        w.Text1().SetText(logo);
        w.Text2().SetText(info);
        Press(w, "Command1");
    });
    ClickMenu(main_, "moto");
    EXPECT_EQ(Real(places::kLogoFile), "BMother");
    EXPECT_EQ(Real(places::kInfoFile), "[General]\r\n");
    // The restore's own safety copy read the maker's files there too.
    EXPECT_EQ(ReadBytes(backup::ListSafetyCopies().at(0).folder + "\\" + places::kLogoCopyFile), kMakerLogo);
}

}  // namespace
}  // namespace kaza::test

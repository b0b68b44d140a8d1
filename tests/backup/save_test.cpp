// Saving the installed OEM files to the desktop, drive A: and a chosen folder.
#include <string>

#include "backup/fixture.h"
#include "platform/text.h"

namespace kaza::test {
namespace {

using platform::DriveProbe;

const char* kFloppy = "C:\\kaza-floppy";  // what drive A: shows in the test prefix

using DesktopSave = BackupTest;

TEST_F(DesktopSave, CopiesBothFilesAndReplacesThemWithoutAsking) {
    shell_.desktop = ScratchFolder("desktop");
    Click("DESUK");
    EXPECT_EQ(Status(), "oemlogo.bmp,oeminfo.iniをデスクトップに保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(shell_.desktop)), kInstalledLogo);
    EXPECT_EQ(ReadBytes(InfoIn(shell_.desktop)), kInstalledInfo);

    WriteBytes(LogoIn(system_), "BMnewer");
    WriteBytes(InfoIn(system_), "[General]\r\n");
    main_.SetPanel(1, "");
    Click("DESUK");
    EXPECT_EQ(Status(), "oemlogo.bmp,oeminfo.iniをデスクトップに保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(shell_.desktop)), "BMnewer");
    EXPECT_EQ(ReadBytes(InfoIn(shell_.desktop)), "[General]\r\n");
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(DesktopSave, NamesWhatWasNotSaved) {
    shell_.desktop = ScratchFolder("desktop");
    DeleteFileA(InfoIn(system_).c_str());
    Click("DESUK");
    EXPECT_EQ(Status(), "oeminfo.iniがないため、oemlogo.bmpだけ保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(shell_.desktop)), kInstalledLogo);
    EXPECT_FALSE(Exists(InfoIn(shell_.desktop)));

    // A desktop folder that has gone away takes neither file.
    RemoveTree(shell_.desktop);
    Click("DESUK");
    EXPECT_EQ(Status(), "oeminfo.iniがなく、oemlogo.bmpをデスクトップに書き込めませんでした。");
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(DesktopSave, AnUnknownSystemFolderIsReportedForEveryPlace) {
    shell_.desktop = ScratchFolder("desktop");
    main_.Labe = Variant::Text("");
    Click("DESUK");
    EXPECT_EQ(Status(), "システムフォルダの場所が分からないため、保存できませんでした。");
    EXPECT_FALSE(Exists(shell_.desktop + "\\oemlogo.bmp"));
    dialogs_.browseAnswers.push_back(shell_.desktop);
    main_.SetPanel(1, "");
    Click("SONOTA");
    EXPECT_EQ(Status(), "システムフォルダの場所が分からないため、保存できませんでした。");
    EXPECT_FALSE(Exists(shell_.desktop + "\\oeminfo.ini"));
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(DesktopSave, ADesktopTheShellCannotNameIsReportedNotGuessed) {
    shell_.desktop = "";
    Click("DESUK");
    EXPECT_EQ(Status(), "デスクトップの場所が分からず、保存できませんでした。");
    // Nothing landed in the root of the current drive.
    EXPECT_FALSE(Exists(LogoIn("")));
    EXPECT_FALSE(Exists(InfoIn("")));
}

TEST(SystemShell, NamesTheDesktopWithoutATrailingBackslash) {
    std::string desktop = platform::systemShell().DesktopFolder(nullptr);
    ASSERT_FALSE(desktop.empty());
    EXPECT_NE(desktop.back(), '\\');
    EXPECT_TRUE(platform::FolderExists(desktop));
}

using FolderSave = BackupTest;

TEST_F(FolderSave, RemembersThePickedFolderInLowerCase) {
    std::string picked = ScratchFolder("Saved Here");
    dialogs_.browseAnswers = {"C:\\KAZA-TEST\\Saved Here"};
    Click("SONOTA");
    ASSERT_EQ(dialogs_.browseTitles.size(), 1u);
    EXPECT_EQ(dialogs_.browseTitles[0], "フォルダを選択してください");
    EXPECT_EQ(dialogs_.browseFlags[0], 3u);
    EXPECT_EQ(main_.C("Text5").Text(), "c:\\kaza-test\\saved here");
    EXPECT_EQ(Status(), "c:\\kaza-test\\saved hereに保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(picked)), kInstalledLogo);
    EXPECT_EQ(ReadBytes(InfoIn(picked)), kInstalledInfo);

    // A later cancel saves into the remembered folder again.
    WriteBytes(LogoIn(system_), "BMsecond");
    main_.SetPanel(1, "");
    Click("SONOTA");
    EXPECT_EQ(dialogs_.browseTitles.size(), 2u);
    EXPECT_EQ(main_.C("Text5").Text(), "c:\\kaza-test\\saved here");
    EXPECT_EQ(Status(), "c:\\kaza-test\\saved hereに保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(picked)), "BMsecond");

    // ... and says so when that folder has gone in the meantime.
    RemoveTree(picked);
    Click("SONOTA");
    EXPECT_EQ(Status(), "oemlogo.bmp,oeminfo.iniをc:\\kaza-test\\saved hereに書き込めませんでした。");
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(FolderSave, CancelledBeforeAnyPickCopiesNothing) {
    main_.SetPanel(1, "");
    Click("SONOTA");  // no answer: the browser is cancelled
    EXPECT_EQ(dialogs_.browseTitles.size(), 1u);
    EXPECT_EQ(Status(), "指定先に保存はキャンセルされました。");
    EXPECT_EQ(main_.C("Text5").Text(), "");
    EXPECT_FALSE(Exists(LogoIn("")));
}

TEST_F(FolderSave, TheSystemFolderItselfAlreadyHoldsThePair) {
    dialogs_.browseAnswers = {system_};
    Click("SONOTA");
    EXPECT_EQ(Status(), platform::LowerCase(system_) + "に保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn(system_)), kInstalledLogo);
    EXPECT_EQ(ReadBytes(InfoIn(system_)), kInstalledInfo);
}

TEST_F(FolderSave, ADriveRootTakesTheSeparatorAgain) {
    dialogs_.browseAnswers = {"C:\\"};
    Click("SONOTA");
    EXPECT_EQ(main_.C("Text5").Text(), "c:\\");
    EXPECT_EQ(Status(), "c:\\に保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn("C:")), kInstalledLogo);
    EXPECT_EQ(ReadBytes(InfoIn("C:")), kInstalledInfo);
    DeleteFileA(LogoIn("C:").c_str());
    DeleteFileA(InfoIn("C:").c_str());
}

class FloppySave : public BackupTest {
protected:
    void SetUp() override {
        BackupTest::SetUp();
        // Drive A: is a folder of the prefix's C: drive (see tests.cmake); check that it is.
        CreateDirectoryA(kFloppy, nullptr);
        DeleteFileA(LogoIn("C:\\kaza-floppy").c_str());
        DeleteFileA(InfoIn("C:\\kaza-floppy").c_str());
        WriteBytes(std::string(kFloppy) + "\\marker", "A");
        ASSERT_EQ(ReadBytes("A:\\marker"), "A") << "drive A: is not the folder " << kFloppy << " (run through ctest)";
        DeleteFileA("C:\\kaza-floppy\\marker");
        main_.SetPanel(1, "前のテキスト");
    }
    void ExpectOnlyConfirmation() {
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        EXPECT_EQ(dialogs_.messages[0].text, "A:\\にデータを上書き保存します。よろしいですか？");
        EXPECT_EQ(dialogs_.messages[0].title, "フロッピー確認");
        EXPECT_EQ(dialogs_.messages[0].style, 52u);
    }
};

TEST_F(FloppySave, YesCopiesBothFilesToTheRootOfDriveA) {
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    dialogs_.messageAnswers = {IDYES};
    Click("HURO");
    ExpectOnlyConfirmation();
    EXPECT_EQ(Status(), "oemlogo.bmp,oeminfo.iniをフロッピーに保存しました。");
    EXPECT_EQ(ReadBytes(LogoIn("C:\\kaza-floppy")), kInstalledLogo);
    EXPECT_EQ(ReadBytes(InfoIn("C:\\kaza-floppy")), kInstalledInfo);
    // The probe leaves the current directory where it was.
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
}

TEST_F(FloppySave, NoLeavesDriveAAndTheStatusAlone) {
    dialogs_.messageAnswers = {IDNO};
    Click("HURO");
    ExpectOnlyConfirmation();
    EXPECT_EQ(Status(), "前のテキスト");
    EXPECT_FALSE(Exists(LogoIn("C:\\kaza-floppy")));
    EXPECT_FALSE(Exists(InfoIn("C:\\kaza-floppy")));
}

TEST_F(FloppySave, ADiskThatTakesNothingIsReported) {
    // Drive A: without its folder: the real probe finds nothing it can read. Depending on whether
    // Wine still lists the drive, that is an unreadable disk or no drive at all.
    RemoveTree(kFloppy);
    DriveProbe probe = platform::systemShell().ProbeDrive('A');
    EXPECT_TRUE(probe == DriveProbe::Unreadable || probe == DriveProbe::Other) << static_cast<int>(probe);
    shell_.probe = DriveProbe::Usable;
    dialogs_.messageAnswers = {IDYES};
    Click("HURO");
    ExpectOnlyConfirmation();
    EXPECT_EQ(Status(), "oemlogo.bmp,oeminfo.iniをフロッピーに書き込めませんでした。");
    CreateDirectoryA(kFloppy, nullptr);
}

TEST(SystemShell, ALetterWithoutADriveIsNeitherEmptyNorUnformatted) {
    EXPECT_EQ(platform::systemShell().ProbeDrive('Q'), DriveProbe::Other);
}

TEST(SystemShell, TellsAnEmptyDriveFromADiskItCannotRead) {
    EXPECT_EQ(platform::ClassifyDriveError(ERROR_NOT_READY), DriveProbe::NoDisk);
    for (unsigned long error : {ERROR_GEN_FAILURE, ERROR_UNRECOGNIZED_MEDIA, ERROR_NOT_DOS_DISK, ERROR_SECTOR_NOT_FOUND})
        EXPECT_EQ(platform::ClassifyDriveError(error), DriveProbe::Unreadable) << error;
    EXPECT_EQ(platform::ClassifyDriveError(ERROR_ACCESS_DENIED), DriveProbe::Other);
}

TEST_F(FloppySave, EachProbeOutcomeShowsOnlyItsOwnMessage) {
    struct Case {
        DriveProbe probe;
        const char* message;  // nullptr: the confirmation question comes
    } cases[] = {
        {DriveProbe::NoDisk, "フロッピーディスクが挿入されてません。"},
        {DriveProbe::Unreadable, "フロッピーディスクの形式が違うか，フォーマットされていません。"},
        {DriveProbe::Other, nullptr},
        {DriveProbe::Usable, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.probe));
        shell_.probe = c.probe;
        dialogs_.messages.clear();
        dialogs_.messageAnswers = {IDNO};
        Click("HURO");
        if (c.message) {
            ASSERT_EQ(dialogs_.messages.size(), 1u);
            EXPECT_EQ(dialogs_.messages[0].text, c.message);
            EXPECT_EQ(dialogs_.messages[0].title, "Error!!");
            EXPECT_EQ(dialogs_.messages[0].style, static_cast<unsigned>(MB_OK));
        } else {
            ExpectOnlyConfirmation();
        }
        EXPECT_EQ(Status(), "前のテキスト");
        EXPECT_FALSE(Exists(LogoIn("C:\\kaza-floppy")));
    }
    EXPECT_EQ(shell_.probes, 4);
}

}  // namespace
}  // namespace kaza::test

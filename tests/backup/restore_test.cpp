// Putting a saved pair back into the system folder through the restore window.
#include <functional>
#include <string>

#include "backup/fixture.h"
#include "backup/form6.h"

namespace kaza::test {
namespace {

class Restore : public BackupTest {
protected:
    void SetUp() override {
        BackupTest::SetUp();
        saved_ = ScratchFolder("saved");
        WriteBytes(LogoIn(saved_), kSavedLogo);
        WriteBytes(InfoIn(saved_), kSavedInfo);
    }

    // Opens the window from the menu and acts inside it while it is shown modal.
    void Open(std::function<void(Form6&)> inside) {
        {
            ModalScope modal([&](ui::Form& f) {
                auto* w = dynamic_cast<Form6*>(&f);
                ASSERT_NE(w, nullptr);
                inside(*w);
            });
            Click("moto");
        }
        EXPECT_FALSE(main_.Window<Form6>().Loaded());
    }
    static void Press(Form6& w, const char* button) { test::Click(w.C(button)); }

    void ExpectInstalledUnchanged() {
        EXPECT_EQ(ReadBytes(LogoIn(system_)), kInstalledLogo);
        EXPECT_EQ(ReadBytes(InfoIn(system_)), kInstalledInfo);
    }

    const std::string kSavedLogo = std::string("BM\0\0saved", 9);
    const std::string kSavedInfo = "[General]\r\nModel=" + Sjis("試作一号") + "\r\n";
    std::string saved_;
};

TEST_F(Restore, OpensEmptyWithTheHintAndCancelCopiesNothing) {
    Open([&](Form6& w) {
        EXPECT_EQ(w.Caption(), "バックアップしたものを元に戻す");
        EXPECT_EQ(w.C("Frame1").Caption(), "バックアップした2つのファイルをそれぞれ指定してください。");
        EXPECT_EQ(w.C("Label2").Caption(), "情報   INI");
        EXPECT_EQ(Status(), "バックアップしたものを元に戻します。");
        EXPECT_EQ(w.Text1().Text(), "");
        EXPECT_EQ(w.Text2().Text(), "");
        w.Text1().SetText(LogoIn(saved_));
        w.Text2().SetText(InfoIn(saved_));
        Press(w, "Command2");
    });
    ExpectInstalledUnchanged();
    EXPECT_EQ(Status(), "バックアップしたものを元に戻します。");

    // The close box acts as cancel, and the next opening starts empty again.
    Open([&](Form6& w) {
        EXPECT_EQ(w.Text1().Text(), "");
        EXPECT_EQ(w.Text2().Text(), "");
        w.Text1().SetText(LogoIn(saved_));
        SendMessageA(w.hwnd(), WM_CLOSE, 0, 0);
    });
    ExpectInstalledUnchanged();
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(Restore, BrowsedPairReplacesBothInstalledFiles) {
    dialogs_.openAnswers = {LogoIn(saved_), InfoIn(saved_)};
    Open([&](Form6& w) {
        Press(w, "Command3");
        Press(w, "Command4");
        EXPECT_EQ(w.Text1().Text(), LogoIn(saved_));
        EXPECT_EQ(w.Text2().Text(), InfoIn(saved_));
        Press(w, "Command1");
    });
    ASSERT_EQ(dialogs_.openFilters.size(), 2u);
    EXPECT_EQ(dialogs_.openFilters[0], "bmp(*.bmp)|*.bmp");
    EXPECT_EQ(dialogs_.openFilters[1], "ini(*.ini)|*.ini");
    EXPECT_EQ(ReadBytes(LogoIn(system_)), kSavedLogo);
    EXPECT_EQ(ReadBytes(InfoIn(system_)), kSavedInfo);
    EXPECT_EQ(Status(), "バックアップを元に戻しました。");
}

TEST_F(Restore, ATypedRenamedBitmapAloneLandsUnderTheTargetName) {
    std::string renamed = saved_ + "\\Logo Before.BMP";
    WriteBytes(renamed, kSavedLogo);
    Open([&](Form6& w) {
        w.Text1().SetText(renamed);
        Press(w, "Command1");
    });
    EXPECT_EQ(ReadBytes(LogoIn(system_)), kSavedLogo);
    EXPECT_EQ(ReadBytes(InfoIn(system_)), kInstalledInfo);  // empty field: left as it was
    EXPECT_TRUE(Exists(renamed));
    EXPECT_EQ(Status(), "バックアップを元に戻しました。");
}

TEST_F(Restore, ACancelledBrowseTakesTheSharedDialogsLastFile) {
    Open([&](Form6& w) {
        w.Text2().SetText("typed");
        Press(w, "Command4");  // no answer: cancelled, and nothing was ever chosen
        EXPECT_EQ(w.Text2().Text(), "");
        Press(w, "Command2");
    });
    // A picture imported into the logo frame goes through the same dialog.
    main_.CommonDialog1.Filter = "画像|*.bmp;*.jpg";
    dialogs_.openAnswers = {"C:\\pictures\\logo.jpg"};
    ASSERT_TRUE(main_.CommonDialog1.ShowOpen(main_.hwnd()));
    Open([&](Form6& w) {
        Press(w, "Command3");
        EXPECT_EQ(w.Text1().Text(), "C:\\pictures\\logo.jpg");
        Press(w, "Command2");
    });
    ExpectInstalledUnchanged();
}

TEST_F(Restore, TheInstalledFileNamedAsItsOwnBackupKeepsItsContent) {
    Open([&](Form6& w) {
        w.Text1().SetText(AppliedLogoIn(system_));
        w.Text2().SetText(InfoIn(system_));
        Press(w, "Command1");
    });
    // Nothing needed copying: the system folder already holds what was asked for.
    ExpectInstalledUnchanged();
    EXPECT_EQ(Status(), "バックアップを元に戻しました。");
}

TEST_F(Restore, NamesWhatWasNotRestored) {
    Open([&](Form6& w) {
        w.Text1().SetText(LogoIn(saved_));
        w.Text2().SetText(saved_ + "\\gone.ini");
        Press(w, "Command1");
    });
    EXPECT_EQ(Status(), "oeminfo.iniの元ファイルがなく、oemlogo.bmpだけ戻しました。");
    EXPECT_EQ(ReadBytes(LogoIn(system_)), kSavedLogo);
    EXPECT_EQ(ReadBytes(InfoIn(system_)), kInstalledInfo);

    // A system folder that cannot be written takes neither file.
    main_.Labe = Variant::Text(system_ + "\\missing");
    Open([&](Form6& w) {
        w.Text1().SetText(LogoIn(saved_));
        w.Text2().SetText(InfoIn(saved_));
        Press(w, "Command1");
    });
    EXPECT_EQ(Status(), "oemlogo.bmp,oeminfo.iniを書き込めませんでした。");

    // Two empty fields restore nothing, and say so.
    Open([&](Form6& w) { Press(w, "Command1"); });
    EXPECT_EQ(Status(), "戻すファイルが指定されていません。");
    EXPECT_TRUE(dialogs_.messages.empty());
}

// Without the system folder the targets would be the current drive's root: nothing is copied.
// A folder in a target's place is not replaced, and the other file is still restored.
TEST_F(Restore, RefusesWithoutTheSystemFolderAndReplacesNoFolder) {
    char root[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, root);
    const std::string rootLogo = std::string(root, 2) + "\\oemlogo.bmp";
    main_.Labe = Variant::Text("");
    Open([&](Form6& w) {
        w.Text1().SetText(saved_ + "\\oemlogo.bmp");
        w.Text2().SetText(saved_ + "\\oeminfo.ini");
        Press(w, "Command1");
    });
    EXPECT_EQ(Status(), "システムフォルダの場所が分からないため、元に戻すことができませんでした。");
    EXPECT_FALSE(Exists(rootLogo));

    main_.Labe = Variant::Text(system_);
    DeleteFileA((system_ + "\\oeminfo.ini").c_str());
    CreateDirectoryA((system_ + "\\oeminfo.ini").c_str(), nullptr);
    WriteBytes(system_ + "\\oeminfo.ini\\inside", "kept");
    Open([&](Form6& w) {
        w.Text1().SetText(saved_ + "\\oemlogo.bmp");
        w.Text2().SetText(saved_ + "\\oeminfo.ini");
        Press(w, "Command1");
    });
    EXPECT_EQ(Status(), "oeminfo.iniを書き込めず、oemlogo.bmpだけ戻しました。");
    EXPECT_EQ(ReadBytes(system_ + "\\oeminfo.ini\\inside"), "kept");
    EXPECT_EQ(ReadBytes(system_ + "\\oemlogo.bmp"), kSavedLogo);
    EXPECT_TRUE(dialogs_.messages.empty());
}

}  // namespace
}  // namespace kaza::test

// The 32-bit program on 64-bit Windows (a 64-bit prefix, XP): with the system's own redirection,
// every command that reads or writes the system folder reaches the 64-bit system32, never
// SysWOW64, and the machine's values the 64-bit registry view, never Wow6432Node.
#include <string>

#include "app/places.h"
#include "backup/fixture.h"
#include "backup/form6.h"
#include "backup/form9.h"
#include "backup/safety.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::test {
namespace {

using ui::Form;

const std::string kMakerLogo = std::string("BM\x20\x00\x00\x00\x5c\x00", 8) + "maker-logo";
const std::string kMakerInfo = "[General]\r\nManufacturer=\"" + Sjis("メーカー十") + "\"\r\n";
const char* kFiles[] = {places::kLogoFile, places::kInfoFile};

// A folder of the prefix's Windows folder, named through drive Z:, which no redirection touches.
std::string Host(const char* folder, const char* file) {
    return std::string(KAZA_WOW64_WINDOWS) + "\\" + folder + "\\" + file;
}

// The registered owner as one registry view holds it.
std::string Owner(REGSAM view) {
    HKEY key = nullptr;
    char text[256] = {};
    DWORD size = sizeof text - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, places::kNtVersionKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return "<no key>";
    LONG r = RegQueryValueExA(key, places::kRegisteredOwner, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? platform::FromAnsi(text) : "<absent>";
}

void Press(Form& f, const char* button) { SendMessageA(f.C(button).hwnd(), BM_CLICK, 0, 0); }

class Wow64 : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::systemWow64().Active()) << "this program must run under WOW64";
        Clean();
        WriteBytes(Host("system32", places::kLogoFile), kMakerLogo);
        WriteBytes(Host("system32", places::kInfoFile), kMakerInfo);
        MainWindowTest::SetUp();
        ASSERT_EQ(platform::LowerCase(main_.Labe.AsText()), "c:\\windows\\system32");
        view32Owner_ = Owner(KEY_WOW64_32KEY);
    }
    void TearDown() override {
        Form::SetModalHook(nullptr);
        main_.Unload();
        // Nothing of this program's ever lands in the 32-bit folder or view.
        for (const char* f : kFiles) EXPECT_FALSE(platform::FileExists(Host("syswow64", f))) << f;
        EXPECT_EQ(Owner(KEY_WOW64_32KEY), view32Owner_);
        Clean();
    }
    static void Clean() {
        for (const char* folder : {"system32", "syswow64"})
            for (const char* f : kFiles) DeleteFileA(Host(folder, f).c_str());
    }
    // A file of the 64-bit system32; a long one (a picture the apply wrote) only by its size.
    static std::string Real(const char* file) {
        if (!platform::FileExists(Host("system32", file))) return "<absent>";
        std::string b = ReadBytes(Host("system32", file));
        return b.size() > 100 ? std::to_string(b.size()) + " bytes" : b;
    }

    void Apply(const std::string& owner) {
        main_.Text1(0).SetText(owner);
        Form::SetModalHook([&](Form& f) { Press(f, "Command1"); });
        Press(main_, "Command4");
    }

    ScriptedShell shell_;
    std::string view32Owner_;
};

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
    EXPECT_EQ(first.logo, backup::FileState::Present);
    EXPECT_EQ(first.info, backup::FileState::Absent);
    EXPECT_EQ(ReadBytes(first.folder + "\\" + places::kLogoCopyFile), kMakerLogo);

    // Going back to it puts them, and the owner, back where the system reads them.
    Form::SetModalHook([&](Form& f) {
        auto& w = dynamic_cast<Form9&>(f);
        for (size_t i = 0; i < w.Copies().size(); ++i)
            if (w.Copies()[i].number == 1) w.List1().SetListIndex(static_cast<int>(i));
        Press(w, "Command1");
    });
    SendMessageA(main_.hwnd(), WM_COMMAND, main_.Menu("HENKOUMAE").id(), 0);
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

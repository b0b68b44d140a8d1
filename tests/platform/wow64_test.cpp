#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/replace.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/wow64.h"
#include "support/kaza_test.h"

namespace kaza::platform {
namespace {

// A 64-bit system as a 32-bit program sees it: reports WOW64 and records what is asked of it.
// Redirection is never really switched off (this test program is itself 64-bit).
class ScriptedWow64 : public Wow64 {
public:
    explicit ScriptedWow64(bool active, unsigned long view = KEY_WOW64_64KEY) : active_(active), view_(view) {
        SetWow64(this);
    }
    ~ScriptedWow64() override { SetWow64(nullptr); }

    bool Active() override { return active_; }
    unsigned long MachineView() override { return active_ ? view_ : 0; }
    bool DisableRedirection(void** previous) override {
        calls.push_back("off");
        *previous = reinterpret_cast<void*>(static_cast<INT_PTR>(++depth));
        return true;
    }
    void RevertRedirection(void* previous) override {
        calls.push_back(previous == reinterpret_cast<void*>(static_cast<INT_PTR>(depth)) ? "on" : "on out of order");
        --depth;
    }

    std::vector<std::string> calls;
    int depth = 0;

private:
    bool active_;
    unsigned long view_;
};

TEST(Wow64, ThisProgramIsNativeSoNothingIsRedirected) {
    // A 64-bit program on 64-bit Windows: no WOW64, no view bits (2000 and older would refuse them).
    EXPECT_FALSE(systemWow64().Active());
    EXPECT_EQ(systemWow64().MachineView(), 0u);
}

TEST(Wow64, SystemFolderFilesAreReachedWithRedirectionOffAndOnAgainAfter) {
    std::string dir = test::ScratchFolder("wow64");
    std::string bmp = dir + "\\OEMLOGO.BMP", ini = dir + "\\oeminfo.ini";
    {
        ScriptedWow64 wow64(true);
        // Each call below runs with redirection off, and turns it back on (in reverse order
        // where scopes nest) before it returns.
        auto pairs = [&wow64] {
            int open = 0;
            bool paired = !wow64.calls.empty();
            for (const std::string& c : wow64.calls) {
                if (c == "off") ++open;
                else if (c != "on" || --open < 0) paired = false;
            }
            wow64.calls.clear();
            return paired && open == 0;
        };
        ASSERT_TRUE(WriteWholeFile(bmp, "BM"));
        EXPECT_TRUE(pairs()) << "WriteWholeFile";
        std::string back;
        ASSERT_TRUE(ReadWholeFile(bmp, back));
        EXPECT_TRUE(pairs()) << "ReadWholeFile";
        EXPECT_TRUE(FileExists(bmp));
        EXPECT_TRUE(pairs()) << "FileExists";
        ASSERT_TRUE(ProfileWrite(ini, "General", "Manufacturer", "風車"));
        EXPECT_TRUE(pairs()) << "ProfileWrite";
        EXPECT_EQ(ProfileRead(ini, "General", "Manufacturer").text, "風車");
        EXPECT_TRUE(pairs()) << "ProfileRead";
        EXPECT_TRUE(CopyFileInPlace(bmp, dir + "\\copy.bmp"));
        EXPECT_TRUE(pairs()) << "CopyFileInPlace";
    }
    {
        // On a 32-bit system, or in a 64-bit program, redirection is left alone.
        ScriptedWow64 native(false);
        ASSERT_TRUE(WriteWholeFile(bmp, "BM"));
        ASSERT_TRUE(ProfileWrite(ini, "General", "Model", "x"));
        EXPECT_TRUE(native.calls.empty());
    }
    test::RemoveTree(dir);
}

// A 32-bit-only system has one registry view, so this is for the 64-bit program; the 32-bit one
// is seen in the 64-bit view under real WOW64 (safety_wow64).
#ifdef _WIN64
TEST(Wow64, MachineKeysUseTheSystemsViewAndUserKeysAreLeftAlone) {
    // The 32-bit view stands in for "another view than the default" a 64-bit test program can see.
    const char* key = "Software\\KazaTest";
    const std::string redirected = "Software\\Wow6432Node\\KazaTest";
    test::DeleteKeyTree(Root::LocalMachine, key);
    test::DeleteKeyTree(Root::LocalMachine, redirected);
    test::DeleteKeyTree(Root::CurrentUser, key);
    {
        ScriptedWow64 wow64(true, KEY_WOW64_32KEY);
        ASSERT_TRUE(RegWriteString(Root::LocalMachine, key, "Owner", "風車"));
        EXPECT_EQ(RegReadText(Root::LocalMachine, key, "Owner"), "風車");
        EXPECT_TRUE(RegReadRaw(Root::LocalMachine, key, "Owner").exists);
        ASSERT_TRUE(RegWriteString(Root::CurrentUser, key, "Owner", "user"));
    }
    EXPECT_EQ(RegReadText(Root::LocalMachine, redirected, "Owner"), "風車");
    EXPECT_EQ(RegReadText(Root::LocalMachine, key, "Owner"), "");
    EXPECT_EQ(RegReadText(Root::CurrentUser, key, "Owner"), "user");
    {
        ScriptedWow64 wow64(true, KEY_WOW64_32KEY);
        EXPECT_TRUE(RegDeleteValueIn(Root::LocalMachine, key, "Owner"));
    }
    EXPECT_FALSE(RegReadRaw(Root::LocalMachine, redirected, "Owner").exists);
    test::DeleteKeyTree(Root::LocalMachine, redirected);
    test::DeleteKeyTree(Root::CurrentUser, key);
}
#endif

TEST(Shell, DesktopFolderIsTheSameWithOrWithoutTheNamedLookup) {
    bool available = false;
    std::string byName = DesktopFolderByName(nullptr, available);
    EXPECT_TRUE(available);
    EXPECT_FALSE(byName.empty());
    EXPECT_EQ(DesktopFolderByItemList(nullptr), byName);
    EXPECT_EQ(systemShell().DesktopFolder(nullptr), byName);
}

// Names fold the same on every family: for every character the Japanese code page can hold (and
// whose folded form it can hold too), the program's own table agrees with NT's Unicode folding,
// which Wine follows. (The Angstrom sign folds to a letter outside the code page; the program
// leaves it as it is.)
TEST(Text, LetterCaseFoldsLikeNtForEveryCharacterOfCodePage932) {
    std::wstring all;
    for (int lead = 0; lead < 256; ++lead) {
        if (!IsDBCSLeadByteEx(932, static_cast<BYTE>(lead))) {
            char one = static_cast<char>(lead);
            wchar_t w = 0;
            if (lead && MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, &one, 1, &w, 1) == 1) all += w;
            continue;
        }
        for (int trail = 0x40; trail < 0xFD; ++trail) {
            char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t w = 0;
            if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, two, 2, &w, 1) == 1) all += w;
        }
    }
    ASSERT_GT(all.size(), 7000u);
    size_t folded = 0;
    for (wchar_t c : all) {
        wchar_t lower = c;
        CharLowerBuffW(&lower, 1);
        auto inCodePage = [](wchar_t w) {
            BOOL lost = FALSE;
            char bytes[4];
            return WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w, 1, bytes, sizeof bytes, nullptr, &lost) > 0 && !lost;
        };
        if (!inCodePage(lower)) {
            lower = c;
        }
        char utf8[8] = {};
        int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, utf8, sizeof utf8, nullptr, nullptr);
        std::wstring ours(1, L'\0');
        std::string l = LowerCase(std::string(utf8, n));
        MultiByteToWideChar(CP_UTF8, 0, l.data(), static_cast<int>(l.size()), &ours[0], 1);
        EXPECT_EQ(static_cast<unsigned>(ours[0]), static_cast<unsigned>(lower)) << "lower of U+" << std::hex << unsigned(c);
        folded += lower != c;
    }
    EXPECT_GT(folded, 120u);
    EXPECT_EQ(LowerCase("ＡＢＣ Déjà ΑΒΓ ДЖЁ ⅣカザグルマＺ"), "ａｂｃ déjà αβγ джё ⅳカザグルマｚ");
}

}  // namespace
}  // namespace kaza::platform

namespace kaza::platform {
namespace {

TEST(System, OpenFileRecordIsTheShortOneUpTo98AndNt4) {
    auto v = [](unsigned long id, unsigned long major, unsigned long minor) {
        VersionInfo info;
        info.ok = true;
        info.platformId = id;
        info.major = major;
        info.minor = minor;
        return info;
    };
    EXPECT_FALSE(HasLongOpenFileRecord(v(VER_PLATFORM_WIN32_WINDOWS, 4, 10)));  // 98 SE
    EXPECT_FALSE(HasLongOpenFileRecord(v(VER_PLATFORM_WIN32_NT, 4, 0)));
    EXPECT_FALSE(HasLongOpenFileRecord(VersionInfo{}));
    EXPECT_TRUE(HasLongOpenFileRecord(v(VER_PLATFORM_WIN32_WINDOWS, 4, 90)));  // Me
    EXPECT_TRUE(HasLongOpenFileRecord(v(VER_PLATFORM_WIN32_NT, 5, 0)));
    EXPECT_TRUE(HasLongOpenFileRecord(v(VER_PLATFORM_WIN32_NT, 5, 1)));
}

}  // namespace
}  // namespace kaza::platform

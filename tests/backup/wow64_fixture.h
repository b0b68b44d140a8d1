// The 32-bit program on 64-bit Windows: a main window over the real system folder of a 64-bit
// prefix, with the maker's files in it, and a look at both folders and both registry views from
// outside the redirection.
#pragma once
#include <string>

#include "app/places.h"
#include "backup/fixture.h"
#include "backup/form9.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::test {

using ui::Form;

inline const std::string kMakerLogo = std::string("BM\x20\x00\x00\x00\x5c\x00", 8) + "maker-logo";
inline const std::string kMakerInfo = "[General]\r\nManufacturer=\"" + Sjis("メーカー十") + "\"\r\n";
inline const char* const kFiles[] = {places::kLogoFile, places::kInfoFile, places::kSmallLogoFile};

// A folder of the prefix's Windows folder, named through drive Z:, which no redirection touches.
inline std::string Host(const char* folder, const char* file) {
    return std::string(KAZA_WOW64_WINDOWS) + "\\" + folder + "\\" + file;
}

// The registered owner as one registry view holds it.
inline std::string Owner(REGSAM view) {
    HKEY key = nullptr;
    char text[256] = {};
    DWORD size = sizeof text - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, places::kNtVersionKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return "<no key>";
    LONG r = RegQueryValueExA(key, places::kRegisteredOwner, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? platform::FromAnsi(text) : "<absent>";
}

inline void Press(Form& f, const char* button) { SendMessageA(f.C(button).hwnd(), BM_CLICK, 0, 0); }

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
    // ファイル → 変更前の状態に戻す, the first copy chosen.
    void GoBackToTheFirstCopy() {
        Form::SetModalHook([&](Form& f) {
            auto& w = dynamic_cast<Form9&>(f);
            for (size_t i = 0; i < w.Copies().size(); ++i)
                if (w.Copies()[i].number == 1) w.List1().SetListIndex(static_cast<int>(i));
            Press(w, "Command1");
        });
        ClickMenu(main_, "HENKOUMAE");
    }

    ScriptedShell shell_;
    std::string view32Owner_;
};

}  // namespace kaza::test

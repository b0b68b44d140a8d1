#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seams.h"
#include "platform/ui/form.h"

namespace kaza::test {

// The six OEMInformation values the program writes on Vista and later, in the order it writes them.
inline constexpr const char* kOemValues[10] = {"Manufacturer",    "Model",         "SupportPhone", "SupportHours",
                                               "SupportURL",      "Logo",          "SupportProvider",
                                               "SupportAppURL",   "TradeinURL",    "RecycleURL"};

// A fresh program folder for one test, with the page pictures in its Plugins folder and the
// program pointed at it. Removed again at the end.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withPagePictures = true);
    ~ProgramFolder();
    const std::string& path() const { return path_; }
    std::string plugins() const;
    std::string index() const;

private:
    std::string path_;
};

// This Wine keeps no permissions a program sets: every folder reads back owned by the user, who
// has full control. So folders read as the program makes them (Administrators', the guarded list)
// in every test program from its start; a test that stands in otherwise calls this afterwards.
void ReadFoldersAsGuarded();
// A self-relative security descriptor written in SDDL; "" when it does not parse.
std::string SecurityFromSddl(const std::string& sddl);

// A scratch folder below the test prefix's C: drive, emptied when created.
std::string ScratchFolder(const std::string& name);
void RemoveTree(const std::string& path);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Shift-JIS bytes of a UTF-8 text, as the ANSI calls store it.
std::string Sjis(const std::string& utf8);

// A status panel's text as screen readers get it: SB_GETTEXTLENGTH and SB_GETTEXT of the
// window's status bar, counted from 1. "<length N, text M>" when the two disagree.
std::string StatusText(ui::Form& form, int panel);

// A key pressed on a control of a form, delivered as the program's message loops deliver it.
void PressKey(HWND control, WPARAM vk);

// The system refuses to make windows of one class for as long as this lives.
class RefuseWindows {
public:
    explicit RefuseWindows(const char* cls) {
        refused_ = cls;
        hook_ = SetWindowsHookExA(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    }
    ~RefuseWindows() { UnhookWindowsHookEx(hook_); }
    RefuseWindows(const RefuseWindows&) = delete;
    RefuseWindows& operator=(const RefuseWindows&) = delete;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND) {
            const char* cls = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs->lpszClass;
            if (!IS_INTRESOURCE(cls) && lstrcmpiA(cls, refused_) == 0) return 1;
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline const char* refused_ = "";
    HHOOK hook_;
};

// Registry seeding in the test prefix.
void SetText(platform::Root root, const std::string& key, const std::string& value, const std::string& text);
void SetDword(platform::Root root, const std::string& key, const std::string& value, DWORD n);
void DeleteValue(platform::Root root, const std::string& key, const std::string& value);
void DeleteKeyTree(platform::Root root, const std::string& key);

// Message boxes and dialogs answered from a script; every call is recorded.
class ScriptedDialogs : public platform::Dialogs {
public:
    struct MessageCall {
        std::string text, title;
        unsigned style;
    };
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    std::vector<MessageCall> messages;
    std::deque<int> messageAnswers;  // IDOK when empty
    std::vector<std::string> openFilters;
    std::deque<std::string> openAnswers;  // a file name, or "" meaning cancel; cancel when empty
    std::vector<std::string> browseTitles;
    std::vector<unsigned> browseFlags;
    std::deque<std::string> browseAnswers;  // a folder, or "" meaning cancel

    int Message(HWND owner, const std::string& text, const std::string& title, unsigned style) override;
    bool OpenFile(HWND owner, const std::string& filter, std::string& fileName) override;
    std::string BrowseForFolder(HWND owner, const std::string& title, unsigned flags) override;
};

// Records key events instead of sending them.
class RecordingKeyboard : public platform::Keyboard {
public:
    struct Call {
        unsigned char vk, scan;
        unsigned long flags;
        ULONG_PTR extra;
    };
    RecordingKeyboard();
    ~RecordingKeyboard() override;
    std::vector<Call> calls;
    std::vector<std::string>* log = nullptr;  // optional shared order log
    void Event(unsigned char vk, unsigned char scan, unsigned long flags, ULONG_PTR extra) override;
};

}  // namespace kaza::test

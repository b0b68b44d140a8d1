#include "platform/seams.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstddef>
#include <vector>

#include "platform/lookup.h"
#include "platform/system.h"
#include "platform/text.h"

namespace kaza::platform {
namespace {

class SystemDialogs final : public Dialogs {
public:
    int Message(HWND owner, const std::string& text, const std::string& title, unsigned style) override {
        return MessageBoxA(owner, ToAnsi(text).c_str(), ToAnsi(title).c_str(), style);
    }

    // comdlg32 and shell32 are no imports: they pull in comctl32, which is no KnownDLL and would
    // be looked for beside the program before WinMain could limit the search. They are loaded by
    // their full path when a dialog is first asked for.
    bool OpenFile(HWND owner, const std::string& filter, std::string& fileName) override {
        // "name|pattern|name|pattern" becomes the NUL-separated, double-NUL-ended form.
        std::string f = ToAnsi(filter);
        for (char& c : f)
            if (c == '|') c = '\0';
        f.append(2, '\0');
        std::vector<char> file(MAX_PATH * 4, '\0');
        std::string current = ToAnsi(fileName);
        current.copy(file.data(), std::min(current.size(), file.size() - 1));
        OPENFILENAMEA ofn{};
        // 95, 98 and NT 4.0 open no dialog for the longer record; Me and 2000 on want it for the
        // places bar.
        constexpr DWORD kOldSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof ofn.lpTemplateName;
        static_assert(sizeof(void*) != 4 || kOldSize == 76, "the old record is 76 bytes");
        ofn.lStructSize = HasLongOpenFileRecord(WindowsVersion()) ? sizeof ofn : kOldSize;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = f.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
        using GetOpenFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEA);
        static const auto getOpenFileName = LookUp<GetOpenFileNameFn>(LoadSystemDll("comdlg32.dll"), "GetOpenFileNameA");
        if (!getOpenFileName || !getOpenFileName(&ofn)) return false;
        fileName = FromAnsi(file.data(), file.size());
        return true;
    }

    std::string BrowseForFolder(HWND owner, const std::string& title, unsigned flags) override {
        std::string ansiTitle = ToAnsi(title);
        BROWSEINFOA bi{};
        bi.hwndOwner = owner;
        bi.lpszTitle = ansiTitle.c_str();
        bi.ulFlags = flags;
        using BrowseFn = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOA);
        using PathFn = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);
        static const auto browse = LookUp<BrowseFn>(LoadSystemDll("shell32.dll"), "SHBrowseForFolderA");
        static const auto pathOf = LookUp<PathFn>(LoadSystemDll("shell32.dll"), "SHGetPathFromIDListA");
        LPITEMIDLIST list = browse && pathOf ? browse(&bi) : nullptr;
        char path[MAX_PATH] = {};  // the call assumes MAX_PATH; the 256-character cut follows
        if (list) {
            pathOf(list, path);
            CoTaskMemFree(list);
        }
        return FromAnsi(path, 256);
    }
};

class SystemKeyboard final : public Keyboard {
public:
    void Event(unsigned char vk, unsigned char scan, unsigned long flags, ULONG_PTR extra) override {
        keybd_event(vk, scan, flags, extra);
    }
};

SystemDialogs g_systemDialogs;
SystemKeyboard g_systemKeyboard;
Dialogs* g_dialogs = &g_systemDialogs;
Keyboard* g_keyboard = &g_systemKeyboard;

}  // namespace

Dialogs& dialogs() { return *g_dialogs; }
Keyboard& keyboard() { return *g_keyboard; }
void SetDialogs(Dialogs* d) { g_dialogs = d ? d : &g_systemDialogs; }
void SetKeyboard(Keyboard* k) { g_keyboard = k ? k : &g_systemKeyboard; }

}  // namespace kaza::platform

#pragma once
#include <windows.h>

#include <string>

// What a test cannot do for real sits behind these small interfaces: the real ones call the
// system, tests install scripted ones.
namespace kaza::platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // MessageBoxA; returns IDOK, IDYES, IDNO...
    virtual int Message(HWND owner, const std::string& text, const std::string& title, unsigned style) = 0;
    // The open-file dialog. fileName is the dialog's file name in and out; false when cancelled.
    virtual bool OpenFile(HWND owner, const std::string& filter, std::string& fileName) = 0;
    // SHBrowseForFolderA + SHGetPathFromIDListA (256 characters) + CoTaskMemFree; empty when cancelled.
    virtual std::string BrowseForFolder(HWND owner, const std::string& title, unsigned flags) = 0;
};

class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual void Event(unsigned char vk, unsigned char scan, unsigned long flags, ULONG_PTR extra) = 0;
};

Dialogs& dialogs();
Keyboard& keyboard();
// Installs a replacement (tests); nullptr restores the real one. The caller keeps ownership.
void SetDialogs(Dialogs* d);
void SetKeyboard(Keyboard* k);

}  // namespace kaza::platform

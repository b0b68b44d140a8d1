#include "support/kaza_test.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <sddl.h>

#include "platform/files.h"
#include "platform/replace.h"
#include "platform/system.h"
#include "platform/text.h"
#include "presets/store.h"

namespace kaza::test {

std::string SecurityFromSddl(const std::string& sddl) {
    PSECURITY_DESCRIPTOR made = nullptr;
    ULONG size = 0;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &made, &size)) return {};
    std::string sd(static_cast<const char*>(made), size);
    LocalFree(made);
    return sd;
}

void ReadFoldersAsGuarded() {
    const std::string guarded = SecurityFromSddl("O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)");
    platform::SetFolderSecurityForTesting([guarded](const std::string&, std::string& sd) { return sd = guarded, true; },
                                          nullptr);
}

namespace {
[[maybe_unused]] const bool kFoldersReadAsGuarded = (ReadFoldersAsGuarded(), true);
}  // namespace

namespace {
int g_folderCounter = 0;
}

std::string StatusText(ui::Form& form, int panel) {
    HWND bar = FindWindowExA(form.hwnd(), nullptr, STATUSCLASSNAMEA, nullptr);
    if (!bar) return "<no status bar>";
    // The length counts characters where the bar keeps its text in Unicode, bytes where it keeps
    // it in the ANSI code page: either is the length of the text.
    size_t length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel - 1), 0));
    std::string buf(2 * length + 16, '\x7f');
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(buf.data()));
    size_t bytes = buf.find('\0');
    if (bytes == std::string::npos) return "<no terminator>";
    int chars = MultiByteToWideChar(CP_ACP, 0, buf.data(), static_cast<int>(bytes), nullptr, 0);
    if (length != bytes && length != static_cast<size_t>(chars))
        return "<length " + std::to_string(length) + ", text " + std::to_string(bytes) + " bytes>";
    return platform::FromAnsi(buf.data(), bytes);
}

void PressKey(HWND control, WPARAM vk) {
    MSG down{control, WM_KEYDOWN, vk, 1, GetTickCount(), {0, 0}};
    if (!ui::TranslateFormMessage(down)) {
        TranslateMessage(&down);
        DispatchMessageA(&down);
    }
    MSG up{control, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u), GetTickCount(), {0, 0}};
    if (IsWindow(control) && !ui::TranslateFormMessage(up)) {
        TranslateMessage(&up);
        DispatchMessageA(&up);
    }
    ui::DoEvents();
}

std::string ScratchFolder(const std::string& name) {
    std::string path = "C:\\kaza-test\\" + name;
    RemoveTree(path);
    CreateDirectoryA("C:\\kaza-test", nullptr);
    CreateDirectoryA(platform::ToAnsi(path).c_str(), nullptr);
    return path;
}

void RemoveTree(const std::string& path) {
    std::string from = platform::ToAnsi(path);
    if (GetFileAttributesA(from.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    from.push_back('\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

ProgramFolder::ProgramFolder(bool withPagePictures) {
    path_ = ScratchFolder("prog" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++g_folderCounter));
    CreateDirectoryA(platform::ToAnsi(plugins()).c_str(), nullptr);
    if (withPagePictures) {
        for (const char* f : presets::kPagePictures)
            EXPECT_TRUE(platform::CopyFileInPlace(std::string(KAZA_PLUGINS_DIR) + "\\" + f, plugins() + "\\" + f));
    }
    platform::SetProgramFolderForTesting(path_);
}

std::string ProgramFolder::plugins() const { return path_ + "\\" + presets::kPluginsFolder; }
std::string ProgramFolder::index() const { return plugins() + "\\" + presets::kIndexFile; }

ProgramFolder::~ProgramFolder() {
    platform::SetProgramFolderForTesting("");
    RemoveTree(path_);
}

std::string ReadBytes(const std::string& path) {
    std::string b;
    platform::ReadWholeFile(path, b);
    return b;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    EXPECT_TRUE(platform::WriteWholeFile(path, bytes)) << path;
}

std::string Sjis(const std::string& utf8) { return platform::ToAnsi(utf8); }

void SetText(platform::Root root, const std::string& key, const std::string& value, const std::string& text) {
    ASSERT_TRUE(platform::RegWriteString(root, key, value, text));
}

void SetDword(platform::Root root, const std::string& key, const std::string& value, DWORD n) {
    ASSERT_TRUE(platform::RegWriteRaw(root, key, value, REG_DWORD, &n, sizeof n));
}

void DeleteValue(platform::Root root, const std::string& key, const std::string& value) {
    static_cast<void>(platform::RegDeleteValueIn(root, key, value));
}

void DeleteKeyTree(platform::Root root, const std::string& key) {
    SHDeleteKeyA(root == platform::Root::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                 platform::ToAnsi(key).c_str());
}

ScriptedDialogs::ScriptedDialogs() { platform::SetDialogs(this); }
ScriptedDialogs::~ScriptedDialogs() { platform::SetDialogs(nullptr); }

int ScriptedDialogs::Message(HWND, const std::string& text, const std::string& title, unsigned style) {
    messages.push_back({text, title, style});
    if (messageAnswers.empty()) return IDOK;
    int a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
}

bool ScriptedDialogs::OpenFile(HWND, const std::string& filter, std::string& fileName) {
    openFilters.push_back(filter);
    if (openAnswers.empty() || openAnswers.front().empty()) {
        if (!openAnswers.empty()) openAnswers.pop_front();
        return false;
    }
    fileName = openAnswers.front();
    openAnswers.pop_front();
    return true;
}

std::string ScriptedDialogs::BrowseForFolder(HWND, const std::string& title, unsigned flags) {
    browseTitles.push_back(title);
    browseFlags.push_back(flags);
    if (browseAnswers.empty()) return {};
    std::string a = browseAnswers.front();
    browseAnswers.pop_front();
    return a;
}

RecordingKeyboard::RecordingKeyboard() { platform::SetKeyboard(this); }
RecordingKeyboard::~RecordingKeyboard() { platform::SetKeyboard(nullptr); }

void RecordingKeyboard::Event(unsigned char vk, unsigned char scan, unsigned long flags, ULONG_PTR extra) {
    calls.push_back({vk, scan, flags, extra});
    if (log) log->push_back("key " + std::to_string(vk) + (flags & KEYEVENTF_KEYUP ? " up" : " down"));
}

}  // namespace kaza::test

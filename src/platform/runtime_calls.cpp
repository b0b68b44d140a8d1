// Calls that GCC's own runtime makes through the wide-character forms. Windows 95, 98 and Me only
// stub most ...W calls (they fail with ERROR_CALL_NOT_IMPLEMENTED), so on the 32-bit build these
// definitions take the place of the import-table entries and do the same through the ANSI forms,
// which every system implements. The runtime asks only for unnamed semaphores and for its own
// DLL names, which are plain ASCII.
//
// This file is compiled into every program (not into the library), so that the linker meets these
// symbols before the system's import libraries.
#if defined(__i386__)
#include <windows.h>

namespace {

bool Narrow(LPCWSTR wide, char* out, int size) {
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, out, size, nullptr, nullptr) > 0;
}

HANDLE WINAPI CreateSemaphoreThroughAnsi(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum,
                                         LPCWSTR name) {
    char ansi[MAX_PATH];
    if (name && !Narrow(name, ansi, sizeof ansi)) return nullptr;
    return CreateSemaphoreA(security, initial, maximum, name ? ansi : nullptr);
}

HMODULE WINAPI GetModuleHandleThroughAnsi(LPCWSTR name) {
    char ansi[MAX_PATH];
    if (name && !Narrow(name, ansi, sizeof ansi)) return nullptr;
    return GetModuleHandleA(name ? ansi : nullptr);
}

HMODULE WINAPI LoadLibraryThroughAnsi(LPCWSTR name) {
    char ansi[MAX_PATH];
    if (!name || !Narrow(name, ansi, sizeof ansi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryA(ansi);
}

}  // namespace

// The import-address slots the runtime's objects call through.
extern "C" {
extern void* const kaza_create_semaphore __asm__("__imp__CreateSemaphoreW@16");
extern void* const kaza_get_module_handle __asm__("__imp__GetModuleHandleW@4");
extern void* const kaza_load_library __asm__("__imp__LoadLibraryW@4");
void* const kaza_create_semaphore = reinterpret_cast<void*>(&CreateSemaphoreThroughAnsi);
void* const kaza_get_module_handle = reinterpret_cast<void*>(&GetModuleHandleThroughAnsi);
void* const kaza_load_library = reinterpret_cast<void*>(&LoadLibraryThroughAnsi);
}
#endif

#pragma once
// Functions that not every system exports, looked up at run time instead of imported: an import
// the oldest system lacks would stop the program from loading there at all.
#include <windows.h>

namespace kaza::platform {

// `name` in `module`, as the function pointer type F; null where the module is missing or lacks it.
template <typename F>
F LookUp(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The same in a DLL the program has loaded already (kernel32, user32, ...), named by its file name:
// a DLL not loaded yet is not loaded for it (LoadSystemDll in system.h loads one by full path).
template <typename F>
F LookUp(const char* loadedDll, const char* name) {
    return LookUp<F>(GetModuleHandleA(loadedDll), name);
}

}  // namespace kaza::platform

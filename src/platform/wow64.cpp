#include "platform/wow64.h"

#include <windows.h>

#include "platform/lookup.h"

namespace kaza::platform {
namespace {

// Each of these exists only on some systems, so each is looked up, never imported.
template <typename F>
F Kernel32(const char* name) {
    return LookUp<F>("kernel32.dll", name);
}

class SystemWow64 final : public Wow64 {
public:
    bool Active() override {
        static const bool active = [] {
            using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
            auto isWow64 = Kernel32<IsWow64ProcessFn>("IsWow64Process");
            BOOL result = FALSE;
            return isWow64 && isWow64(GetCurrentProcess(), &result) && result;
        }();
        return active;
    }

    // 2000 and older refuse the view bits, so they are given only where they mean something.
    unsigned long MachineView() override { return Active() ? KEY_WOW64_64KEY : 0; }

    bool DisableRedirection(void** previous) override {
        using DisableFn = BOOL(WINAPI*)(void**);
        static const auto disable = Kernel32<DisableFn>("Wow64DisableWow64FsRedirection");
        return disable && disable(previous);
    }

    void RevertRedirection(void* previous) override {
        using RevertFn = BOOL(WINAPI*)(void*);
        static const auto revert = Kernel32<RevertFn>("Wow64RevertWow64FsRedirection");
        if (revert) revert(previous);
    }
};

SystemWow64 g_systemWow64;
Wow64* g_wow64 = &g_systemWow64;

}  // namespace

Wow64& wow64() { return *g_wow64; }
Wow64& systemWow64() { return g_systemWow64; }
void SetWow64(Wow64* w) { g_wow64 = w ? w : &g_systemWow64; }

RealSystemFolder::RealSystemFolder() {
    if (wow64().Active()) disabled_ = wow64().DisableRedirection(&previous_);
}

RealSystemFolder::~RealSystemFolder() {
    if (disabled_) wow64().RevertRedirection(previous_);
}

}  // namespace kaza::platform

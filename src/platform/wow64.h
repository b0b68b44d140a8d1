#pragma once

// A 32-bit program on 64-bit Windows is shown, unless it asks otherwise, a folder of its own in
// place of the system folder and a registry view of its own under HKEY_LOCAL_MACHINE\SOFTWARE;
// what it writes there the 64-bit system never reads. These reach what the system itself uses.
namespace kaza::platform {

class Wow64 {
public:
    virtual ~Wow64() = default;
    // IsWow64Process for this process; false where the function does not exist (before XP SP2,
    // and every 32-bit system).
    virtual bool Active() = 0;
    // Registry access bits added whenever HKEY_LOCAL_MACHINE is opened.
    virtual unsigned long MachineView() = 0;
    // Wow64DisableWow64FsRedirection / Wow64RevertWow64FsRedirection for this thread.
    virtual bool DisableRedirection(void** previous) = 0;
    virtual void RevertRedirection(void* previous) = 0;
};

Wow64& wow64();
// The system's own answers.
Wow64& systemWow64();
// Installs a replacement (tests); nullptr restores the real one. The caller keeps ownership.
void SetWow64(Wow64* w);

// While alive, the file calls of this thread reach the real system folder. Only under WOW64 does
// it do anything; it is kept around plain file calls only, never around anything that may load a
// library (a 64-bit DLL would be found in place of the 32-bit one).
class RealSystemFolder {
public:
    RealSystemFolder();
    ~RealSystemFolder();
    RealSystemFolder(const RealSystemFolder&) = delete;
    RealSystemFolder& operator=(const RealSystemFolder&) = delete;

private:
    bool disabled_ = false;
    void* previous_ = nullptr;
};

}  // namespace kaza::platform

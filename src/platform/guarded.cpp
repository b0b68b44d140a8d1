// Folders only administrators may change (CreateGuardedFolder in files.h). The security calls are
// looked up at run time: the 9x family's advapi32 lacks some of them or only stubs them, and
// SetSecurityDescriptorControl came with Windows 2000.
#include <windows.h>

#include <cstring>

#include "platform/files.h"
#include "platform/system.h"
#include "platform/lookup.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {
namespace {

template <typename F>
F Advapi(const char* name) {
    return LookUp<F>("advapi32.dll", name);
}

// Well-known SIDs, the same on every system and in every language (the names are translated).
struct WellKnownSid {
    BYTE revision, count;
    SID_IDENTIFIER_AUTHORITY authority;
    DWORD sub[2];
};
const WellKnownSid kAdministrators{SID_REVISION, 2, {SECURITY_NT_AUTHORITY}, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}};
const WellKnownSid kUsers{SID_REVISION, 2, {SECURITY_NT_AUTHORITY}, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS}};
const WellKnownSid kSystem{SID_REVISION, 1, {SECURITY_NT_AUTHORITY}, {SECURITY_LOCAL_SYSTEM_RID, 0}};

using InitializeAclFn = BOOL(WINAPI*)(PACL, DWORD, DWORD);
using AddAceFn = BOOL(WINAPI*)(PACL, DWORD, DWORD, PSID);
using GetAceFn = BOOL(WINAPI*)(PACL, DWORD, LPVOID*);
using InitializeSdFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, DWORD);
using SetDaclFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, BOOL, PACL, BOOL);
using SetControlFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL, SECURITY_DESCRIPTOR_CONTROL);
using MakeSelfRelativeFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, PSECURITY_DESCRIPTOR, LPDWORD);
using SetOwnerFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, PSID, BOOL);

// The three entries, each also handed down to the files and folders made inside. AddAccessAllowedAce
// (NT 3.1) takes no inheritance flags, so they are set on each entry afterwards.
bool BuildAcl(ACL* acl, DWORD size) {
    auto initialize = Advapi<InitializeAclFn>("InitializeAcl");
    auto add = Advapi<AddAceFn>("AddAccessAllowedAce");
    auto get = Advapi<GetAceFn>("GetAce");
    if (!initialize || !add || !get || !initialize(acl, size, ACL_REVISION)) return false;
    const std::pair<const WellKnownSid*, DWORD> entries[] = {
        {&kAdministrators, FILE_ALL_ACCESS},
        {&kSystem, FILE_ALL_ACCESS},
        {&kUsers, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE},
    };
    DWORD index = 0;
    for (const auto& [sid, rights] : entries) {
        void* ace = nullptr;
        if (!add(acl, ACL_REVISION, rights, const_cast<WellKnownSid*>(sid)) || !get(acl, index++, &ace)) return false;
        static_cast<ACE_HEADER*>(ace)->AceFlags = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
    }
    return true;
}

}  // namespace

namespace {
std::string GuardedSecurity(bool withOwner) {
    if (WindowsVersion().platformId != VER_PLATFORM_WIN32_NT) return {};
    // Room for the header and three entries, each an ACCESS_ALLOWED_ACE whose SidStart holds the
    // SID's first four bytes.
    DWORD size = sizeof(ACL);
    for (const WellKnownSid* sid : {&kAdministrators, &kSystem, &kUsers})
        size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + 8 + 4 * sid->count;
    alignas(DWORD) BYTE aclBytes[256];
    auto* acl = reinterpret_cast<ACL*>(aclBytes);
    SECURITY_DESCRIPTOR sd{};
    auto initializeSd = Advapi<InitializeSdFn>("InitializeSecurityDescriptor");
    auto setDacl = Advapi<SetDaclFn>("SetSecurityDescriptorDacl");
    auto makeSelfRelative = Advapi<MakeSelfRelativeFn>("MakeSelfRelativeSD");
    if (size > sizeof aclBytes || !BuildAcl(acl, size) || !initializeSd || !setDacl || !makeSelfRelative ||
        !initializeSd(&sd, SECURITY_DESCRIPTOR_REVISION) || !setDacl(&sd, TRUE, acl, FALSE))
        return {};
    // From 2000 on, entries handed down by the folder above would be added to these: the program's
    // folder is usually one its user may change. NT 4.0 adds none and has no such call.
    // Where the call exists and fails, the folder would take in what its parent allows.
    auto setControl = Advapi<SetControlFn>("SetSecurityDescriptorControl");
    if (setControl && !setControl(&sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) return {};
    auto setOwner = Advapi<SetOwnerFn>("SetSecurityDescriptorOwner");
    if (withOwner && (!setOwner || !setOwner(&sd, const_cast<WellKnownSid*>(&kAdministrators), FALSE))) return {};
    DWORD length = 0;
    makeSelfRelative(&sd, nullptr, &length);
    std::string relative(length, '\0');
    if (length == 0 || !makeSelfRelative(&sd, relative.data(), &length)) return {};
    return relative;
}

bool SameSid(const void* sid, const WellKnownSid& known) {
    const auto* bytes = static_cast<const BYTE*>(sid);
    return sid && std::memcmp(bytes, &known, 8) == 0 && std::memcmp(bytes + 8, known.sub, 4 * known.count) == 0;
}

// What lets the holder write, delete, or change who may.
constexpr DWORD kChanging = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD |
                            FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL |
                            MAXIMUM_ALLOWED;
const SID_IDENTIFIER_AUTHORITY kCreatorAuthority = SECURITY_CREATOR_SID_AUTHORITY;

// A folder's own security, read and set through these; tests stand in for them.
FolderSecurityReader& Reader() {
    static FolderSecurityReader read;
    return read;
}
FolderSecurityWriter& Writer() {
    static FolderSecurityWriter write;
    return write;
}

bool ReadSecurity(const std::string& path, std::string& sd) {
    if (Reader()) return Reader()(path, sd);
    RealSystemFolder systemFolder;
    const std::string ansi = ToAnsi(path);
    constexpr SECURITY_INFORMATION kWhat = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    using GetFn = BOOL(WINAPI*)(LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, DWORD, LPDWORD);
    auto get = Advapi<GetFn>("GetFileSecurityA");
    DWORD size = 0;
    if (!get) return false;
    get(ansi.c_str(), kWhat, nullptr, 0, &size);
    if (size == 0) return false;
    sd.assign(size, '\0');
    return get(ansi.c_str(), kWhat, sd.data(), size, &size) != FALSE;
}

bool WriteSecurity(const std::string& path, unsigned long what, const std::string& sd) {
    if (Writer()) return Writer()(path, what, sd);
    RealSystemFolder systemFolder;
    using SetFn = BOOL(WINAPI*)(LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR);
    auto set = Advapi<SetFn>("SetFileSecurityA");
    return set && set(ToAnsi(path).c_str(), what, const_cast<char*>(sd.data())) != FALSE;
}

// An administrator may take any file's ownership, but only with the privilege switched on.
void AllowTakingOwnership() {
    using OpenTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using LookupFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
    using AdjustFn = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    auto openToken = Advapi<OpenTokenFn>("OpenProcessToken");
    auto lookup = Advapi<LookupFn>("LookupPrivilegeValueA");
    auto adjust = Advapi<AdjustFn>("AdjustTokenPrivileges");
    HANDLE token = nullptr;
    if (!openToken || !lookup || !adjust || !openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookup(nullptr, "SeTakeOwnershipPrivilege", &privileges.Privileges[0].Luid))
        adjust(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

}  // namespace

std::string GuardedFolderSecurity() { return GuardedSecurity(false); }

bool IsGuardedSecurity(const std::string& sd) {
    using GetOwnerFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, PSID*, LPBOOL);
    using GetDaclFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, LPBOOL, PACL*, LPBOOL);
    auto getOwner = Advapi<GetOwnerFn>("GetSecurityDescriptorOwner");
    auto getDacl = Advapi<GetDaclFn>("GetSecurityDescriptorDacl");
    auto getAce = Advapi<GetAceFn>("GetAce");
    if (sd.empty() || !getOwner || !getDacl || !getAce) return false;
    auto* descriptor = const_cast<char*>(sd.data());
    PSID owner = nullptr;
    BOOL defaulted = FALSE, present = FALSE;
    PACL acl = nullptr;
    if (!getOwner(descriptor, &owner, &defaulted) || !(SameSid(owner, kAdministrators) || SameSid(owner, kSystem)))
        return false;
    // No list at all lets everyone do anything.
    if (!getDacl(descriptor, &present, &acl, &defaulted) || !present || !acl) return false;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* ace = nullptr;
        if (!getAce(acl, i, &ace)) return false;
        const auto* header = static_cast<const ACE_HEADER*>(ace);
        if (header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == SYSTEM_AUDIT_ACE_TYPE ||
            header->AceType == SYSTEM_ALARM_ACE_TYPE)
            continue;
        // Allowing entries of other layouts (object, callback) are not read: not guarded.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
        const auto* allow = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
        const auto* sid = reinterpret_cast<const BYTE*>(&allow->SidStart);
        // CREATOR OWNER and the like stand for whoever makes something inside: only those who
        // may change the folder.
        if (std::memcmp(sid + 2, &kCreatorAuthority, sizeof kCreatorAuthority) == 0) continue;
        if ((allow->Mask & kChanging) && !SameSid(sid, kAdministrators) && !SameSid(sid, kSystem)) return false;
    }
    return true;
}

GuardState GuardFolder(std::string_view path) {
    if (WindowsVersion().platformId != VER_PLATFORM_WIN32_NT) return GuardState::Guarded;
    // A link would lead the copies somewhere else.
    if (IsReparsePoint(path)) return GuardState::Refused;
    std::string sd;
    const std::string folder(path);
    if (ReadSecurity(folder, sd) && IsGuardedSecurity(sd)) return GuardState::Guarded;
    // Ownership first: only the owner may then set the list. 2000 and later also take the
    // list's protection from the descriptor only when asked to.
    const std::string guarded = GuardedSecurity(true);
    const bool protectable = Advapi<SetControlFn>("SetSecurityDescriptorControl") != nullptr;
    AllowTakingOwnership();
    if (guarded.empty() || !WriteSecurity(folder, OWNER_SECURITY_INFORMATION, guarded) ||
        !WriteSecurity(folder, DACL_SECURITY_INFORMATION | (protectable ? PROTECTED_DACL_SECURITY_INFORMATION : 0),
                       guarded))
        return GuardState::Refused;
    return GuardState::TakenOver;
}

void SetFolderSecurityForTesting(FolderSecurityReader read, FolderSecurityWriter write) {
    Reader() = std::move(read);
    Writer() = std::move(write);
}

Outcome CreateGuardedFolder(std::string_view path, bool fresh, GuardState* state) {
    if (state) *state = GuardState::Guarded;
    if (WindowsVersion().platformId != VER_PLATFORM_WIN32_NT) return CreateFolder(path, fresh);
    std::string sd = GuardedFolderSecurity();
    // Without its permissions the folder is not made: a safety copy any user may change is worth
    // less than the question whether to go on without one.
    if (sd.empty()) return Outcome::Failed(ERROR_INVALID_SECURITY_DESCR);
    SECURITY_ATTRIBUTES sa{sizeof sa, sd.data(), FALSE};
    RealSystemFolder systemFolder;
    if (CreateDirectoryA(ToAnsi(path).c_str(), &sa)) return {};
    const Outcome failed = Outcome::LastError();
    if (fresh || failed.error() != ERROR_ALREADY_EXISTS || !FolderExists(path)) return failed;
    // Made before, perhaps by a user who is no administrator and owns it.
    const GuardState found = GuardFolder(path);
    if (state) *state = found;
    return found == GuardState::Refused ? Outcome::Failed(ERROR_ACCESS_DENIED) : Outcome();
}

}  // namespace kaza::platform

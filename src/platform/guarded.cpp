// Folders only administrators may change (CreateGuardedFolder in files.h). The security calls are
// looked up at run time: the 9x family's advapi32 lacks some of them or only stubs them, and
// SetSecurityDescriptorControl came with Windows 2000.
#include <windows.h>

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

std::string GuardedFolderSecurity() {
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
    if (auto setControl = Advapi<SetControlFn>("SetSecurityDescriptorControl"))
        setControl(&sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    DWORD length = 0;
    makeSelfRelative(&sd, nullptr, &length);
    std::string relative(length, '\0');
    if (length == 0 || !makeSelfRelative(&sd, relative.data(), &length)) return {};
    return relative;
}

Outcome CreateGuardedFolder(std::string_view path, bool fresh) {
    if (WindowsVersion().platformId != VER_PLATFORM_WIN32_NT) return CreateFolder(path, fresh);
    std::string sd = GuardedFolderSecurity();
    // Without its permissions the folder is not made: a safety copy any user may change is worth
    // less than the question whether to go on without one.
    if (sd.empty()) return Outcome::Failed(ERROR_INVALID_SECURITY_DESCR);
    SECURITY_ATTRIBUTES sa{sizeof sa, sd.data(), FALSE};
    RealSystemFolder systemFolder;
    if (CreateDirectoryA(ToAnsi(path).c_str(), &sa)) return {};
    const Outcome failed = Outcome::LastError();
    return !fresh && failed.error() == ERROR_ALREADY_EXISTS && FolderExists(path) ? Outcome() : failed;
}

}  // namespace kaza::platform

// The folder of the safety copies on the NT family: only administrators and the system may change
// it or what is made in it, users may read, and nothing comes from the permissions of the folder
// it is in (the program's folder, which its user may change).
#include <windows.h>

#include <map>
#include <string>

#include "platform/files.h"
#include "platform/system.h"
#include "support/kaza_test.h"

namespace kaza {
namespace {

// Each entry of a descriptor's DACL, "S-1-5-32-544" and the like → rights allowed; "protected"
// → 1 when nothing is inherited from the folder above.
std::map<std::string, DWORD> Allowed(void* sd) {
    std::map<std::string, DWORD> allowed;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(sd, &control, &revision);
    allowed["protected"] = (control & SE_DACL_PROTECTED) ? 1 : 0;
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetSecurityDescriptorDacl(sd, &present, &acl, &defaulted) || !present || !acl) return allowed;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* ace = nullptr;
        GetAce(acl, i, &ace);
        auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        PSID sid = &allow->SidStart;
        std::string name = "S-1-5";
        for (DWORD k = 0; k < *GetSidSubAuthorityCount(sid); ++k) name += "-" + std::to_string(*GetSidSubAuthority(sid, k));
        if (allow->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) name = "not allowed " + name;
        allowed[name] |= allow->Mask;
    }
    return allowed;
}

std::map<std::string, DWORD> AllowedOn(const std::string& folder) {
    DWORD size = 0;
    GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::string sd(size, '\0');
    if (!GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, sd.data(), size, &size)) return {};
    return Allowed(sd.data());
}

TEST(GuardedFolder, OnlyAdministratorsAndTheSystemMayChangeIt) {
    const std::map<std::string, DWORD> expected = {{"protected", 1},
                                                   {"S-1-5-32-544", FILE_ALL_ACCESS},
                                                   {"S-1-5-18", FILE_ALL_ACCESS},
                                                   {"S-1-5-32-545", FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
    std::string sd = platform::GuardedFolderSecurity();
    ASSERT_FALSE(sd.empty());
    EXPECT_EQ(Allowed(sd.data()), expected);

    const std::string parent = test::ScratchFolder("guarded");
    const std::string folder = parent + "\\SafetyCopies";
    ASSERT_TRUE(platform::CreateGuardedFolder(folder));
    ASSERT_TRUE(platform::CreateFolder(folder + "\\copy"));
    // Wine keeps no permissions of its own (it maps them to Unix mode bits and makes up a DACL
    // from those): the folder's own can be read back only on Windows.
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
        EXPECT_EQ(AllowedOn(folder), expected);
        std::map<std::string, DWORD> inside = expected;
        inside["protected"] = 0;  // inherited from the guarded folder
        EXPECT_EQ(AllowedOn(folder + "\\copy"), inside);
    }

    // A folder already there is used as it is; with `fresh`, only a new one counts.
    EXPECT_TRUE(platform::CreateGuardedFolder(folder));
    EXPECT_FALSE(platform::CreateGuardedFolder(folder, true));

    // The 9x family keeps no permissions: the folder is made as any other.
    platform::VersionInfo win98{true, VER_PLATFORM_WIN32_WINDOWS, 67766446, 4, 10};
    platform::SetVersionForTesting(&win98);
    EXPECT_TRUE(platform::GuardedFolderSecurity().empty());
    EXPECT_TRUE(platform::CreateGuardedFolder(parent + "\\nine"));
    platform::SetVersionForTesting(nullptr);
    test::RemoveTree(parent);
}

}  // namespace
}  // namespace kaza

// The folder of the safety copies on the NT family: only administrators and the system may change
// it or what is made in it, users may read, and nothing comes from the permissions of the folder
// it is in (the program's folder, which its user may change).
#include <windows.h>
#include <sddl.h>

#include <string>

#include "platform/files.h"
#include "platform/lookup.h"
#include "platform/system.h"
#include "support/kaza_test.h"

namespace kaza {
namespace {

// A security descriptor's access list in SDDL, as the system writes it out: "D:P(A;OICI;FA;;;BA)...".
std::string SddlOf(void* sd) {
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                              nullptr))
        return "<none>";
    std::string sddl = text;
    LocalFree(text);
    return sddl;
}

// An access list written out by hand, in the form the system writes it out (the rights named
// as it names them).
std::string WrittenOut(const char* written) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(written, SDDL_REVISION_1, &sd, nullptr)) return written;
    std::string sddl = SddlOf(sd);
    LocalFree(sd);
    return sddl;
}

std::string SddlOn(const std::string& folder) {
    DWORD size = 0;
    GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::string sd(size, '\0');
    if (!GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, sd.data(), size, &size)) return {};
    return SddlOf(sd.data());
}

TEST(GuardedFolder, OnlyAdministratorsAndTheSystemMayChangeIt) {
    // Protected from the folder above (P); Administrators (BA) and the system (SY) full control,
    // Users (BU) read and run (FILE_GENERIC_READ | FILE_GENERIC_EXECUTE); each entry handed down to
    // the files (OI) and folders (CI) made inside.
    const std::string expected = WrittenOut("D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)");
    std::string sd = platform::GuardedFolderSecurity();
    ASSERT_FALSE(sd.empty());
    EXPECT_EQ(SddlOf(sd.data()), expected);

    const std::string parent = test::ScratchFolder("guarded");
    const std::string folder = parent + "\\SafetyCopies";
    ASSERT_TRUE(platform::CreateGuardedFolder(folder));
    ASSERT_TRUE(platform::CreateFolder(folder + "\\copy"));
    // Wine keeps no permissions of its own (it maps them to Unix mode bits and makes up a DACL
    // from those): the folder's own can be read back only on Windows.
    if (!platform::LookUp<void*>("ntdll.dll", "wine_get_version")) {
        EXPECT_EQ(SddlOn(folder), expected);
        // Inside, the same entries, inherited (ID) from the guarded folder.
        const std::string inside = SddlOn(folder + "\\copy");
        EXPECT_NE(inside.find("(A;OICIID;FA;;;BA)(A;OICIID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)"), std::string::npos)
            << inside;
        EXPECT_NE(inside.rfind("D:P", 0), 0u) << inside;
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

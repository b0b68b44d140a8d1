// The folder of the safety copies on the NT family: only administrators and the system may change
// it or what is made in it, users may read, and nothing comes from the permissions of the folder
// it is in (the program's folder, which its user may change).
#include <windows.h>
#include <sddl.h>

#include <string>
#include <vector>

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

// A folder made first by someone else is judged by its owner and its list alone: this Wine reads
// back a made-up list whatever a program set, so the descriptors are written out here.
TEST(GuardedFolder, OnlyAnAdministratorsFolderNoOneElseMayChangeIsGuarded) {
    const std::pair<const char*, bool> table[] = {
        {"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", true},  // the guarded list
        {"O:SYD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;;FR;;;WD)(D;;FA;;;BU)", true},
        {"O:BAD:(A;OICIIO;FA;;;CO)(A;OICI;FA;;;BA)", true},  // whoever makes something inside
        {"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", false},
        {"D:P(A;OICI;FA;;;BA)", false},  // no owner
        {"O:BAD:P(A;OICI;FA;;;BA)(A;;FW;;;BU)", false},
        {"O:BAD:P(A;OICI;FA;;;BA)(A;;0x40;;;BU)", false},  // delete what is inside
        {"O:BAD:P(A;OICI;FA;;;BA)(A;;SD;;;BU)", false},
        {"O:BAD:P(A;OICI;FA;;;BA)(A;;WD;;;BU)", false},
        {"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;WD)", false},  // Everyone, full control
        {"O:BAD:P(A;OICI;GA;;;AU)", false},
    };
    for (const auto& [sddl, guarded] : table) {
        const std::string sd = test::SecurityFromSddl(sddl);
        ASSERT_FALSE(sd.empty()) << sddl;
        EXPECT_EQ(platform::IsGuardedSecurity(sd), guarded) << sddl;
    }
    // A list present but null lets everyone do anything (this Wine's SDDL reader makes an empty
    // one of NO_ACCESS_CONTROL).
    std::string open = test::SecurityFromSddl("O:BAD:(A;;FR;;;BA)");
    reinterpret_cast<SECURITY_DESCRIPTOR_RELATIVE*>(open.data())->Dacl = 0;
    EXPECT_FALSE(platform::IsGuardedSecurity(open));
}

// Taken over: the owner first, since only the owner may then set the protected list.
TEST(GuardedFolder, AFolderOthersMayChangeIsTakenOverOwnerFirst) {
    const std::string folder = test::ScratchFolder("taken");
    std::vector<std::pair<unsigned long, std::string>> written;
    platform::SetFolderSecurityForTesting(
        [](const std::string&, std::string& sd) { return sd = test::SecurityFromSddl("O:BAD:(A;;FA;;;WD)"), true; },
        [&](const std::string&, unsigned long what, const std::string& sd) { return written.push_back({what, sd}), true; });
    EXPECT_EQ(platform::GuardFolder(folder), platform::GuardState::TakenOver);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].first, static_cast<unsigned long>(OWNER_SECURITY_INFORMATION));
    EXPECT_EQ(written[1].first, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION);
    EXPECT_TRUE(platform::IsGuardedSecurity(written[1].second));
    // A link is refused without a look at what it leads to.
    platform::SetAttributesForTesting([](const std::string&) { return 0x410ul; });  // folder, reparse point
    EXPECT_EQ(platform::GuardFolder(folder), platform::GuardState::Refused);
    platform::SetAttributesForTesting(nullptr);
    test::ReadFoldersAsGuarded();
    test::RemoveTree(folder);
}

}  // namespace
}  // namespace kaza

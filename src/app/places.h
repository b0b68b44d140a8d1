#pragma once
#include <string>

// The places in the system this program writes, named once for the commands that write them and
// for the safety copies that keep what they held.
namespace kaza {

// Where the access restrictions shown by AAA-DDD, the lines and Label4 are kept (current user).
inline constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\SYSTEM";
inline constexpr const char* kPolicyValueNames[4] = {"NODEVMGRPAGE", "NOCONFIGPAGE", "NOFILESYSPAGE",
                                                     "NOVIRTMEMPAGE"};

// The processor's hardware description (local machine): its name and vendor identifier.
inline constexpr const char* kProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// The registered user (local machine), under the key of the running family: SYT is "" or " NT".
inline std::string RegistrationKey(const std::string& syt) {
    return "SOFTWARE\\Microsoft\\Windows" + syt + "\\CurrentVersion";
}
inline constexpr const char* kRegistrationValueNames[3] = {"RegisteredOwner", "RegisteredOrganization",
                                                           "ProductId"};

}  // namespace kaza

#pragma once
#include <string>

// Every registry key, value name and system file the program reads or writes, named once.
// The files beside the program are named by the preset store (presets/store.h).
namespace kaza::places {

// ---- HKEY_LOCAL_MACHINE
inline constexpr const char* kProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
inline constexpr const char* kIdentifier = "Identifier";
inline constexpr const char* kVendorIdentifier = "VendorIdentifier";
inline constexpr const char* kProcessorName = "ProcessorNameString";

// Product name and service pack, read on either family.
inline constexpr const char* kNtVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr const char* kProductName = "ProductName";
inline constexpr const char* kServicePack = "CSDVersion";
// The build as the system names it; on 10 and 11 it tells which page the system shows.
inline constexpr const char* kCurrentBuildNumber = "CurrentBuildNumber";

// The registration values live under the running family's version key: `syt` is the main
// window's SYT, "" on the 9x family and " NT" on the NT family.
inline std::string VersionKey(const std::string& syt) { return "SOFTWARE\\Microsoft\\Windows" + syt + "\\CurrentVersion"; }
inline constexpr const char* kRegisteredOwner = "RegisteredOwner";
inline constexpr const char* kRegisteredOrganization = "RegisteredOrganization";
inline constexpr const char* kProductId = "ProductId";
// In the order of the fields Text1(0), Text1(1), Text1(2).
inline constexpr const char* kRegistrationValues[3] = {kRegisteredOwner, kRegisteredOrganization, kProductId};

// What Vista and later show of the maker: the System control panel (6.0 to 6.3) and Settings'
// version page (10 and 11) read these REG_SZ values instead of oeminfo.ini. The program writes
// the values of the maker's details (kMakerDetails, app/maker.h) and leaves every other value of
// the key alone.
inline constexpr const char* kOemInformationKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

// ---- HKEY_CURRENT_USER
// The access restrictions, each mirrored by one of AAA-DDD (kRestrictions in app/form1.h).
inline constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\SYSTEM";
inline constexpr const char* kNoDeviceManagerPage = "NODEVMGRPAGE";
inline constexpr const char* kNoHardwareProfilesPage = "NOCONFIGPAGE";
inline constexpr const char* kNoFileSystemButton = "NOFILESYSPAGE";
inline constexpr const char* kNoVirtualMemoryButton = "NOVIRTMEMPAGE";

// ---- Files in the system folder (Labe), each joined as "\" + name.
inline constexpr const char* kInfoFile = "oeminfo.ini";
// The logo as the apply writes it, and as the backup copies and restores it: one file, since
// the platform matches file names without regard to letter case.
inline constexpr const char* kLogoFile = "OEMLOGO.BMP";
inline constexpr const char* kLogoCopyFile = "oemlogo.bmp";
// The logo of Vista and later, which OEMInformation's Logo names: a file of its own, so that the
// logo 98 to XP show stays as it is.
inline constexpr const char* kSmallLogoFile = "kazaguruma-oemlogo.bmp";

}  // namespace kaza::places

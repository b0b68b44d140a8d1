#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace kaza::platform {

// The maker and model the firmware names in its SMBIOS system information (structure type 1),
// as bytes; empty where the table names none.
struct FirmwareNames {
    std::string manufacturer, product;
};

// Reads the names from the table GetSystemFirmwareTable('RSMB') returns: the 8-byte header
// (calling method, version, table length), then the structures. The bytes come from firmware
// that may be wrong: a length past the end, a missing terminator or a string number beyond the
// structure's strings gives an empty name, never a read outside the buffer. Control characters
// become blanks.
FirmwareNames SmbiosSystemNames(const unsigned char* bytes, size_t size);

// Whether the system has GetSystemFirmwareTable (XP x64 SP1, Vista and later); looked up at run
// time, since older systems lack it.
bool HasFirmwareTables();
// The raw SMBIOS table; empty where the function is missing or fails.
std::vector<unsigned char> SmbiosTable();

// Tests: a firmware of their own, or a system without the function (present false), for both
// calls above; nullptr asks the system again.
struct FirmwareForTesting {
    bool present;
    std::vector<unsigned char> table;
};
void SetFirmwareForTesting(const FirmwareForTesting* f);

}  // namespace kaza::platform

#include "platform/firmware.h"

#include <windows.h>

#include <algorithm>

#include "platform/lookup.h"

namespace kaza::platform {
namespace {

constexpr size_t kHeaderBytes = 8;  // calling method, major, minor, DMI revision, DWORD length
constexpr unsigned char kSystemInformation = 1;
constexpr unsigned char kEndOfTable = 127;
constexpr size_t kFormattedHead = 4;  // type, length, handle

// The string numbered `n` (from 1) of the strings that follow a structure in [from, to); "" for
// 0 or a number past the last string.
std::string StringAt(const unsigned char* bytes, size_t from, size_t to, unsigned char n) {
    if (n == 0) return {};
    size_t at = from;
    for (unsigned char k = 1; at < to && bytes[at] != 0; ++k) {
        size_t end = at;
        while (end < to && bytes[end] != 0) ++end;
        if (k == n) {
            std::string s(reinterpret_cast<const char*>(bytes + at), end - at);
            for (char& c : s)
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
            return s;
        }
        at = end + 1;
    }
    return {};
}

const FirmwareForTesting* g_testing = nullptr;

using GetTableFn = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);

GetTableFn GetTable() { return LookUp<GetTableFn>("kernel32.dll", "GetSystemFirmwareTable"); }

}  // namespace

FirmwareNames SmbiosSystemNames(const unsigned char* bytes, size_t size) {
    if (!bytes || size < kHeaderBytes) return {};
    size_t length = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (static_cast<size_t>(bytes[7]) << 24);
    const size_t end = kHeaderBytes + std::min(length, size - kHeaderBytes);
    for (size_t at = kHeaderBytes; at + kFormattedHead <= end;) {
        const unsigned char type = bytes[at], formatted = bytes[at + 1];
        if (formatted < kFormattedHead || formatted > end - at) break;
        // The strings run from the end of the formatted part to a double NUL (or the table's end).
        const size_t strings = at + formatted;
        size_t stop = strings;
        while (stop + 1 < end && !(bytes[stop] == 0 && bytes[stop + 1] == 0)) ++stop;
        if (stop + 1 >= end) stop = end;
        // Manufacturer and product name are string numbers at offsets 4 and 5 (SMBIOS 2.0 on).
        if (type == kSystemInformation && formatted > 5)
            return {StringAt(bytes, strings, stop, bytes[at + 4]), StringAt(bytes, strings, stop, bytes[at + 5])};
        if (type == kEndOfTable) break;
        at = stop + 2;
    }
    return {};
}

bool HasFirmwareTables() { return g_testing ? g_testing->present : GetTable() != nullptr; }

void SetFirmwareForTesting(const FirmwareForTesting* f) { g_testing = f; }

std::vector<unsigned char> SmbiosTable() {
    if (g_testing) return g_testing->present ? g_testing->table : std::vector<unsigned char>{};
    GetTableFn get = GetTable();
    if (!get) return {};
    constexpr DWORD kRsmb = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';
    UINT need = get(kRsmb, 0, nullptr, 0);
    if (need == 0) return {};
    std::vector<unsigned char> table(need);
    UINT got = get(kRsmb, 0, table.data(), need);
    if (got == 0 || got > need) return {};
    table.resize(got);
    return table;
}

}  // namespace kaza::platform

#include "platform/registry.h"

#include "platform/handles.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {
namespace {

WriteRefusal& Refusal() {
    static WriteRefusal refuse;
    return refuse;
}
bool Refused(Root root, std::string_view subkey, std::string_view value) {
    return Refusal() && Refusal()(root, subkey, value);
}

HKEY RootKey(Root r) { return r == Root::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
// The machine's keys are read and written in the view the running system itself reads.
REGSAM Access(Root r, REGSAM wanted) { return r == Root::LocalMachine ? wanted | wow64().MachineView() : wanted; }

RegKey Create(Root root, std::string_view subkey, LONG& rc) {
    RegKey key;
    DWORD disposition = 0;
    rc = RegCreateKeyExA(RootKey(root), ToAnsi(subkey).c_str(), 0, nullptr, 0, Access(root, KEY_SET_VALUE), nullptr, key.out(),
                         &disposition);
    if (rc != ERROR_SUCCESS) key.release();
    return key;
}

LONG WriteRaw(Root root, std::string_view subkey, std::string_view value, unsigned long type, const void* data,
              unsigned long length) {
    if (Refused(root, subkey, value)) return ERROR_ACCESS_DENIED;
    LONG rc = ERROR_SUCCESS;
    RegKey key = Create(root, subkey, rc);
    if (!key) return rc == ERROR_SUCCESS ? ERROR_INVALID_HANDLE : rc;
    return RegSetValueExA(key.get(), ToAnsi(value).c_str(), 0, type, static_cast<const BYTE*>(data), length);
}

}  // namespace

std::string RegReadText(Root root, std::string_view subkey, std::string_view value) {
    return RegReadText(root, subkey, value, nullptr);
}

std::string RegReadText(Root root, std::string_view subkey, std::string_view value, bool* unreadable) {
    if (unreadable) *unreadable = false;
    auto failed = [unreadable](LONG rc) {
        if (unreadable) *unreadable = rc != ERROR_FILE_NOT_FOUND && rc != ERROR_PATH_NOT_FOUND;
        return std::string();
    };
    RegKey key;
    LONG rc = RegOpenKeyExA(RootKey(root), ToAnsi(subkey).c_str(), 0, Access(root, KEY_QUERY_VALUE), key.out());
    if (rc != ERROR_SUCCESS) {
        key.release();
        return failed(rc);
    }
    char buffer[1024] = {};
    DWORD size = sizeof buffer;
    rc = RegQueryValueExA(key.get(), ToAnsi(value).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (rc != ERROR_SUCCESS) return failed(rc);
    return FromAnsi(buffer, sizeof buffer);
}

Outcome RegWriteString(Root root, std::string_view subkey, std::string_view value, std::string_view text) {
    std::string ansi = ToAnsi(text);
    return RegWriteRaw(root, subkey, value, REG_SZ, ansi.c_str(), static_cast<unsigned long>(ansi.size() + 1));
}

Outcome RegWriteRaw(Root root, std::string_view subkey, std::string_view value, unsigned long type,
                    const void* data, unsigned long length) {
    LONG rc = WriteRaw(root, subkey, value, type, data, length);
    return rc == ERROR_SUCCESS ? Outcome() : Outcome::Failed(static_cast<unsigned long>(rc));
}

Outcome RegDeleteValueIn(Root root, std::string_view subkey, std::string_view value) {
    if (Refused(root, subkey, value)) return Outcome::Failed(ERROR_ACCESS_DENIED);
    RegKey key;
    LONG rc = RegOpenKeyExA(RootKey(root), ToAnsi(subkey).c_str(), 0, Access(root, KEY_SET_VALUE), key.out());
    if (rc != ERROR_SUCCESS) {
        key.release();
        return rc == ERROR_FILE_NOT_FOUND ? Outcome() : Outcome::Failed(static_cast<unsigned long>(rc));
    }
    rc = RegDeleteValueA(key.get(), ToAnsi(value).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? Outcome() : Outcome::Failed(static_cast<unsigned long>(rc));
}

RegValue RegReadRaw(Root root, std::string_view subkey, std::string_view value) {
    RegValue out;
    RegKey key;
    out.error = RegOpenKeyExA(RootKey(root), ToAnsi(subkey).c_str(), 0, Access(root, KEY_QUERY_VALUE), key.out());
    if (out.error != ERROR_SUCCESS) {
        key.release();
        return out;
    }
    std::string name = ToAnsi(value);
    DWORD type = 0, size = 0;
    out.error = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (out.error != ERROR_SUCCESS) return out;
    out.bytes.resize(size);
    out.error = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(out.bytes.data()), &size);
    if (out.error != ERROR_SUCCESS) {
        out.bytes.clear();
        return out;
    }
    out.bytes.resize(size);
    out.exists = true;
    out.type = type;
    return out;
}

void SetWriteRefusalForTesting(WriteRefusal refuse) { Refusal() = std::move(refuse); }

}  // namespace kaza::platform

#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/outcome.h"

namespace kaza::platform {

enum class Root { LocalMachine, CurrentUser };

// The start-up read: KEY_QUERY_VALUE, a zero-filled 1024-byte buffer, no type wanted,
// the text before the first zero byte. Any failure gives the empty text.
std::string RegReadText(Root root, std::string_view subkey, std::string_view value);
// The same read, telling apart a value that is absent (its key or itself; *unreadable false) from
// one that is there but could not be read: refused, or longer than the buffer (*unreadable true).
std::string RegReadText(Root root, std::string_view subkey, std::string_view value, bool* unreadable);

// REG_SZ with the terminating NUL counted in the length. The key is created when missing.
Outcome RegWriteString(Root root, std::string_view subkey, std::string_view value, std::string_view text);

// Raw typed bytes, exactly as given (type 4 with the single byte "1" is one use).
Outcome RegWriteRaw(Root root, std::string_view subkey, std::string_view value, unsigned long type,
                 const void* data, unsigned long length);

// Success when the value no longer exists afterwards (also when it never did); else why not
// (ERROR_ACCESS_DENIED: no administrator rights).
Outcome RegDeleteValueIn(Root root, std::string_view subkey, std::string_view value);

struct RegValue {
    bool exists = false;
    unsigned long type = 0;
    std::string bytes;  // raw data, as stored
    // ERROR_SUCCESS when read, ERROR_FILE_NOT_FOUND when the value or its key is absent, else
    // why it could not be read (then nothing is known about it).
    long error = 0;
};
RegValue RegReadRaw(Root root, std::string_view subkey, std::string_view value);

// Tests: a value for which the predicate returns true can be neither written nor removed, as
// when the user may not change it; RegWriteRaw and RegWriteString then fail with
// ERROR_ACCESS_DENIED and RegDeleteValueIn fails, without touching the registry. nullptr lets
// every write through again.
using WriteRefusal = std::function<bool(Root root, std::string_view subkey, std::string_view value)>;
void SetWriteRefusalForTesting(WriteRefusal refuse);

}  // namespace kaza::platform

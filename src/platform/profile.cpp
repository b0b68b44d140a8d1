#include "platform/profile.h"

#include <windows.h>

#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {

ProfileText ProfileRead(std::string_view file, std::string_view section, std::string_view key, size_t bytes) {
    RealSystemFolder systemFolder;
    std::string buffer(bytes, '\0');
    DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), ToAnsi(file).c_str());
    return {FromAnsi(buffer.data(), buffer.size()), n};
}

Outcome ProfileWrite(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) {
    RealSystemFolder systemFolder;
    if (WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(value).c_str(),
                                   ToAnsi(file).c_str()))
        return {};
    return Outcome::LastError();
}

bool ProfileDeleteKey(std::string_view file, std::string_view section, std::string_view key) {
    RealSystemFolder systemFolder;
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), nullptr,
                                      ToAnsi(file).c_str()) != FALSE;
}

bool ProfileDeleteSection(std::string_view file, std::string_view section) {
    RealSystemFolder systemFolder;
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), nullptr, nullptr, ToAnsi(file).c_str()) != FALSE;
}

void ProfileFlush(std::string_view file) {
    RealSystemFolder systemFolder;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ToAnsi(file).c_str());
}

}  // namespace kaza::platform

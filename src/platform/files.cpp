#include "platform/files.h"

#include <windows.h>

#include <new>

#include "platform/handles.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/wow64.h"

namespace kaza::platform {

std::string OnDiskFileName(std::string_view path) {
    RealSystemFolder systemFolder;
    if (path.empty()) return {};
    WIN32_FIND_DATAA data{};
    FindHandle find(FindFirstFileA(ToAnsi(path).c_str(), &data));
    if (!find) return {};
    return FromAnsi(data.cFileName, sizeof data.cFileName);
}

Outcome CreateEmptyFile(std::string_view path) {
    RealSystemFolder systemFolder;
    FileHandle f(CreateFileA(ToAnsi(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return f ? Outcome() : Outcome::LastError();
}

bool FileExists(std::string_view path) {
    RealSystemFolder systemFolder;
    DWORD a = GetFileAttributesA(ToAnsi(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(std::string_view path) {
    RealSystemFolder systemFolder;
    DWORD a = GetFileAttributesA(ToAnsi(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFile(std::string_view a, std::string_view b) {
    RealSystemFolder systemFolder;
    auto identity = [](std::string_view path, BY_HANDLE_FILE_INFORMATION& info) {
        FileHandle f(CreateFileA(ToAnsi(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return f && GetFileInformationByHandle(f.get(), &info);
    };
    BY_HANDLE_FILE_INFORMATION x{}, y{};
    return identity(a, x) && identity(b, y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

Outcome WriteWholeFile(std::string_view path, const std::string& bytes) {
    RealSystemFolder systemFolder;
    FileHandle f(CreateFileA(ToAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    if (!f) return Outcome::LastError();
    DWORD written = 0;
    if (!WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return Outcome::LastError();
    return written == bytes.size() ? Outcome() : Outcome::Failed(ERROR_WRITE_FAULT);
}

Outcome AppendToFile(std::string_view path, const std::string& bytes) {
    RealSystemFolder systemFolder;
    FileHandle f(CreateFileA(ToAnsi(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return Outcome::LastError();
    if (SetFilePointer(f.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return Outcome::LastError();
    DWORD written = 0;
    if (!WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return Outcome::LastError();
    return written == bytes.size() ? Outcome() : Outcome::Failed(ERROR_WRITE_FAULT);
}

namespace {
bool ReadOpened(const FileHandle& f, std::string& bytes) {
    // Only files on a disk: a device name (con, com1...) could block or never end.
    if (!f || GetFileType(f.get()) != FILE_TYPE_DISK) return false;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(f.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    // One read of at most 2 GB, into memory that may not be there.
    if (high != 0 || low > 0x7FFFFFFF) return false;
    try {
        bytes.resize(low);
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD got = 0;
    return bytes.empty() || (ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                             got == bytes.size());
}

FileHandle OpenToRead(std::string_view path, DWORD flags) {
    RealSystemFolder systemFolder;
    return FileHandle(
        CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr));
}
}  // namespace

bool ReadWholeFile(std::string_view path, std::string& bytes) {
    return ReadOpened(OpenToRead(path, FILE_ATTRIBUTE_NORMAL), bytes);
}

Outcome ReadFileItself(std::string_view path, std::string& bytes) {
    if (IsReparsePoint(path)) return Outcome::Failed(ERROR_CANT_ACCESS_FILE);
    // FILE_FLAG_OPEN_REPARSE_POINT (NT only): a link made after the look above is opened itself,
    // and the handle's attributes tell.
    const bool nt = WindowsVersion().platformId == VER_PLATFORM_WIN32_NT;
    FileHandle f = OpenToRead(path, nt ? FILE_FLAG_OPEN_REPARSE_POINT : FILE_ATTRIBUTE_NORMAL);
    if (!f) return Outcome::LastError();
    BY_HANDLE_FILE_INFORMATION info{};
    if (nt && (!GetFileInformationByHandle(f.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return Outcome::Failed(ERROR_CANT_ACCESS_FILE);
    return ReadOpened(f, bytes) ? Outcome() : Outcome::Failed(ERROR_READ_FAULT);
}

namespace {
AttributesFunction& AttributesForTesting() {
    static AttributesFunction attributes;
    return attributes;
}
}  // namespace

bool IsReparsePoint(std::string_view path) {
    DWORD a = INVALID_FILE_ATTRIBUTES;
    if (AttributesForTesting()) a = AttributesForTesting()(std::string(path));
    else {
        RealSystemFolder systemFolder;
        a = GetFileAttributesA(ToAnsi(path).c_str());
    }
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

void SetAttributesForTesting(AttributesFunction attributes) { AttributesForTesting() = std::move(attributes); }

FileStamp StampOf(std::string_view path) {
    // The directory search would take a wildcard for a pattern and answer for another file.
    if (path.empty() || path.find_first_of("*?") != std::string_view::npos) return {};
    RealSystemFolder systemFolder;
    WIN32_FIND_DATAA data{};
    FindHandle find(FindFirstFileA(ToAnsi(path).c_str(), &data));
    if (!find || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    FileStamp s;
    s.known = true;
    s.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    s.written = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime;
    return s;
}

PathKind KindOf(std::string_view path) {
    RealSystemFolder systemFolder;
    DWORD a = GetFileAttributesA(ToAnsi(path).c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
    DWORD e = GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? PathKind::Missing : PathKind::Unknown;
}

Outcome CreateFolder(std::string_view path, bool fresh) {
    RealSystemFolder systemFolder;
    if (CreateDirectoryA(ToAnsi(path).c_str(), nullptr)) return {};
    const Outcome failed = Outcome::LastError();
    return !fresh && failed.error() == ERROR_ALREADY_EXISTS && FolderExists(path) ? Outcome() : failed;
}

Outcome RemoveFile(std::string_view path) {
    RealSystemFolder systemFolder;
    if (DeleteFileA(ToAnsi(path).c_str())) return {};
    const Outcome failed = Outcome::LastError();
    // A folder at the name is no file removed: it keeps DeleteFileA's code (access denied).
    return KindOf(path) == PathKind::Missing ? Outcome() : failed;
}

bool RemoveEmptyFolder(std::string_view path) {
    RealSystemFolder systemFolder;
    return RemoveDirectoryA(ToAnsi(path).c_str()) != FALSE;
}

std::vector<std::string> SubFolders(std::string_view path) {
    RealSystemFolder systemFolder;
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    FindHandle find(FindFirstFileA((ToAnsi(path) + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        std::string name = FromAnsi(data.cFileName, sizeof data.cFileName);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find.get(), &data));
    return names;
}

std::string LastErrorText(unsigned long code) {
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n ? FromAnsi(buffer, n) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace kaza::platform

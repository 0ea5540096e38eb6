#include "online/NativeFiles.h"

#include "BuildInfo.h"

// aclapi.h needs the types of windows.h before it.
#include <windows.h>

#include <aclapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Module1::native {
namespace {

HANDLE asHandle(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

// Closes a handle when leaving the scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) { }
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A plain file on a disk: no folder, no link or other reparse point, no pipe or device.
bool isRegularFile(HANDLE file)
{
    FILE_ATTRIBUTE_TAG_INFO info{};
    return GetFileType(file) == FILE_TYPE_DISK
        && GetFileInformationByHandleEx(file, FileAttributeTagInfo, &info, sizeof(info))
        && (info.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

// The account the program runs as; empty when it cannot be told.
std::vector<char> currentUser()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size))
        user.clear();
    CloseHandle(token);
    return user;
}

} // namespace

bool isInstallFolder(const std::filesystem::path&)
{
    return false;
}

CacheFolder userCacheFolder()
{
    PWSTR localAppData = nullptr;
    CacheFolder cache;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &localAppData) == S_OK)
        cache.base = localAppData;
    CoTaskMemFree(localAppData);
    if (!cache.base.empty())
        cache.own = std::filesystem::path(reinterpret_cast<const char8_t*>(buildinfo::CompanyName))
            / reinterpret_cast<const char8_t*>(buildinfo::InternalName);
    return cache;
}

bool isOwnFolder(const std::filesystem::path& folder)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                              nullptr, &descriptor)
        != ERROR_SUCCESS)
        return false;
    // The user's own account only: folders an administrator made (Program Files) belong to the
    // Administrators group, also when the user is one of them.
    const auto user = currentUser();
    const bool own
        = owner && !user.empty() && EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
    LocalFree(descriptor);
    return own;
}

// The user's cache folder for programs lies in the profile, which only the user and the
// administrators may change; the folder must be the user's own.
std::filesystem::path privateFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && isOwnFolder(folder) ? folder : std::filesystem::path();
}

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path)
{
    // Attributes only, which no sharing mode refuses; a link is opened itself, then refused.
    const Handle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.get() == INVALID_HANDLE_VALUE || !isRegularFile(file.get())
        || !GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::filesystem::path executableFolder()
{
    // The wide name, so that a folder name outside the ANSI code page still works.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        if (name.size() >= 32768) // the longest path Windows has
            return {};
        name.resize(name.size() * 2);
    }
    const std::filesystem::path executable(name);
    return executable.is_absolute() ? executable.parent_path() : std::filesystem::path();
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, which the check below then refuses.
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !isRegularFile(file.get()) || !GetFileSizeEx(file.get(), &size)
        || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return std::nullopt;
    // Up to one byte past the cap, so that a file that grew meanwhile is still refused.
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD count = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1 << 20));
        if (!ReadFile(file.get(), bytes.data() + filled, wanted, &count, nullptr))
            return std::nullopt;
        if (count == 0)
            break;
        filled += count;
    }
    if (filled > maxBytes)
        return std::nullopt;
    bytes.resize(filled);
    return bytes;
}

NewFile::NewFile(const std::filesystem::path& path)
{
    // CREATE_NEW fails when anything at all has the name, a link included.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (file == INVALID_HANDLE_VALUE)
        handle_ = InvalidHandle;
}

NewFile::~NewFile()
{
    if (isOpen())
        CloseHandle(asHandle(handle_));
}

bool NewFile::write(const char* data, std::size_t length)
{
    while (isOpen() && length > 0) {
        DWORD count = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(length, 1 << 20));
        if (!WriteFile(asHandle(handle_), data, chunk, &count, nullptr) || count == 0)
            return false;
        data += count;
        length -= count;
    }
    return isOpen();
}

bool NewFile::finish()
{
    if (!isOpen())
        return false;
    // A full disk may show only when the data is flushed, so both the flush and the close count.
    const HANDLE file = asHandle(handle_);
    handle_ = InvalidHandle;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    const bool closed = CloseHandle(file) != FALSE;
    return flushed && closed;
}

} // namespace Module1::native

#include "online/NativeFiles.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <system_error>

namespace Module1::native {
namespace {

// An open file descriptor, closed when leaving the scope.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) { }
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Only the user and the administrator may own what leads to a private folder.
bool isTrustedOwner(uid_t owner)
{
    return owner == ::geteuid() || owner == 0;
}

// A folder on the way to a private one: others may write there only when it is sticky.
bool isTrustedFolder(const struct stat& status)
{
    return S_ISDIR(status.st_mode) && isTrustedOwner(status.st_uid)
        && ((status.st_mode & (S_IWGRP | S_IWOTH)) == 0 || (status.st_mode & S_ISVTX) != 0);
}

} // namespace

bool isInstallFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::ranges::any_of(
        std::initializer_list<const char*>{buildinfo::InstallBinFolder, buildinfo::PackageBinFolder},
        [&](const char* installed) { return std::filesystem::equivalent(folder, installed, error); });
}

CacheFolder userCacheFolder()
{
    // With no application name it would be the cache folder shared by every program, and a home
    // folder whose name is no valid text comes back from Qt with replacement characters.
    if (!QCoreApplication::instance())
        return {};
    // Without a home folder Qt takes the root folder for it, whose cache would be everybody's.
    if (QDir(QDir::homePath()).isRoot() && qEnvironmentVariableIsEmpty("XDG_CACHE_HOME"))
        return {};
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString own = QCoreApplication::applicationName();
    if (base.isEmpty() || own.isEmpty() || own.contains(u'/') || (base + own).contains(QChar::ReplacementCharacter))
        return {};
    return {std::filesystem::path(base.toStdU16String()), std::filesystem::path(own.toStdU16String())};
}

bool isOwnFolder(const std::filesystem::path& folder)
{
    struct stat status { };
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid();
}

std::filesystem::path privateFolder(const std::filesystem::path& folder)
{
    if (!folder.is_absolute())
        return {};
    // Walked one name at a time from the root: `real` never holds a link, so every folder the
    // walk passes through is one it has looked at; a link's target joins the names still to walk.
    std::deque<std::filesystem::path> names(std::next(folder.begin()), folder.end());
    std::filesystem::path real = "/";
    struct stat status { };
    if (::lstat("/", &status) != 0 || !isTrustedFolder(status))
        return {};
    for (int links = 0; !names.empty();) {
        const auto name = names.front();
        names.pop_front();
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            real = real.parent_path();
            continue;
        }
        const auto next = real / name;
        if (::lstat(next.c_str(), &status) != 0
            && (errno != ENOENT || ::mkdir(next.c_str(), 0700) != 0 || ::lstat(next.c_str(), &status) != 0))
            return {};
        if (S_ISLNK(status.st_mode)) {
            std::error_code error;
            const auto target = std::filesystem::read_symlink(next, error);
            if (error || !isTrustedOwner(status.st_uid) || ++links > 40)
                return {};
            names.insert(names.begin(), target.begin(), target.end());
            if (target.is_absolute())
                real = "/";
            continue;
        }
        if (!isTrustedFolder(status))
            return {};
        real = next;
    }
    // The folder itself: the user's, and nobody else's to write, sticky or not.
    if (::lstat(real.c_str(), &status) != 0 || status.st_uid != ::geteuid()
        || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return {};
    return real;
}

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path)
{
    struct stat status { };
    if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::filesystem::path executableFolder()
{
    // The link's bytes as they are: Qt's own answer turns a name that is no valid UTF-8 into
    // an empty folder.
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.is_absolute())
        return {};
    return executable.parent_path();
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    // O_NONBLOCK: opening a pipe planted under the name must not wait for a writer.
    const FileHandle file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat status { };
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || static_cast<unsigned long long>(status.st_size) > maxBytes)
        return std::nullopt;
    // Up to one byte past the cap, so that a file that grew meanwhile is still refused.
    std::string bytes(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const auto count = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    if (filled > maxBytes)
        return std::nullopt;
    bytes.resize(filled);
    return bytes;
}

NewFile::NewFile(const std::filesystem::path& path)
{
    // O_EXCL never follows a link and never opens anything that is already there.
    handle_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (handle_ < 0)
        handle_ = InvalidHandle;
}

NewFile::~NewFile()
{
    if (isOpen())
        ::close(static_cast<int>(handle_));
}

bool NewFile::write(const char* data, std::size_t length)
{
    while (isOpen() && length > 0) {
        const auto count = ::write(static_cast<int>(handle_), data, length);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        data += count;
        length -= static_cast<std::size_t>(count);
    }
    return isOpen();
}

bool NewFile::finish()
{
    if (!isOpen())
        return false;
    // A full disk may show only here (delayed allocation, network file systems), so both the
    // sync and the close count.
    const int fd = static_cast<int>(handle_);
    handle_ = InvalidHandle;
    const bool synced = ::fdatasync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return synced && closed;
}

} // namespace Module1::native

#include "online/LocalFiles.h"

#include "online/NativeFiles.h"

#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <system_error>

namespace Module1 {
namespace {

constexpr std::string_view TemporarySuffix = ".part";
constexpr std::size_t TemporaryDigits = 8;
// Far longer than a download may last, so a file this old belongs to no running download.
constexpr auto StaleAfter = std::chrono::minutes(1);

bool isUsableFolder(const std::filesystem::path& folder)
{
    return folder.is_absolute() && folder.has_relative_path();
}

// Whether a new file can be made there, found by making one: permissions alone do not tell
// (a read-only mount, an administrator, access lists).
bool canCreateFileIn(const std::filesystem::path& folder)
{
    const auto probe = temporaryFileFor(folder / DescriptorFileName);
    if (!native::NewFile(probe).isOpen())
        return false;
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return true;
}

// The run's choice of folder, made once and never destroyed, since the removal at exit still
// reads it; `cache` is set only when the folder is the user's cache folder.
struct Choice {
    std::filesystem::path folder;
    native::CacheFolder cache;
};
std::atomic<const Choice*> madeChoice = nullptr;

const Choice& choice()
{
    static const Choice* const made = [] {
        auto* const result = new Choice;
        native::CacheFolder cache;
        result->folder = chooseDownloadFolder(native::executableFolder(), [&cache] {
            // Nothing when it cannot be told exactly.
            cache = native::userCacheFolder();
            return cache.base.empty() || cache.own.empty() ? std::filesystem::path() : cache.base / cache.own;
        });
        if (!result->folder.empty())
            result->cache = cache;
        return result;
    }();
    madeChoice = made;
    return *made;
}

// The program's folders in the user's cache that the run used and left empty, innermost first;
// never the cache folder of all programs, nor a link that stands in a folder's place.
void removeEmptyCacheFolders()
{
    const Choice* const made = madeChoice;
    if (!made || made->cache.base.empty())
        return;
    for (auto own = made->cache.own; !own.empty() && own.is_relative(); own = own.parent_path()) {
        const auto folder = made->cache.base / own;
        std::error_code error;
        // remove() takes a folder only when it is empty.
        if (!std::filesystem::is_directory(std::filesystem::symlink_status(folder, error))
            || !std::filesystem::remove(folder, error))
            break;
    }
}

// Compared in the platform's own form of names, which a name of any bytes keeps.
using Name = std::filesystem::path::string_type;

Name nativeName(std::string_view ascii)
{
    return Name(ascii.begin(), ascii.end());
}

bool isTemporaryNameFor(const Name& name, const Name& targetName)
{
    const auto isDigit = [](auto c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    const auto digitsStart = targetName.size() + 1;
    return name.size() == digitsStart + TemporaryDigits + TemporarySuffix.size()
        && name.starts_with(targetName + nativeName(".")) && name.ends_with(nativeName(TemporarySuffix))
        && std::all_of(name.begin() + digitsStart, name.begin() + digitsStart + TemporaryDigits, isDigit);
}

bool isStale(const std::filesystem::path& path, std::filesystem::file_time_type now)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    return !error && now - written > StaleAfter;
}

// The files this run made, each with the identity it had then. Never destroyed, so that the
// removal at exit (see EarlyEnd.cpp) finds it whatever else is gone by then.
struct OwnFiles {
    std::mutex mutex;
    std::map<std::filesystem::path, native::FileIdentity> files;
};

OwnFiles& ownFiles()
{
    static auto* const files = new OwnFiles;
    return *files;
}

} // namespace

std::filesystem::path chooseDownloadFolder(const std::filesystem::path& executableFolder,
                                           const std::function<std::filesystem::path()>& cacheFolder)
{
    // Only a copy the user put in a folder of their own (an unpacked archive, a build folder)
    // keeps its files beside itself; an installed one must not write into a system folder.
    if (isUsableFolder(executableFolder) && !native::isInstallFolder(executableFolder)
        && native::isOwnFolder(executableFolder) && canCreateFileIn(executableFolder))
        return executableFolder;
    // A cache folder that someone else could change or lead elsewhere is no place to write into
    // and delete from: then nothing is downloaded.
    const auto cache = cacheFolder();
    const auto folder = isUsableFolder(cache) ? native::privateFolder(cache) : std::filesystem::path();
    if (isUsableFolder(folder) && canCreateFileIn(folder))
        return folder;
    return {};
}

std::filesystem::path downloadFolder()
{
    return choice().folder;
}

std::filesystem::path localFilePath(std::string_view fileName)
{
    const auto folder = downloadFolder();
    return folder.empty() ? folder : folder / fileName;
}

bool isOwnFilePath(const std::filesystem::path& path)
{
    return path.is_absolute() && path.has_filename() && path.parent_path() != path.root_path();
}

bool fileExists(const std::filesystem::path& path)
{
    std::error_code error;
    return isOwnFilePath(path) && std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error));
}

void deleteFileQuietly(const std::filesystem::path& path)
{
    std::error_code error;
    if (fileExists(path))
        std::filesystem::remove(path, error);
    forgetOwnFile(path);
}

void rememberOwnFile(const std::filesystem::path& path)
{
    const auto identity = native::fileIdentity(path);
    const std::lock_guard lock(ownFiles().mutex);
    if (identity)
        ownFiles().files.insert_or_assign(path, *identity);
    else
        ownFiles().files.erase(path);
}

void forgetOwnFile(const std::filesystem::path& path)
{
    const std::lock_guard lock(ownFiles().mutex);
    ownFiles().files.erase(path);
}

void removeOwnFiles()
{
    const std::lock_guard lock(ownFiles().mutex);
    for (const auto& [path, identity] : ownFiles().files) {
        std::error_code ignored;
        if (native::fileIdentity(path) == identity)
            std::filesystem::remove(path, ignored);
    }
    ownFiles().files.clear();
    removeEmptyCacheFolders();
}

std::optional<std::string> readOwnFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    if (!isOwnFilePath(path))
        return std::nullopt;
    return native::readRegularFile(path, maxBytes);
}

std::filesystem::path temporaryFileFor(const std::filesystem::path& target)
{
    char digits[TemporaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", QRandomGenerator::global()->generate());
    auto name = target.filename();
    name += ".";
    name += digits;
    name += TemporarySuffix;
    return target.parent_path() / name;
}

void removeStaleTemporaryFiles(const std::filesystem::path& target)
{
    if (!isOwnFilePath(target))
        return;
    const Name targetName = target.filename().native();
    const auto now = std::filesystem::file_time_type::clock::now();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        const auto& path = entry->path();
        if (isTemporaryNameFor(path.filename().native(), targetName) && fileExists(path) && isStale(path, now)) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    }
}

} // namespace Module1

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The few file services that differ between platforms, each behind one function; one source
// file per platform implements them all (LocalFilesPosix.cpp, LocalFilesWindows.cpp). Paths are taken in the
// platform's own form, so a folder name that is no valid text still works.
namespace Module1::native {

// The folder of the running executable; empty when it cannot be found.
std::filesystem::path executableFolder();

// Whether an install put the executable there: a system folder, even when this user may write
// there. Windows has no such folder of the build's: a copy under Program Files is the
// administrators' (see isOwnFolder).
bool isInstallFolder(const std::filesystem::path& folder);

// The user's folder for the caches of programs, and below it the program's own as a relative
// path: on POSIX the XDG cache folder users expect and the program's name; on Windows
// %LOCALAPPDATA% with the maker's folder and the program's in it, so that the maker's programs
// keep together and apart from one installed per user in %LOCALAPPDATA%\Programs. Both empty
// when the folder cannot be told exactly. Needs a QCoreApplication on POSIX.
struct CacheFolder {
    std::filesystem::path base;
    std::filesystem::path own;
};
CacheFolder userCacheFolder();

// Whether the folder belongs to the user running the program.
bool isOwnFolder(const std::filesystem::path& folder);

// `folder`, made where missing, as a real path (no link in it) when nobody but the user and the
// system's administrator can change what it holds or where its name leads: it is the user's own
// and writable by nobody else, and so is every folder on the way to it, unless the way passes a
// folder where others may add names but never move or remove one of ours (a sticky one like
// /tmp). A link on the way counts only when it is the user's or the administrator's. Empty
// otherwise. Folders made here are the user's alone.
std::filesystem::path privateFolder(const std::filesystem::path& folder);

// What tells one file from another whatever its name: a file that took a name's place since is
// another file. Only regular files have one here; nothing for anything else, a link included.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path);

// The content of the regular file at `path`, opened without following a symbolic link at the
// last step and checked on the opened file itself; nothing when larger than `maxBytes`.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// A file made anew for writing: opening fails when anything at all (a file, a link, a pipe)
// already has the name, so nothing but this new file is ever written. Closed when destroyed.
class NewFile {
public:
    explicit NewFile(const std::filesystem::path& path);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool isOpen() const { return handle_ != InvalidHandle; }
    // False unless every byte was accepted.
    bool write(const char* data, std::size_t length);
    // Flushes the data to the disk and closes the file: true only when every byte got there.
    bool finish();

private:
    static constexpr std::intptr_t InvalidHandle = -1;
    std::intptr_t handle_ = InvalidHandle;
};

} // namespace Module1::native

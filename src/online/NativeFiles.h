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

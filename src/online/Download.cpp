#include "online/Download.h"

#include "online/LocalFiles.h"
#include "online/NativeFiles.h"
#include "online/Transfer.h"

#include <system_error>

namespace Module1 {
namespace {

// A new file may take the name's place when nothing is there, an earlier file, or a symbolic
// link: renaming replaces the link itself and never touches what it points to.
bool mayReplace(const std::filesystem::path& path)
{
    std::error_code error;
    const auto type = std::filesystem::symlink_status(path, error).type();
    return type == std::filesystem::file_type::not_found || type == std::filesystem::file_type::regular
        || type == std::filesystem::file_type::symlink;
}

// The body into the new file; false when the transfer failed or a byte did not reach the disk.
bool receive(native::NewFile& file, const std::string& address, const DownloadLimits& limits)
{
    long long written = 0;
    // A chunked body declares no size, so the cap is kept here too.
    const BodySink sink = [&](const char* data, std::size_t length) {
        const auto size = static_cast<long long>(length);
        if (size > limits.maxBytes - written || !file.write(data, length))
            return false;
        written += size;
        return true;
    };
    return transfer(address, limits, sink) && file.finish();
}

} // namespace

DownloadLimits startupLimits()
{
    // Both downloads end in time for the banner to show within about 12 s of the start.
    constexpr std::chrono::milliseconds StartupBudget{10000};
    return {.deadline = std::chrono::steady_clock::now() + StartupBudget};
}

DownloadLimits aboutLimits()
{
    // A name is still looked up, and a connection made, within the connection limit: without
    // them no answer can come.
    return {.totalTimeoutMs = 30000, .answerGraceMs = 15000};
}

bool Stahni(const std::string& address, const std::filesystem::path& path, const DownloadLimits& limits)
{
    if (!isOwnFilePath(path) || !mayReplace(path))
        return false;
    removeStaleTemporaryFiles(path);
    // The body goes to a new file beside the target that only a complete download renames into
    // place; the earlier file stays intact until then.
    const auto temporary = temporaryFileFor(path);
    bool received = false;
    {
        native::NewFile file(temporary);
        if (!file.isOpen())
            return false; // nothing was made, so nothing is removed
        // Known as ours from the start, so that an early end of the program removes it too.
        rememberOwnFile(temporary);
        received = receive(file, address, limits);
    }
    std::error_code error;
    if (received && mayReplace(path)) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            forgetOwnFile(temporary);
            rememberOwnFile(path);
            return true;
        }
    }
    std::filesystem::remove(temporary, error);
    forgetOwnFile(temporary);
    return false;
}

} // namespace Module1

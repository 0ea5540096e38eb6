#pragma once

#include <filesystem>
#include <string>

namespace Module1 {

// Limits of one download, so that a dead, slow or hostile server cannot hold the program or
// fill the disk. Start-up runs two downloads before its banner shows and the About window one
// before it opens: with these, whatever the network does, the banner shows within about 10 s
// and the About window within about 5 s.
struct DownloadLimits {
    long connectTimeoutMs = 4000;
    long totalTimeoutMs = 5000;
    // Slower than this for floorWindowMs ends the transfer; a silent server is the extreme case.
    // libcurl counts the window in whole seconds.
    long floorBytesPerSecond = 1024;
    long floorWindowMs = 3000;
    long maxRedirects = 5;
    long long maxBytes = 4 * 1024 * 1024;
};

// Downloads `address` (http or https only, redirects too) into the file `path`, which must be
// an absolute path where the program may keep its own file. True only when the transfer was
// complete with a 2xx status and every byte reached the disk. The new file takes the name's
// place atomically: a symbolic link there is replaced (what it points to is never opened), while
// anything else that is no regular file (a folder, a pipe, a device) stays and the download
// fails. On any failure an earlier file is left exactly as it was and no partial file remains.
// Blocks the calling thread until the transfer ends; honours the proxy environment.
bool Stahni(const std::string& address, const std::filesystem::path& path, const DownloadLimits& limits = {});

} // namespace Module1

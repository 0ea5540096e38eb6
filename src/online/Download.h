#pragma once

#include <filesystem>
#include <string>

namespace Module1 {

// Limits of one download: they end endless waits (a silent resolver, proxy or server, a drip)
// and keep a hostile server from filling the disk, yet let a slow but working link finish.
// Start-up runs two downloads before its banner shows and the About window one before it opens.
struct DownloadLimits {
    long connectTimeoutMs = 5000; // name lookup and connection, to each server a redirect names
    long totalTimeoutMs = 20000;
    // Fewer than floorBytes in the last floorWindowMs end the transfer; silence is the extreme case.
    long long floorBytes = 1024;
    long floorWindowMs = 5000;
    long maxRedirects = 5;
    long long maxBytes = 4 * 1024 * 1024;
};

// Downloads `address` (http or https only, redirects too) into the file `path`, which must be
// an absolute path where the program may keep its own file. True only when the transfer was
// complete with status 200 and every byte reached the disk. The new file takes the name's
// place atomically: a symbolic link there is replaced (what it points to is never opened), while
// anything else that is no regular file (a folder, a pipe, a device) stays and the download
// fails. On any failure an earlier file is left exactly as it was and no partial file remains.
// Returns when the transfer has ended; meanwhile the calling thread runs a local event loop that
// paints and answers the desktop but holds back the user's input (see Transfer.cpp). Honours the
// system's proxy settings (on Linux the proxy environment, on Windows the user's Internet settings).
bool Stahni(const std::string& address, const std::filesystem::path& path, const DownloadLimits& limits = {});

} // namespace Module1

#pragma once

#include <string>

namespace Module1 {

// Limits of one download, so that a dead or hostile server cannot hold the program or fill the disk.
struct DownloadLimits {
    long connectTimeoutMs = 5000;
    long stallTimeoutMs = 5000; // no byte for this long ends the transfer (counted in whole seconds)
    long totalTimeoutMs = 20000;
    long maxRedirects = 5;
    long long maxBytes = 4 * 1024 * 1024;
};

// Downloads `address` (http or https only, redirects too) into the file `path` (UTF-8).
// True only on a complete transfer with a 2xx status. The file is replaced atomically;
// on any failure an earlier file is left exactly as it was and no partial file remains.
// Blocks the calling thread until the transfer ends; honours the system's proxy settings
// (on Linux the proxy environment; on Windows the user's Internet settings, else the machine's).
bool Stahni(const std::string& address, const std::string& path, const DownloadLimits& limits = {});

} // namespace Module1

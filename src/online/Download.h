#pragma once

#include "online/Transfer.h"

#include <filesystem>
#include <string>

namespace Module1 {

// Downloads `address` (plain http only, redirects too) into the file `path`, which must be
// an absolute path where the program may keep its own file. True only when the transfer was
// complete with status 200 and every byte reached the disk. The new file takes the name's
// place atomically: a symbolic link there is replaced (what it points to is never opened), while
// anything else that is no regular file (a folder, a pipe, a device) stays and the download
// fails. On any failure an earlier file is left exactly as it was and no partial file remains.
// Returns when the transfer has ended; meanwhile the calling thread runs a local event loop that
// paints and answers the desktop but holds back the user's input (see Transfer.cpp). Honours the
// system's proxy settings (on Linux the proxy environment, on Windows the user's Internet settings).
bool Stahni(const std::string& address, const std::filesystem::path& path, const DownloadLimits& limits = {});

// The start-up's two downloads share one budget, so that the banner window is on screen soon
// whatever the network does: take these once and pass them to both.
DownloadLimits startupLimits();

// The About window's download is the user's own request, made while the windows paint: a slow
// server gets longer to answer, and the whole transfer more time.
DownloadLimits aboutLimits();

} // namespace Module1

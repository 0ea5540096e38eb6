#pragma once

#include "online/Download.h"

#include <cstddef>
#include <functional>
#include <string>

namespace Module1 {

// Receives the body piece by piece; false ends the transfer as failed.
using BodySink = std::function<bool(const char* data, std::size_t length)>;

// One HTTP transfer with the platform's own client, within `limits`: true only when it ran to
// its end with a 2xx status. What to do with the body is the sink's business; the file handling
// around it is the same on every platform.
bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink);

} // namespace Module1

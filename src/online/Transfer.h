#pragma once

#include "online/Download.h"

#include <cstddef>
#include <functional>
#include <string>

namespace Module1 {

// Receives the body piece by piece; false ends the transfer as failed.
using BodySink = std::function<bool(const char* data, std::size_t length)>;

// One HTTP transfer with Qt's network module, within `limits`: true only when it ran to its end
// with status 200 and the whole body. What to do with the body is the sink's business. Needs the
// application object; returns when the transfer has ended, running a local event loop meanwhile.
bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink);

} // namespace Module1

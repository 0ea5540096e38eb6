#pragma once

#include "online/LocalFiles.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
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
    // With a grace, the answer may take that long after the request to begin, and the floor
    // counts from its first byte; without, the floor counts from the request.
    long answerGraceMs = 0;
    long maxRedirects = 5;
    long long maxBytes = static_cast<long long>(MaxDownloadBytes);
    // A moment shared by several downloads, past which none of them runs.
    std::optional<std::chrono::steady_clock::time_point> deadline{};
};

// Receives the body piece by piece; false ends the transfer as failed.
using BodySink = std::function<bool(const char* data, std::size_t length)>;

// One HTTP transfer within `limits`: true only when it ran to its end with status 200 and the
// whole body, framed one way only. What to do with the body is the sink's business. Needs the
// application object; returns when the transfer has ended, running a local event loop meanwhile.
bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink);

} // namespace Module1

#include "online/Download.h"

#include "BuildInfo.h"

#include <QSaveFile>
#include <QString>

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <memory>

namespace Module1 {
namespace {

// curl_global_init is not thread-safe; a function-local static runs it exactly once.
bool curlReady()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

// Receives the body; a body that outgrows the cap (a chunked one declares no size) ends the transfer.
struct Sink {
    QSaveFile& file;
    long long maxBytes = 0;
    long long written = 0;
};

size_t writeToSink(char* data, size_t size, size_t count, void* userData)
{
    auto& sink = *static_cast<Sink*>(userData);
    const auto length = static_cast<long long>(size * count);
    if (length > sink.maxBytes - sink.written || sink.file.write(data, length) != length)
        return 0; // anything short of the full length makes libcurl fail the transfer
    sink.written += length;
    return size * count;
}

long wholeSecondsAtLeastOne(long milliseconds)
{
    return std::max(1L, (milliseconds + 999) / 1000);
}

bool configure(CURL* curl, const std::string& address, const DownloadLimits& limits, Sink& sink)
{
    static const std::string userAgent = std::string(buildinfo::InternalName) + "/" + buildinfo::FileVersion;
    const std::array results = {
        curl_easy_setopt(curl, CURLOPT_URL, address.c_str()),
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https"),
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"),
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L),
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, limits.maxRedirects),
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L),
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L),
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs),
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs),
        // libcurl counts a stall in whole seconds: below one byte per second for that long.
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L),
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, wholeSecondsAtLeastOne(limits.stallTimeoutMs)),
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes)),
        curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.c_str()),
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeToSink),
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink),
    };
    return std::ranges::all_of(results, [](CURLcode result) { return result == CURLE_OK; });
}

bool transferSucceeded(CURL* curl)
{
    long status = 0;
    return curl_easy_perform(curl) == CURLE_OK
        && curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK
        && status >= 200 && status <= 299;
}

} // namespace

bool Stahni(const std::string& address, const std::string& path, const DownloadLimits& limits)
{
    if (!curlReady())
        return false;
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    // The body goes to a temporary file beside the target that only a complete transfer renames
    // into place; leaving without commit() removes it and keeps the earlier file intact.
    QSaveFile file(QString::fromStdString(path));
    if (!curl || !file.open(QIODevice::WriteOnly))
        return false;
    Sink sink{file, limits.maxBytes};
    return configure(curl.get(), address, limits, sink) && transferSucceeded(curl.get()) && file.commit();
}

} // namespace Module1

#include "online/Transfer.h"

#include "BuildInfo.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <memory>

namespace Module1 {
namespace {

// libcurl and the couple of dozen libraries it pulls in are loaded at the first download, not
// at start: the main window needs none of them, and its start-up would pay for all of them.
struct CurlLibrary {
    CURLcode (*globalInit)(long) = nullptr;
    CURL* (*easyInit)() = nullptr;
    CURLcode (*easySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easyPerform)(CURL*) = nullptr;
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easyCleanup)(CURL*) = nullptr;
    bool ready = false;
};

template <class Function>
bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

CurlLibrary loadCurl()
{
    CurlLibrary curl;
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return curl;
    curl.ready = resolve(library, "curl_global_init", curl.globalInit)
        && resolve(library, "curl_easy_init", curl.easyInit)
        && resolve(library, "curl_easy_setopt", curl.easySetopt)
        && resolve(library, "curl_easy_perform", curl.easyPerform)
        && resolve(library, "curl_easy_getinfo", curl.easyGetinfo)
        && resolve(library, "curl_easy_cleanup", curl.easyCleanup)
        && curl.globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return curl;
}

// Loading and curl_global_init are not thread-safe; a function-local static runs them once.
const CurlLibrary& curlLibrary()
{
    static const CurlLibrary curl = loadCurl();
    return curl;
}

size_t writeToSink(char* data, size_t size, size_t count, void* userData)
{
    const auto& sink = *static_cast<const BodySink*>(userData);
    // anything short of the full length makes libcurl fail the transfer
    return sink(data, size * count) ? size * count : 0;
}

long wholeSecondsAtLeastOne(long milliseconds)
{
    return std::max(1L, (milliseconds + 999) / 1000);
}

bool configure(CURL* curl, const std::string& address, const DownloadLimits& limits, const BodySink& sink)
{
    const auto setopt = curlLibrary().easySetopt;
    static const std::string userAgent = std::string(buildinfo::InternalName) + "/" + buildinfo::FileVersion;
    const std::array results = {
        setopt(curl, CURLOPT_URL, address.c_str()),
        setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https"),
        setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"),
        setopt(curl, CURLOPT_FOLLOWLOCATION, 1L),
        setopt(curl, CURLOPT_MAXREDIRS, limits.maxRedirects),
        setopt(curl, CURLOPT_FAILONERROR, 1L),
        setopt(curl, CURLOPT_NOSIGNAL, 1L),
        setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs),
        setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs),
        // A server that drips its answer must not hold the program until the overall limit.
        setopt(curl, CURLOPT_LOW_SPEED_LIMIT, std::max(1L, limits.floorBytesPerSecond)),
        setopt(curl, CURLOPT_LOW_SPEED_TIME, wholeSecondsAtLeastOne(limits.floorWindowMs)),
        setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes)),
        setopt(curl, CURLOPT_USERAGENT, userAgent.c_str()),
        setopt(curl, CURLOPT_WRITEFUNCTION, writeToSink),
        setopt(curl, CURLOPT_WRITEDATA, const_cast<BodySink*>(&sink)),
    };
    return std::ranges::all_of(results, [](CURLcode result) { return result == CURLE_OK; });
}

bool transferSucceeded(CURL* curl)
{
    long status = 0;
    return curlLibrary().easyPerform(curl) == CURLE_OK
        && curlLibrary().easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK
        && status >= 200 && status <= 299;
}

} // namespace

bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink)
{
    const CurlLibrary& library = curlLibrary();
    if (!library.ready)
        return false;
    const std::unique_ptr<CURL, void (*)(CURL*)> curl(library.easyInit(), library.easyCleanup);
    return curl && configure(curl.get(), address, limits, sink) && transferSucceeded(curl.get());
}

} // namespace Module1

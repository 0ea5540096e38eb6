#include "online/Transfer.h"

#include "BuildInfo.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Module1 {
namespace {

using Clock = std::chrono::steady_clock;

struct HandleCloser {
    void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The user's proxy choice as Windows keeps it; the strings belong to the system allocator.
class UserProxySettings {
public:
    UserProxySettings() { found_ = WinHttpGetIEProxyConfigForCurrentUser(&config_) != FALSE; }
    ~UserProxySettings()
    {
        for (LPWSTR text : {config_.lpszAutoConfigUrl, config_.lpszProxy, config_.lpszProxyBypass})
            if (text)
                GlobalFree(text);
    }
    UserProxySettings(const UserProxySettings&) = delete;
    UserProxySettings& operator=(const UserProxySettings&) = delete;

    const wchar_t* namedProxy() const { return found_ ? config_.lpszProxy : nullptr; }
    const wchar_t* bypass() const { return found_ ? config_.lpszProxyBypass : nullptr; }
    bool automatic() const { return found_ && (config_.fAutoDetect || config_.lpszAutoConfigUrl); }
    const wchar_t* autoConfigUrl() const { return config_.lpszAutoConfigUrl; }

private:
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config_{};
    bool found_ = false;
};

// Only for ASCII texts such as the build constants.
std::wstring widened(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

Handle openSession(const UserProxySettings& proxy)
{
    static const std::wstring userAgent =
        widened(buildinfo::InternalName) + L'/' + widened(buildinfo::FileVersion);
    // The user's own proxy when one is set; otherwise the machine's (netsh winhttp / http_proxy under Wine).
    if (const wchar_t* named = proxy.namedProxy())
        return Handle(WinHttpOpen(userAgent.c_str(), WINHTTP_ACCESS_TYPE_NAMED_PROXY, named,
                                  proxy.bypass() ? proxy.bypass() : WINHTTP_NO_PROXY_BYPASS, 0));
    return Handle(WinHttpOpen(userAgent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                              WINHTTP_NO_PROXY_BYPASS, 0));
}

// With automatic detection or a configuration script the proxy depends on the address; when the
// script cannot be had, the session's own choice stands.
void applyAutomaticProxy(HINTERNET session, HINTERNET request, const UserProxySettings& proxy,
                         const std::wstring& address)
{
    if (!proxy.automatic())
        return;
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (proxy.autoConfigUrl()) {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = proxy.autoConfigUrl();
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    options.fAutoLogonIfChallenged = TRUE;
    WINHTTP_PROXY_INFO info{};
    if (WinHttpGetProxyForUrl(session, address.c_str(), &options, &info)) {
        WinHttpSetOption(request, WINHTTP_OPTION_PROXY, &info, sizeof(info));
        for (LPWSTR text : {info.lpszProxy, info.lpszProxyBypass})
            if (text)
                GlobalFree(text);
    }
}

class Deadline {
public:
    explicit Deadline(long milliseconds) : end_(Clock::now() + std::chrono::milliseconds(milliseconds)) {}
    // What is left, never more than `cap`; zero once the time is up.
    int remainingMs(long cap) const
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
        return static_cast<int>(std::clamp<long long>(left, 0, cap));
    }
    bool passed() const { return Clock::now() >= end_; }

private:
    Clock::time_point end_;
};

// WinHTTP's waits are per operation; shortening them to what is left of the whole keeps the
// overall limit even when a server answers just often enough to dodge the stall limit.
bool limitWaits(HINTERNET handle, const DownloadLimits& limits, const Deadline& deadline)
{
    // A silent server is the extreme case of one below the floor speed.
    const int stall = deadline.remainingMs(limits.floorWindowMs);
    const int connect = deadline.remainingMs(limits.connectTimeoutMs);
    return stall > 0 && WinHttpSetTimeouts(handle, connect, connect, stall, stall) != FALSE;
}

std::optional<DWORD> queryNumber(HINTERNET request, DWORD what)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &value, &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    return value;
}

std::optional<std::wstring> queryLocation(HINTERNET request)
{
    // An address longer than this is no address any server of ours would send.
    std::array<wchar_t, 4096> buffer{};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    return std::wstring(buffer.data(), size / sizeof(wchar_t));
}

bool isRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// One address taken apart; WinHTTP itself knows no other schemes than http and https.
struct Address {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring target; // path and query, without the fragment
};

std::optional<Address> parsed(const std::wstring& url)
{
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    if (url.empty() || !WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)
        || (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        || parts.dwHostNameLength == 0)
        return std::nullopt;
    Address address;
    address.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    address.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    address.port = parts.nPort;
    address.target.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    address.target.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    address.target = address.target.substr(0, address.target.find(L'#'));
    if (address.target.empty() || address.target.front() != L'/')
        address.target.insert(0, 1, L'/');
    return address;
}

// A Location as the server sent it, made absolute against the address it answered for.
std::wstring resolved(const Address& base, const std::wstring& location)
{
    const auto colon = location.find(L':');
    if (colon != std::wstring::npos && colon > 0 && colon < location.find_first_of(L"/?#"))
        return location; // a scheme of its own: http, https, or one that parsed() refuses
    const std::wstring scheme = base.secure ? L"https:" : L"http:";
    if (location.starts_with(L"//"))
        return scheme + location;
    const bool ipv6 = base.host.find(L':') != std::wstring::npos;
    const std::wstring origin =
        scheme + L"//" + (ipv6 ? L"[" + base.host + L"]" : base.host) + L":" + std::to_wstring(base.port);
    if (location.starts_with(L'/'))
        return origin + location;
    const std::wstring path = base.target.substr(0, base.target.find(L'?'));
    return origin + path.substr(0, path.rfind(L'/') + 1) + location;
}

bool receiveBody(HINTERNET request, const DownloadLimits& limits, const Deadline& deadline, const BodySink& sink)
{
    // A declared length over the cap fails before a byte is written.
    const auto declared = queryNumber(request, WINHTTP_QUERY_CONTENT_LENGTH);
    if (declared && *declared > limits.maxBytes)
        return false;
    std::array<char, 16384> buffer{};
    long long received = 0;
    // The floor speed is checked over consecutive windows, as libcurl does on the other platforms.
    auto windowStart = Clock::now();
    long long receivedAtWindowStart = 0;
    const long long floorBytes = static_cast<long long>(limits.floorBytesPerSecond) * limits.floorWindowMs / 1000;
    for (;;) {
        DWORD read = 0;
        if (!limitWaits(request, limits, deadline)
            || !WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read))
            return false;
        // WinHTTP reports a connection closed early as the body's end: only the declared length is complete.
        if (read == 0)
            return !declared || received == *declared;
        received += read;
        if (received > limits.maxBytes || deadline.passed() || !sink(buffer.data(), read))
            return false;
        if (Clock::now() - windowStart >= std::chrono::milliseconds(limits.floorWindowMs)) {
            if (received - receivedAtWindowStart < floorBytes)
                return false;
            windowStart = Clock::now();
            receivedAtWindowStart = received;
        }
    }
}

enum class Step { Failed, Done, Redirected };

// One request of the chain: sends it, then either hands the 2xx body to the sink or names the next address.
Step requestOnce(HINTERNET session, const UserProxySettings& proxy, std::wstring& url, const DownloadLimits& limits,
                 const Deadline& deadline, const BodySink& sink)
{
    const auto address = parsed(url);
    if (!address)
        return Step::Failed;
    const Handle connection(WinHttpConnect(session, address->host.c_str(), address->port, 0));
    if (!connection)
        return Step::Failed;
    const Handle request(WinHttpOpenRequest(connection.get(), L"GET", address->target.c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            address->secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request)
        return Step::Failed;
    // Redirects are followed here, not by WinHTTP, so that each hop is counted and its scheme checked.
    DWORD disable = WINHTTP_DISABLE_REDIRECTS;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof(disable));
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof(never));
    applyAutomaticProxy(session, request.get(), proxy, url);

    if (!limitWaits(request.get(), limits, deadline)
        || !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)
        || !WinHttpReceiveResponse(request.get(), nullptr) || deadline.passed())
        return Step::Failed;

    const DWORD status = queryNumber(request.get(), WINHTTP_QUERY_STATUS_CODE).value_or(0);
    if (status >= 200 && status <= 299)
        return receiveBody(request.get(), limits, deadline, sink) ? Step::Done : Step::Failed;
    if (!isRedirect(status))
        return Step::Failed;
    const auto location = queryLocation(request.get());
    if (!location)
        return Step::Failed;
    url = resolved(*address, *location);
    return Step::Redirected;
}

} // namespace

bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink)
{
    const Deadline deadline(limits.totalTimeoutMs);
    std::wstring url(address.size(), L'\0');
    url.resize(static_cast<std::size_t>(std::max(
        0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, address.data(), static_cast<int>(address.size()),
                               url.data(), static_cast<int>(url.size())))));
    const UserProxySettings proxy;
    const Handle session = openSession(proxy);
    // The session's waits also bound fetching a proxy configuration script.
    if (!session || !limitWaits(session.get(), limits, deadline))
        return false;
    for (long hop = 0; hop <= limits.maxRedirects; ++hop) {
        switch (requestOnce(session.get(), proxy, url, limits, deadline, sink)) {
        case Step::Done:
            return true;
        case Step::Failed:
            return false;
        case Step::Redirected:
            break;
        }
    }
    return false;
}

} // namespace Module1

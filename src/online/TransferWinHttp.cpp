#include "online/Transfer.h"

#include "BuildInfo.h"

#include <QString>
#include <QUrl>

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

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

std::wstring wide(const QString& text)
{
    return text.toStdWString();
}

Handle openSession(const UserProxySettings& proxy)
{
    static const std::wstring userAgent =
        wide(QString::fromLatin1(buildinfo::InternalName) + u'/' + QString::fromLatin1(buildinfo::FileVersion));
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
bool limitWaits(HINTERNET request, const DownloadLimits& limits, const Deadline& deadline)
{
    const int stall = deadline.remainingMs(limits.stallTimeoutMs);
    const int connect = deadline.remainingMs(limits.connectTimeoutMs);
    return stall > 0 && WinHttpSetTimeouts(request, connect, connect, stall, stall) != FALSE;
}

DWORD queryNumber(HINTERNET request, DWORD what)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &value, &size,
                             WINHTTP_NO_HEADER_INDEX))
        return 0;
    return value;
}

std::optional<QString> queryLocation(HINTERNET request)
{
    // An address longer than this is no address any server of ours would send.
    std::array<wchar_t, 4096> buffer{};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    return QString::fromWCharArray(buffer.data(), static_cast<int>(size / sizeof(wchar_t)));
}

bool isRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool isWebUrl(const QUrl& url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

bool receiveBody(HINTERNET request, const DownloadLimits& limits, const Deadline& deadline, const BodySink& sink)
{
    // A declared length over the cap fails before a byte is written.
    const DWORD declared = queryNumber(request, WINHTTP_QUERY_CONTENT_LENGTH);
    if (declared > limits.maxBytes)
        return false;
    std::array<char, 16384> buffer{};
    long long received = 0;
    for (;;) {
        DWORD read = 0;
        if (!limitWaits(request, limits, deadline)
            || !WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read))
            return false;
        if (read == 0)
            return true;
        received += read;
        if (received > limits.maxBytes || deadline.passed() || !sink(buffer.data(), read))
            return false;
    }
}

enum class Step { Failed, Done, Redirected };

// One request of the chain: sends it, then either hands the 2xx body to the sink or names the next address.
Step requestOnce(HINTERNET session, const UserProxySettings& proxy, QUrl& url, const DownloadLimits& limits,
                 const Deadline& deadline, const BodySink& sink)
{
    const bool secure = url.scheme() == u"https";
    const std::wstring host = wide(url.host(QUrl::FullyEncoded));
    const auto port = static_cast<INTERNET_PORT>(url.port(secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT));
    const Handle connection(WinHttpConnect(session, host.c_str(), port, 0));
    if (!connection)
        return Step::Failed;
    QString target = url.path(QUrl::FullyEncoded);
    if (target.isEmpty())
        target = QStringLiteral("/");
    if (url.hasQuery())
        target += u'?' + url.query(QUrl::FullyEncoded);
    const Handle request(WinHttpOpenRequest(connection.get(), L"GET", wide(target).c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request)
        return Step::Failed;
    // Redirects are followed here, not by WinHTTP, so that each hop is counted and its scheme checked.
    DWORD disable = WINHTTP_DISABLE_REDIRECTS;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof(disable));
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof(never));
    applyAutomaticProxy(session, request.get(), proxy, wide(url.toString(QUrl::FullyEncoded)));

    if (!limitWaits(request.get(), limits, deadline)
        || !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)
        || !WinHttpReceiveResponse(request.get(), nullptr) || deadline.passed())
        return Step::Failed;

    const DWORD status = queryNumber(request.get(), WINHTTP_QUERY_STATUS_CODE);
    if (status >= 200 && status <= 299)
        return receiveBody(request.get(), limits, deadline, sink) ? Step::Done : Step::Failed;
    if (!isRedirect(status))
        return Step::Failed;
    const auto location = queryLocation(request.get());
    if (!location)
        return Step::Failed;
    url = url.resolved(QUrl(*location, QUrl::StrictMode));
    return Step::Redirected;
}

} // namespace

bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink)
{
    const Deadline deadline(limits.totalTimeoutMs);
    QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    const UserProxySettings proxy;
    const Handle session = openSession(proxy);
    if (!session)
        return false;
    for (long hop = 0; hop <= limits.maxRedirects; ++hop) {
        if (!isWebUrl(url))
            return false;
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

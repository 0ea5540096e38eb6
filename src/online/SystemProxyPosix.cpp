#include "online/SystemProxy.h"

#include <QByteArrayList>

namespace Module1 {
namespace {

QByteArray environment(const char* name)
{
    return qgetenv(name).trimmed();
}

// no_proxy: names separated by commas or blanks, each the host itself or a domain it lies in
// ("example.org" and ".example.org" alike); "*" alone means every host.
bool bypassed(const QString& host)
{
    QByteArray list = environment("no_proxy");
    if (list.isEmpty())
        list = environment("NO_PROXY");
    const QString name = host.toLower();
    for (QByteArray entry : list.replace(' ', ',').split(',')) {
        entry = entry.trimmed().toLower();
        if (entry.startsWith('.'))
            entry.remove(0, 1);
        if (entry == "*")
            return true;
        const QString domain = QString::fromLatin1(entry);
        if (!domain.isEmpty() && (name == domain || name.endsWith(u'.' + domain)))
            return true;
    }
    return false;
}

// The proxy's own address; without a scheme it is an HTTP proxy, as curl takes it.
std::optional<QNetworkProxy> proxyFrom(const QByteArray& setting)
{
    const QString text = QString::fromLocal8Bit(setting);
    const QUrl proxy(text.contains(u"://") ? text : QStringLiteral("http://") + text, QUrl::StrictMode);
    if (!proxy.isValid() || proxy.host().isEmpty())
        return std::nullopt;
    const QString scheme = proxy.scheme().toLower();
    const bool socks = scheme == u"socks5" || scheme == u"socks5h";
    if (!socks && scheme != u"http")
        return std::nullopt;
    // curl's port for a proxy that names none
    constexpr int DefaultPort = 1080;
    return QNetworkProxy(socks ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy, proxy.host(),
                         static_cast<quint16>(proxy.port(DefaultPort)), proxy.userName(), proxy.password());
}

} // namespace

std::optional<QNetworkProxy> systemProxyFor(const QUrl& url)
{
    if (bypassed(url.host()))
        return QNetworkProxy(QNetworkProxy::NoProxy);
    // HTTP_PROXY is not read: a web server's CGI sets it from a request's "Proxy:" header.
    QByteArray setting = url.scheme() == u"https" ? environment("https_proxy") : environment("http_proxy");
    if (setting.isEmpty() && url.scheme() == u"https")
        setting = environment("HTTPS_PROXY");
    if (setting.isEmpty())
        setting = environment("all_proxy");
    if (setting.isEmpty())
        setting = environment("ALL_PROXY");
    if (setting.isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    return proxyFrom(setting);
}

} // namespace Module1

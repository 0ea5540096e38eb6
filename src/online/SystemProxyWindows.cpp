#include "online/SystemProxy.h"

#include <QNetworkProxyFactory>

namespace Module1 {

// Qt reads the user's Internet settings (an automatic configuration script included) through
// WinHTTP, as the system's own programs do.
std::optional<QNetworkProxy> systemProxyFor(const QUrl& url)
{
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    if (proxies.isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    return proxies.front();
}

} // namespace Module1

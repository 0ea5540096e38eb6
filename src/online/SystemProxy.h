#pragma once

#include <QNetworkProxy>
#include <QUrl>

#include <optional>

namespace Module1 {

// The proxy the system names for `url`: NoProxy for a direct connection, nothing when the
// setting names a proxy that cannot be used (the download then fails rather than go around it).
// On Linux the proxy environment as curl and most command-line tools read it; on Windows the
// user's Internet settings.
std::optional<QNetworkProxy> systemProxyFor(const QUrl& url);

} // namespace Module1

#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace Module1 {

// The addresses of `host` (a name or an address), from the system's resolver, on the calling
// thread; empty when it has none. Unlike Qt's own lookups it owes nothing to Qt's lookup
// threads, which the program would wait for at its end.
QList<QHostAddress> lookUpHost(const QString& host);

} // namespace Module1

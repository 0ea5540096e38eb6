#pragma once

#include <QByteArray>

namespace bench {

// The in-process benchmarks need no display: they fall back to the offscreen platform unless
// somebody chose another. Call before the application object exists.
inline void useOffscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}

} // namespace bench

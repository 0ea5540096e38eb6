#include "online/Download.h"

#include "online/Transfer.h"

#include <QSaveFile>
#include <QString>

namespace Module1 {

bool Stahni(const std::string& address, const std::string& path, const DownloadLimits& limits)
{
    // The body goes to a temporary file beside the target that only a complete transfer renames
    // into place; leaving without commit() removes it and keeps the earlier file intact.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    long long written = 0;
    // A chunked body declares no size, so the cap is kept here too.
    const BodySink sink = [&](const char* data, std::size_t length) {
        const auto size = static_cast<long long>(length);
        if (size > limits.maxBytes - written || file.write(data, size) != size)
            return false;
        written += size;
        return true;
    };
    return transfer(address, limits, sink) && file.commit();
}

} // namespace Module1

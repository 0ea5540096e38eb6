#include "online/BannerImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QtEndian>

namespace Module1 {
namespace {

// Qt decodes a bitmap cut short without complaint and leaves the missing rows uninitialised,
// so a file shorter than its header says is no picture.
bool truncatedBitmap(std::string_view bytes)
{
    if (bytes.size() < 6 || !bytes.starts_with("BM"))
        return false;
    return qFromLittleEndian<quint32>(bytes.data() + 2) > bytes.size();
}

} // namespace

std::optional<QImage> decodeBanner(std::string_view bytes)
{
    if (truncatedBitmap(bytes))
        return std::nullopt;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > MaxBannerSide || size.height() > MaxBannerSide)
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace Module1

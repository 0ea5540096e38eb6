#include "resources/IconFile.h"

#include <QBuffer>
#include <QtEndian>

#include <vector>

namespace pictures {
namespace {

void appendLittleEndian16(QByteArray& out, int value)
{
    const auto v = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

void appendLittleEndian32(QByteArray& out, qint64 value)
{
    const auto v = qToLittleEndian(static_cast<quint32>(value));
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

QImage imageOf(const Picture& picture, int size)
{
    // Painting at a device pixel ratio keeps the drawing's geometry; only the pixel count changes.
    QImage image = render(picture, static_cast<qreal>(size) / picture.width);
    if (image.width() != size || image.height() != size)
        return {};
    image.setDevicePixelRatio(1.0);
    return image;
}

QByteArray pngOf(const Picture& picture, int size)
{
    const QImage image = imageOf(picture, size);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
        return {};
    return png;
}

} // namespace

QByteArray iconFile(const Picture& picture, std::initializer_list<int> sizes)
{
    std::vector<QByteArray> images;
    for (const int size : sizes) {
        if (size < 1 || size > 256 || picture.width != picture.height)
            return {};
        images.push_back(pngOf(picture, size));
        if (images.back().isEmpty())
            return {};
    }
    constexpr int HeaderBytes = 6;
    constexpr int EntryBytes = 16;
    QByteArray out;
    appendLittleEndian16(out, 0);
    appendLittleEndian16(out, 1); // an icon, not a cursor
    appendLittleEndian16(out, static_cast<int>(images.size()));
    qint64 offset = HeaderBytes + EntryBytes * static_cast<qint64>(images.size());
    auto size = sizes.begin();
    for (const QByteArray& png : images) {
        const int side = *size++ % 256; // 256 is written as 0
        out.append(static_cast<char>(side));
        out.append(static_cast<char>(side));
        out.append('\0'); // no palette
        out.append('\0');
        appendLittleEndian16(out, 1);  // colour planes
        appendLittleEndian16(out, 32); // bits per pixel
        appendLittleEndian32(out, png.size());
        appendLittleEndian32(out, offset);
        offset += png.size();
    }
    for (const QByteArray& png : images)
        out.append(png);
    return out;
}

QByteArray iconInitialisers(const Picture& picture, std::initializer_list<int> sizes)
{
    QByteArray out;
    for (const int size : sizes) {
        const QImage image = imageOf(picture, size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return {};
        out += "{" + QByteArray::number(size) + ", {";
        for (int y = 0; y < size; ++y) {
            const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x)
                out += "0x" + QByteArray::number(row[x], 16) + "u,";
        }
        out += "}},\n";
    }
    return out;
}

} // namespace pictures

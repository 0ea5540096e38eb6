#include "online/BannerImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace Module1 {
namespace {

// Only these formats are read, each recognised by its own first bytes: no other image plugin
// (icons, vector pictures, text formats) ever sees a downloaded banner.
struct Signature {
    std::string_view magic;
    const char* format;
};
constexpr std::array<Signature, 5> Formats{{
    {"BM", "bmp"},
    {"\x89PNG\r\n\x1a\n", "png"},
    {"GIF87a", "gif"},
    {"GIF89a", "gif"},
    {"\xff\xd8\xff", "jpeg"},
}};

const char* formatOf(std::string_view bytes)
{
    for (const Signature& s : Formats) {
        if (bytes.starts_with(s.magic))
            return s.format;
    }
    return nullptr;
}

// What the largest banner needs once decoded (four bytes a pixel), in the megabytes Qt counts.
constexpr int AllocationLimitMiB = MaxBannerSide * MaxBannerSide * 4 / (1024 * 1024);

// ---- Bitmaps --------------------------------------------------------------------------------
// Qt decodes a bitmap whose pixel data is cut short without complaint and leaves the missing
// rows uninitialised, so the data's extent is worked out from the headers before Qt sees it.

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3 };

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12; // 16-bit sizes, three-byte palette entries
constexpr std::array<std::uint32_t, 6> InfoHeaderSizes{CoreHeaderSize, 40, 52, 56, 108, 124};

struct BitmapHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top-down
    std::uint32_t bits = 0;
    std::uint32_t compression = Rgb;
    std::uint32_t colours = 0; // palette entries the header announces
};

template <typename T>
T readLittle(std::string_view bytes, std::size_t at)
{
    return qFromLittleEndian<T>(bytes.data() + at);
}

std::optional<BitmapHeader> readBitmapHeader(std::string_view bytes)
{
    if (bytes.size() < FileHeaderSize + 4)
        return std::nullopt;
    BitmapHeader h;
    h.dataOffset = readLittle<std::uint32_t>(bytes, 10);
    h.headerSize = readLittle<std::uint32_t>(bytes, 14);
    if (std::find(InfoHeaderSizes.begin(), InfoHeaderSizes.end(), h.headerSize) == InfoHeaderSizes.end()
        || bytes.size() < FileHeaderSize + h.headerSize)
        return std::nullopt;
    const std::size_t at = FileHeaderSize + 4;
    std::uint16_t planes = 0;
    if (h.headerSize == CoreHeaderSize) {
        h.width = readLittle<std::uint16_t>(bytes, at);
        h.height = readLittle<std::uint16_t>(bytes, at + 2);
        planes = readLittle<std::uint16_t>(bytes, at + 4);
        h.bits = readLittle<std::uint16_t>(bytes, at + 6);
    } else {
        h.width = readLittle<std::int32_t>(bytes, at);
        h.height = readLittle<std::int32_t>(bytes, at + 4);
        planes = readLittle<std::uint16_t>(bytes, at + 8);
        h.bits = readLittle<std::uint16_t>(bytes, at + 10);
        h.compression = readLittle<std::uint32_t>(bytes, at + 12);
        h.colours = readLittle<std::uint32_t>(bytes, at + 28);
    }
    const bool knownDepth = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    const bool knownCompression = h.compression == Rgb || (h.compression == Rle8 && h.bits == 8)
        || (h.compression == Rle4 && h.bits == 4) || (h.compression == Bitfields && (h.bits == 16 || h.bits == 32));
    if (planes != 1 || !knownDepth || !knownCompression || h.width <= 0 || h.height == 0 || h.width > MaxBannerSide
        || std::abs(h.height) > MaxBannerSide)
        return std::nullopt;
    // A run-length stream is always stored bottom-up.
    if ((h.compression == Rle8 || h.compression == Rle4) && h.height < 0)
        return std::nullopt;
    if (h.bits <= 8 && h.colours > 256)
        return std::nullopt;
    return h;
}

// Where the pixel data starts: at the offset the file header gives, but never inside the
// headers, the colour masks or the palette, which a decoder reads first.
std::size_t pixelDataStart(const BitmapHeader& h)
{
    std::size_t end = FileHeaderSize + h.headerSize;
    if (h.compression == Bitfields && h.headerSize == 40)
        end += 3 * 4;
    if (h.bits <= 8) {
        const std::size_t entries = h.colours != 0 ? h.colours : std::size_t{1} << h.bits;
        end += entries * (h.headerSize == CoreHeaderSize ? 3 : 4);
    }
    return std::max<std::size_t>(h.dataOffset, end);
}

// Whether a run-length stream paints every pixel of the picture from its own bytes: a stream
// that ends early, is cut short, skips pixels with a move or leaves a row unfinished would
// leave pixels that the decoder never writes.
bool rleCoversEveryPixel(std::string_view stream, const BitmapHeader& h)
{
    const bool nibbles = h.compression == Rle4;
    const auto width = static_cast<std::size_t>(h.width);
    const auto rows = static_cast<std::size_t>(h.height);
    std::size_t x = 0, y = 0, at = 0;
    // The last row may end with its last pixel as well as with an end-of-row mark.
    const auto complete = [&] { return (x == 0 && y == rows) || (x == width && y + 1 == rows); };
    while (at + 2 <= stream.size() && y < rows) {
        const auto count = static_cast<unsigned char>(stream[at]);
        const auto code = static_cast<unsigned char>(stream[at + 1]);
        at += 2;
        if (count > 0) { // a run of one value (or of two alternating nibbles)
            x += count;
        } else if (code == 0) { // end of row
            if (x != width)
                return false;
            x = 0;
            ++y;
        } else if (code == 1) { // end of picture
            return complete();
        } else if (code == 2) { // a move, which skips what it passes over
            return false;
        } else { // literal pixels, padded to whole 16-bit words
            const std::size_t literalBytes = nibbles ? (code + 1) / 2 : code;
            if (at + literalBytes > stream.size())
                return false;
            at += (literalBytes + 1) / 2 * 2;
            x += code;
        }
        if (x > width)
            return false;
    }
    return complete();
}

bool bitmapDataComplete(std::string_view bytes)
{
    const auto h = readBitmapHeader(bytes);
    if (!h)
        return false;
    const std::size_t start = pixelDataStart(*h);
    if (start > bytes.size())
        return false;
    if (h->compression == Rle8 || h->compression == Rle4)
        return rleCoversEveryPixel(bytes.substr(start), *h);
    const std::size_t stride = (static_cast<std::size_t>(h->width) * h->bits + 31) / 32 * 4;
    return static_cast<std::size_t>(std::abs(h->height)) * stride <= bytes.size() - start;
}

bool withinBannerSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxBannerSide && size.height() <= MaxBannerSide;
}

// Qt reports a bitmap stored top-down with a negative height.
QSize claimedSize(QImageReader& reader)
{
    const QSize size = reader.size();
    return {std::abs(size.width()), std::abs(size.height())};
}

} // namespace

std::optional<QImage> decodeBanner(std::string_view bytes)
{
    const char* format = formatOf(bytes);
    if (!format || (std::string_view(format) == "bmp" && !bitmapDataComplete(bytes)))
        return std::nullopt;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (!withinBannerSize(claimedSize(reader)))
        return std::nullopt;
    // The header's size is only a claim (a GIF frame may reach far past it), so the decoder may
    // allocate no more than the largest banner needs, and what it made is measured again.
    // The limit is process-wide: it is lowered for this read only, never raised.
    const int previousLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(previousLimit > 0 ? std::min(previousLimit, AllocationLimitMiB)
                                                       : AllocationLimitMiB);
    QImage image;
    const bool read = reader.read(&image);
    QImageReader::setAllocationLimit(previousLimit);
    // A failed read may still hand back a half-filled picture.
    if (!read || image.isNull() || !withinBannerSize(image.size()))
        return std::nullopt;
    return image;
}

} // namespace Module1

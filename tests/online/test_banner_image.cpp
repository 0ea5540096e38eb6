#include "online/BannerImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using Module1::decodeBanner;

namespace {

// ---- Building files byte by byte ------------------------------------------------------------

void putLittle(std::string& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

void putBig(std::string& bytes, std::uint32_t value)
{
    for (int i = 3; i >= 0; --i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

struct Bitmap {
    std::uint32_t headerSize = 40;
    std::int32_t width = 4;
    std::int32_t height = 2; // negative: top-down
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t paletteEntries = 0;

    std::size_t stride() const { return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4; }
};

// A bitmap file as an encoder writes it: file header, info header, masks, palette, pixel data
// (by default every row complete with its padding).
std::string bitmapFile(const Bitmap& b, const std::optional<std::string>& pixelData = std::nullopt)
{
    std::string info;
    if (b.headerSize == 12) {
        putLittle(info, b.width, 2);
        putLittle(info, static_cast<std::uint16_t>(b.height), 2);
        putLittle(info, 1, 2);
        putLittle(info, b.bits, 2);
    } else {
        putLittle(info, static_cast<std::uint32_t>(b.width), 4);
        putLittle(info, static_cast<std::uint32_t>(b.height), 4);
        putLittle(info, 1, 2);
        putLittle(info, b.bits, 2);
        putLittle(info, b.compression, 4);
        putLittle(info, 0, 4);    // image size: may be 0 when uncompressed
        putLittle(info, 2835, 4); // 72 dpi
        putLittle(info, 2835, 4);
        putLittle(info, b.paletteEntries, 4);
        putLittle(info, 0, 4);
    }
    // Bitfield masks follow a 40-byte header and are part of every longer one.
    std::string masks;
    if (b.compression == 3) {
        const std::vector<std::uint32_t> rgb = b.bits == 16 ? std::vector<std::uint32_t>{0x7c00, 0x03e0, 0x001f}
                                                            : std::vector<std::uint32_t>{0xff0000, 0xff00, 0xff};
        for (const std::uint32_t mask : rgb)
            putLittle(masks, mask, 4);
    }
    if (b.headerSize > 40) {
        info += masks;
        masks.clear();
    }
    info.resize(b.headerSize - 4, '\0');

    std::string palette;
    for (std::uint32_t i = 0; i < b.paletteEntries; ++i)
        palette += std::string(b.headerSize == 12 ? 3 : 4, static_cast<char>(i * 37));
    const std::string pixels
        = pixelData.value_or(std::string(b.stride() * static_cast<std::size_t>(std::abs(b.height)), '\x5a'));

    std::string file = "BM";
    const std::size_t offset = 14 + 4 + info.size() + masks.size() + palette.size();
    putLittle(file, offset + pixels.size(), 4);
    putLittle(file, 0, 4);
    putLittle(file, offset, 4);
    putLittle(file, b.headerSize, 4);
    return file + info + masks + palette + pixels;
}

// The file cut short with its header's file size made to match, so that only the pixel
// data's own extent shows that something is missing.
std::string cutShort(std::string file, std::size_t missing)
{
    file.resize(file.size() - missing);
    std::string size;
    putLittle(size, file.size(), 4);
    file.replace(2, 4, size);
    return file;
}

std::string withDataOffset(std::string file, std::uint32_t offset)
{
    std::string value;
    putLittle(value, offset, 4);
    file.replace(10, 4, value);
    return file;
}

std::string encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

QImage filled(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20, 60, 200));
    return image;
}

std::uint32_t crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xffffffff;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

std::string pngChunk(std::string_view type, const std::string& data)
{
    std::string chunk;
    putBig(chunk, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type) + data;
    chunk += body;
    putBig(chunk, crc32(body));
    return chunk;
}

// A valid PNG of one colour, small on disk however large it decodes: its rows compress to almost nothing.
std::string uniformPng(int width, int height, bool rgb)
{
    std::string header;
    putBig(header, width);
    putBig(header, height);
    header += std::string{8, static_cast<char>(rgb ? 2 : 0), 0, 0, 0}; // 8 bits, truecolour or grey
    const std::size_t row = 1 + static_cast<std::size_t>(width) * (rgb ? 3 : 1);
    const QByteArray raw(static_cast<qsizetype>(row) * height, '\0');
    const QByteArray zlib = qCompress(raw, 9).mid(4); // without Qt's own length prefix
    return "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", header) + pngChunk("IDAT", zlib.toStdString()) + pngChunk("IEND", "");
}

// An icon file whose directory announces a 32 x 32 picture and holds the given one instead.
std::string iconHolding(const std::string& picture)
{
    std::string file;
    putLittle(file, 0, 2);
    putLittle(file, 1, 2); // an icon
    putLittle(file, 1, 2); // one picture
    file += std::string{32, 32, 0, 0};
    putLittle(file, 1, 2);  // planes
    putLittle(file, 32, 2); // bits
    putLittle(file, picture.size(), 4);
    putLittle(file, 22, 4); // where the picture starts
    return file + picture;
}

// 32 bytes: a GIF whose only frame claims more rows than any banner has, on a screen of the
// given size (0 x 0: as large as the frame).
std::string gifWithTallFrame(int screenWidth, int screenHeight)
{
    std::string gif = "GIF89a";
    putLittle(gif, screenWidth, 2);
    putLittle(gif, screenHeight, 2);
    gif += std::string("\0\0\0", 3);
    gif += ',';
    putLittle(gif, 0, 4);
    putLittle(gif, 468, 2);
    putLittle(gif, 65484, 2);
    gif += std::string("\0\x02\x05\x84\x8f\xa9\xcb\xed\0;", 11);
    return gif;
}

// ---- Bitmaps: no pixel that the file does not hold -----------------------------------------

struct BitmapCase {
    const char* name;
    std::string bytes;
    std::optional<QSize> shown; // nothing: no picture at all
};

void PrintTo(const BitmapCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string rle(const Bitmap& b, const std::string& stream)
{
    return bitmapFile(b, stream);
}

std::vector<BitmapCase> bitmapCases()
{
    const Bitmap rgb{.width = 3, .height = 5};
    const Bitmap topDown{.width = 3, .height = -5};
    const Bitmap mono{.width = 33, .height = 3, .bits = 1, .paletteEntries = 2};
    const Bitmap core8{.headerSize = 12, .width = 5, .height = 3, .bits = 8, .paletteEntries = 256};
    const Bitmap fields16{.width = 5, .height = 3, .bits = 16, .compression = 3};
    const Bitmap v4{.headerSize = 108, .width = 5, .height = 3, .bits = 32, .compression = 3};
    const Bitmap v5{.headerSize = 124, .width = 5, .height = -3, .bits = 32};
    const Bitmap rle8{.width = 4, .height = 2, .bits = 8, .compression = 1, .paletteEntries = 16};
    const Bitmap rle4{.width = 5, .height = 2, .bits = 4, .compression = 2, .paletteEntries = 16};
    const std::string rle8Rows("\x04\x05\0\0"
                               "\0\x04\x01\x02\x03\x04"
                               "\0\0"
                               "\0\x01",
                               14);
    const std::string rle4Rows("\x05\x12\0\0"
                               "\0\x05\x12\x34\x50\0"
                               "\0\x01",
                               12);
    return {
        {"Rgb24", bitmapFile(rgb), QSize(3, 5)},
        {"Rgb24CutShort", cutShort(bitmapFile(rgb), 1), std::nullopt},
        {"Rgb24LastRowWithoutItsPadding", cutShort(bitmapFile(rgb), 3), std::nullopt},
        {"Rgb24HalfItsRows", cutShort(bitmapFile(rgb), 2 * rgb.stride()), std::nullopt},
        {"TopDown", bitmapFile(topDown), QSize(3, 5)},
        {"TopDownCutShort", cutShort(bitmapFile(topDown), 1), std::nullopt},
        {"OneBit", bitmapFile(mono), QSize(33, 3)},
        {"OneBitCutShort", cutShort(bitmapFile(mono), 1), std::nullopt},
        {"CoreHeader", bitmapFile(core8), QSize(5, 3)},
        {"CoreHeaderCutShort", cutShort(bitmapFile(core8), 1), std::nullopt},
        {"CoreHeaderPaletteCutShort", cutShort(bitmapFile(core8), 3 * 8 + 100), std::nullopt},
        {"Bitfields", bitmapFile(fields16), QSize(5, 3)},
        {"BitfieldsCutShort", cutShort(bitmapFile(fields16), 1), std::nullopt},
        {"V4Header", bitmapFile(v4), QSize(5, 3)},
        {"V4HeaderCutShort", cutShort(bitmapFile(v4), 1), std::nullopt},
        {"V5HeaderTopDown", bitmapFile(v5), QSize(5, 3)},
        {"V5HeaderTopDownCutShort", cutShort(bitmapFile(v5), 4), std::nullopt},
        {"DataOffsetPastTheEnd", withDataOffset(bitmapFile(rgb), 4000), std::nullopt},
        // An offset pointing into the headers does not make the data look shorter than it is.
        {"DataOffsetInsideTheHeader", withDataOffset(cutShort(bitmapFile(rgb), 1), 20), std::nullopt},
        {"UnknownHeaderSize", bitmapFile(Bitmap{.headerSize = 64}), std::nullopt},
        {"PaletteOverFull", bitmapFile(Bitmap{.bits = 8, .paletteEntries = 300}), std::nullopt},
        {"NoRows", bitmapFile(Bitmap{.height = 0}), std::nullopt},
        {"TallerThanAnyBanner", bitmapFile(Bitmap{.width = 1, .height = -(Module1::MaxBannerSide + 1)}), std::nullopt},
        {"HeaderOnly", bitmapFile(rgb).substr(0, 30), std::nullopt},
        {"Rle8", rle(rle8, rle8Rows), QSize(4, 2)},
        {"Rle8LastRowEndsWithItsLastPixel", rle(rle8, std::string("\x04\x05\0\0\x04\x06\0\x01", 8)), QSize(4, 2)},
        {"Rle8WithoutEndMark", rle(rle8, rle8Rows.substr(0, 12)), QSize(4, 2)},
        {"Rle8CutShort", cutShort(rle(rle8, rle8Rows), 6), std::nullopt},
        {"Rle8LiteralCutShort", cutShort(rle(rle8, rle8Rows.substr(0, 10)), 2), std::nullopt},
        {"Rle8MoveSkipsPixels", rle(rle8, std::string("\x02\x05\0\x02\x02\x00\0\0\x04\x05\0\x01", 12)), std::nullopt},
        {"Rle8RowEndsEarly", rle(rle8, std::string("\x02\x05\0\0\x04\x05\0\x01", 8)), std::nullopt},
        {"Rle8PictureEndsEarly", rle(rle8, std::string("\x04\x05\0\0\0\x01", 6)), std::nullopt},
        {"Rle8RunPastTheRow", rle(rle8, std::string("\x09\x05\0\0\x04\x05\0\x01", 8)), std::nullopt},
        {"Rle8TopDown", rle(Bitmap{rle8.headerSize, 4, -2, 8, 1, 16}, rle8Rows), std::nullopt},
        {"Rle4", rle(rle4, rle4Rows), QSize(5, 2)},
        {"Rle4CutShort", cutShort(rle(rle4, rle4Rows), 4), std::nullopt},
    };
}

class BitmapExtent : public ::testing::TestWithParam<BitmapCase> { };

TEST_P(BitmapExtent, ShowsOnlyPicturesWhosePixelsAreAllInTheFile)
{
    const auto image = decodeBanner(GetParam().bytes);
    ASSERT_EQ(image.has_value(), GetParam().shown.has_value());
    if (image) {
        EXPECT_EQ(image->size(), *GetParam().shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BitmapExtent, ::testing::ValuesIn(bitmapCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapExtentPixels, CompleteBitmapShowsItsOwnPixels)
{
    const auto image = decodeBanner(bitmapFile(Bitmap{.width = 3, .height = -2}));
    ASSERT_TRUE(image);
    for (const QPoint p : {QPoint(0, 0), QPoint(2, 1)})
        EXPECT_EQ(image->pixel(p), qRgb(0x5a, 0x5a, 0x5a));
}

// ---- Formats and sizes: only what a banner can be, only as large as a banner may be ----------

std::vector<BitmapCase> formatCases()
{
    const QImage small = filled({16, 8});
    const std::string transparentPixel(
        "GIF89a\x01\0\x01\0\x80\0\0\xff\xff\xff\0\0\0!\xf9\x04\x01\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;",
        43);
    return {
        {"Png", encoded(small, "PNG"), QSize(16, 8)},
        {"Jpeg", encoded(small, "JPEG"), QSize(16, 8)},
        {"Gif", transparentPixel, QSize(1, 1)},
        {"Icon", encoded(small, "ICO"), std::nullopt},
        {"PortableBitmap", "P1\n2 2\n0 1\n1 0\n", std::nullopt},
        {"PixmapText", "/* XPM */\nstatic char* x[] = {\"1 1 1 1\", \"a c #ff0000\", \"a\"};\n", std::nullopt},
        {"Svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>", std::nullopt},
        {"ErrorPage", "<html><body>Nenalezeno</body></html>", std::nullopt},
        {"Empty", "", std::nullopt},
        {"PngSignatureOnly", "\x89PNG\r\n\x1a\n", std::nullopt},
        {"PngCutShort", encoded(small, "PNG").substr(0, 60), std::nullopt},
        {"PngLargerThanAnyBanner", uniformPng(5600, 5600, false), std::nullopt},
        {"IconWhoseDirectoryUnderstatesItsPng", iconHolding(uniformPng(5600, 5600, false)), std::nullopt},
        {"GifFrameTallerThanAnyBanner", gifWithTallFrame(0, 0), std::nullopt},
        // The frame is cut to the screen it is drawn on.
        {"GifFramePastItsScreen", gifWithTallFrame(468, 88), QSize(468, 88)},
        {"TallestBanner", uniformPng(1, Module1::MaxBannerSide, false), QSize(1, Module1::MaxBannerSide)},
    };
}

class BannerFormat : public ::testing::TestWithParam<BitmapCase> { };

TEST_P(BannerFormat, DecodesOnlyBannerFormatsOfBannerSize)
{
    const auto image = decodeBanner(GetParam().bytes);
    ASSERT_EQ(image.has_value(), GetParam().shown.has_value());
    if (image) {
        EXPECT_EQ(image->size(), *GetParam().shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BannerFormat, ::testing::ValuesIn(formatCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The allocation limit leaves room for the largest banner in four bytes a pixel.
TEST(BannerAllocation, LargestBannerInFullColourDecodes)
{
    const auto image = decodeBanner(uniformPng(Module1::MaxBannerSide, Module1::MaxBannerSide, true));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(Module1::MaxBannerSide, Module1::MaxBannerSide));
    EXPECT_EQ(image->depth(), 32);
}

TEST(BannerAllocation, LeavesTheProcessWideLimitAsItWas)
{
    const int before = QImageReader::allocationLimit();
    decodeBanner(uniformPng(16, 16, true));
    EXPECT_EQ(QImageReader::allocationLimit(), before);
}

} // namespace

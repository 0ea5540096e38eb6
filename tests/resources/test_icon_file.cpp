#include "resources/IconFile.h"

#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

quint16 word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Windows reads the directory, then each image at its offset; every entry must describe its image.
TEST(IconFile, EveryDirectoryEntryDescribesItsImage)
{
    const QByteArray icon = pictures::iconFile(pictures::Icon);
    ASSERT_GE(icon.size(), 6);
    EXPECT_EQ(word(icon, 0), 0);
    EXPECT_EQ(word(icon, 2), 1);
    const std::vector<int> sizes(pictures::IconFileSizes);
    ASSERT_EQ(word(icon, 4), sizes.size());
    qsizetype expectedOffset = 6 + 16 * static_cast<qsizetype>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(sizes[i]);
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        EXPECT_EQ(static_cast<unsigned char>(icon[entry]), sizes[i] % 256);
        EXPECT_EQ(static_cast<unsigned char>(icon[entry + 1]), sizes[i] % 256);
        EXPECT_EQ(word(icon, entry + 6), 32);
        const quint32 length = dword(icon, entry + 8);
        const quint32 offset = dword(icon, entry + 12);
        ASSERT_EQ(offset, expectedOffset);
        ASSERT_LE(qsizetype(offset) + qsizetype(length), icon.size());
        const QImage image = QImage::fromData(icon.mid(offset, length), "PNG");
        EXPECT_EQ(image.size(), QSize(sizes[i], sizes[i]));
        // The drawing fills its square: no size comes out blank or transparent at the centre.
        EXPECT_EQ(qAlpha(image.pixel(sizes[i] / 2, sizes[i] - 1)), 255);
        expectedOffset += length;
    }
    EXPECT_EQ(expectedOffset, icon.size());
}

TEST(IconFile, RefusesSizesWindowsCannotStore)
{
    EXPECT_TRUE(pictures::iconFile(pictures::Icon, {0}).isEmpty());
    EXPECT_TRUE(pictures::iconFile(pictures::Icon, {257}).isEmpty());
    EXPECT_TRUE(pictures::iconFile(pictures::WeightTable, {32}).isEmpty()); // not square
}

} // namespace

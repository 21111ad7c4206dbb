// The BMP and ICO writers: exact header fields, row order and padding, transparency, and the
// images they refuse.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/pictures/PictureHeaders.h"
#include "tools/pictures/BitmapFiles.h"

namespace halvoria::picturegen {
namespace {

using testing::I32At;
using testing::U16At;
using testing::U32At;

TEST(EncodeBmp24, WritesBottomUpBgrRowsPaddedToFourBytes) {
    // 3 pixels a row: 9 bytes of colour and 3 of padding; distinct colours show the order.
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(1, 0, qRgb(4, 5, 6));
    image.setPixel(2, 0, qRgb(7, 8, 9));
    image.setPixel(0, 1, qRgb(10, 11, 12));
    image.setPixel(1, 1, qRgb(13, 14, 15));
    image.setPixel(2, 1, qRgb(16, 17, 18));

    const QByteArray bmp = EncodeBmp24(image);
    ASSERT_EQ(bmp.size(), 54 + 2 * 12);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(bmp, 2), 78u);   // file size
    EXPECT_EQ(U32At(bmp, 10), 54u);  // pixel offset
    EXPECT_EQ(U32At(bmp, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(I32At(bmp, 18), 3);
    EXPECT_EQ(I32At(bmp, 22), 2);  // positive: bottom-up
    EXPECT_EQ(U16At(bmp, 26), 1u);
    EXPECT_EQ(U16At(bmp, 28), 24u);
    EXPECT_EQ(U32At(bmp, 30), 0u);  // BI_RGB
    EXPECT_EQ(U32At(bmp, 34), 24u);
    const QByteArray pixels = bmp.mid(54);
    const QByteArray expected(
        "\x0c\x0b\x0a\x0f\x0e\x0d\x12\x11\x10\0\0\0"
        "\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0",
        24);
    EXPECT_EQ(pixels, expected);
}

TEST(EncodeBmp24, RoundTripsThroughQtsReaderForEveryPadding) {
    for (int width = 1; width <= 5; ++width) {
        QImage image(width, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 50, y * 80, 200 - x));
        QImage back;
        ASSERT_TRUE(back.loadFromData(EncodeBmp24(image), "BMP")) << "width " << width;
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image) << "width " << width;
    }
}

TEST(EncodeBmp24, RefusesANullImage) { EXPECT_TRUE(EncodeBmp24(QImage()).isEmpty()); }

IconPalette TestPalette() {
    IconPalette palette{};
    for (int i = 0; i < 16; ++i)
        palette[static_cast<std::size_t>(i)] = qRgb(i * 16, 255 - i * 16, i);
    palette[5] = qRgb(0, 0, 0);
    return palette;
}

TEST(EncodeIco4, WritesOneFourBitImageWithItsMaskAndReadsBackTheSame) {
    const IconPalette palette = TestPalette();
    QImage image(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, palette[static_cast<std::size_t>((x + 3 * y) % 16)]);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(31, 0, qRgba(0, 0, 0, 0));
    image.setPixel(9, 31, qRgba(0, 0, 0, 0));

    const QByteArray ico = EncodeIco4(image, palette);
    ASSERT_EQ(ico.size(), 6 + 16 + 40 + 64 + 32 * 16 + 32 * 4);
    EXPECT_EQ(U16At(ico, 2), 1u);  // icon
    EXPECT_EQ(U16At(ico, 4), 1u);  // one image
    EXPECT_EQ(static_cast<std::uint8_t>(ico[6]), 32);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[7]), 32);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[8]), 16);
    EXPECT_EQ(U16At(ico, 12), 4u);
    EXPECT_EQ(U32At(ico, 14), static_cast<std::uint32_t>(ico.size() - 22));
    EXPECT_EQ(U32At(ico, 18), 22u);
    EXPECT_EQ(I32At(ico, 22 + 8), 64);  // colour bitmap and mask together
    EXPECT_EQ(U16At(ico, 22 + 14), 4u);
    // Transparent pixels are stored as black under a set mask bit; the top-left pixel is the
    // first bit of the last mask row.
    const qsizetype colours = 22 + 40 + 64;
    const qsizetype mask = colours + 32 * 16;
    EXPECT_EQ(static_cast<std::uint8_t>(ico[colours + 31 * 16]) >> 4, 5);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[mask + 31 * 4]), 0x80);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[mask + 31 * 4 + 3]), 0x01);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[mask + 1]), 0x40);  // (9, 31)

    QImage back;
    ASSERT_TRUE(back.loadFromData(ico, "ICO"));
    back = back.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb want = image.pixel(x, y);
            const QRgb got = back.pixel(x, y);
            ASSERT_EQ(qAlpha(got), qAlpha(want)) << x << "," << y;
            if (qAlpha(want) != 0) {
                ASSERT_EQ(got, want) << x << "," << y;
            }
        }
    }
}

TEST(EncodeIco4, RefusesImagesItCannotStoreExactly) {
    const IconPalette palette = TestPalette();
    IconPalette noBlack = palette;
    noBlack[5] = qRgb(1, 1, 1);
    QImage opaque(8, 8, QImage::Format_ARGB32);
    opaque.fill(palette[3]);

    struct Case {
        const char* what;
        QImage image;
        IconPalette palette;
    };
    QImage halfClear = opaque;
    halfClear.setPixel(2, 2, qRgba(0, 0, 0, 128));
    QImage offPalette = opaque;
    offPalette.setPixel(2, 2, qRgb(1, 2, 3));
    QImage clear = opaque;
    clear.setPixel(2, 2, qRgba(0, 0, 0, 0));
    const Case cases[] = {
        {"half-transparent pixel", halfClear, palette},
        {"colour outside the palette", offPalette, palette},
        {"transparency without black", clear, noBlack},
        {"wider than 256", QImage(257, 8, QImage::Format_ARGB32), palette},
        {"null image", QImage(), palette},
    };
    for (const Case& c : cases) EXPECT_TRUE(EncodeIco4(c.image, c.palette).isEmpty()) << c.what;
    EXPECT_FALSE(EncodeIco4(clear, palette).isEmpty());
}

}  // namespace
}  // namespace halvoria::picturegen

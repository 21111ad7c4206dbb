// The committed built-in pictures, read through the resources the games link: sizes and format,
// the shadow levels of frame and plate, the tile strip's separators, the background's fields,
// the icon file, and that the generator still paints exactly these files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <array>

#include "resources/pictures/BuiltinPictures.h"
#include "tests/pictures/PictureHeaders.h"

namespace halvoria::pictures {
namespace {

using testing::I32At;
using testing::U16At;
using testing::U32At;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage Load(const char* path) {
    return QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_RGB32);
}

int Grey(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << "not grey at " << x << "," << y;
    return qRed(p);
}

struct BitmapCase {
    const char* path;
    int width, height;
};

constexpr std::array<BitmapCase, 9> kBitmaps = {{{kPuzzle, 399, 399},
                                                 {kFrame, 410, 410},
                                                 {kPlate, 140, 26},
                                                 {kCaptionSample, 150, 30},
                                                 {kCaptionTimes, 150, 30},
                                                 {kCaptionTime, 150, 30},
                                                 {kCaptionScore, 150, 30},
                                                 {kBackground, 520, 294},
                                                 {kTiles, 103, 25}}};

TEST(BuiltinPictures, AreUncompressed24BitBitmapsOfTheirExactSize) {
    // No InitBuiltinPictures() here: linking halvoria_pictures alone must make the files
    // readable, as this is the first test to run.
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.path);
        const QByteArray bmp = ReadAll(QString::fromLatin1(c.path));
        ASSERT_GE(bmp.size(), 54);
        const std::uint32_t stride = (static_cast<std::uint32_t>(c.width) * 3u + 3u) & ~3u;
        EXPECT_EQ(bmp.left(2), QByteArray("BM"));
        EXPECT_EQ(U32At(bmp, 2), static_cast<std::uint32_t>(bmp.size()));
        EXPECT_EQ(U32At(bmp, 10), 54u);
        EXPECT_EQ(U32At(bmp, 14), 40u);
        EXPECT_EQ(I32At(bmp, 18), c.width);
        EXPECT_EQ(I32At(bmp, 22), c.height);
        EXPECT_EQ(U16At(bmp, 28), 24u);
        EXPECT_EQ(U32At(bmp, 30), 0u);
        EXPECT_EQ(static_cast<std::uint32_t>(bmp.size()),
                  54u + stride * static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(Load(c.path).size(), QSize(c.width, c.height));
    }
}

// The shadow levels read inwards from the middle of each edge, then white; corners darker.
void ExpectShadowedWhite(const char* path, const std::vector<int>& levels) {
    SCOPED_TRACE(path);
    const QImage image = Load(path);
    ASSERT_FALSE(image.isNull());
    const int w = image.width(), h = image.height();
    const int depth = static_cast<int>(levels.size());
    for (int d = 0; d <= depth; ++d) {
        const int want = d < depth ? levels[static_cast<std::size_t>(d)] : 255;
        EXPECT_EQ(Grey(image, d, h / 2), want) << "left edge, depth " << d;
        EXPECT_EQ(Grey(image, w - 1 - d, h / 2), want) << "right edge, depth " << d;
        EXPECT_EQ(Grey(image, w / 2, d), want) << "top edge, depth " << d;
        EXPECT_EQ(Grey(image, w / 2, h - 1 - d), want) << "bottom edge, depth " << d;
    }
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_LT(Grey(image, corner.x(), corner.y()), levels.front())
            << corner.x() << "," << corner.y();
    for (int y = depth; y < h - depth; ++y)
        for (int x = depth; x < w - depth; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}

TEST(BuiltinPictures, DirectDecodingGivesExactlyWhatQtReads) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.path);
        const QImage direct = BuiltinPicture(c.path);
        ASSERT_EQ(direct.format(), QImage::Format_RGB32);
        EXPECT_EQ(direct, Load(c.path));
    }
    // Not a bitmap: left to Qt's reader; not a picture at all: nothing.
    EXPECT_EQ(BuiltinPicture(kIcon32), Load(kIcon32));
    EXPECT_TRUE(BuiltinPicture(":/pictures/missing.bmp").isNull());
}

TEST(BuiltinPictures, FrameAndPlateShadeTheirEdgesThroughTheGivenGreys) {
    ExpectShadowedWhite(kFrame, {112, 129, 157, 188, 215, 234, 246, 251, 254});
    ExpectShadowedWhite(kPlate, {94, 117, 155, 194, 224, 242, 251, 254});
}

TEST(BuiltinPictures, TileStripHasBlackSeparatorsAndFourDifferentCoinsOnWhite) {
    const QImage strip = Load(kTiles);
    for (const int x : {25, 51, 77})
        for (int y = 0; y < 25; ++y) ASSERT_EQ(strip.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
    std::array<QImage, 4> tiles;
    for (int kind = 0; kind < 4; ++kind) {
        tiles[static_cast<std::size_t>(kind)] = strip.copy(26 * kind, 0, 25, 25);
        const QImage& tile = tiles[static_cast<std::size_t>(kind)];
        EXPECT_EQ(tile.pixel(0, 0), qRgb(255, 255, 255)) << "kind " << kind;
        EXPECT_EQ(tile.pixel(24, 0), qRgb(255, 255, 255)) << "kind " << kind;
        // The coin itself fills the middle of the tile.
        EXPECT_NE(tile.pixel(12, 4), qRgb(255, 255, 255)) << "kind " << kind;
    }
    // Kinds 0 and 2 have a hole that shows the white ground near the middle; 1 and 3 do not.
    const auto hasHole = [](const QImage& tile) {
        for (int y = 10; y <= 17; ++y)
            for (int x = 10; x <= 15; ++x)
                if (tile.pixel(x, y) == qRgb(255, 255, 255)) return true;
        return false;
    };
    EXPECT_TRUE(hasHole(tiles[0]));
    EXPECT_FALSE(hasHole(tiles[1]));
    EXPECT_TRUE(hasHole(tiles[2]));
    EXPECT_FALSE(hasHole(tiles[3]));
    for (std::size_t a = 0; a < 4; ++a)
        for (std::size_t b = a + 1; b < 4; ++b) EXPECT_NE(tiles[a], tiles[b]) << a << " vs " << b;
}

TEST(BuiltinPictures, BackgroundIsGreyWithAWhiteBoardFieldAndBlueWordsBelow) {
    const QImage bg = Load(kBackground);
    const QRgb grey = qRgb(190, 189, 189);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 9; y <= 260; ++y)
        for (int x = 9; x <= 510; ++x) ASSERT_EQ(bg.pixel(x, y), white) << x << "," << y;
    for (const QPoint p : {QPoint(0, 0), QPoint(519, 100), QPoint(200, 267), QPoint(151, 280),
                           QPoint(400, 280), QPoint(100, 293), QPoint(519, 293)})
        EXPECT_EQ(bg.pixel(p), grey) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(8, 100), QPoint(511, 100), QPoint(100, 8), QPoint(100, 261)})
        EXPECT_NE(bg.pixel(p), white) << "fade at " << p.x() << "," << p.y();
    // The lower fields are white where the numbers go, with blue lettering at their left ends.
    EXPECT_EQ(bg.pixel(120, 279), white);
    EXPECT_EQ(bg.pixel(270, 279), white);
    const auto bluish = [&](int x0, int x1) {
        int count = 0;
        for (int y = 270; y < 288; ++y)
            for (int x = x0; x < x1; ++x) {
                const QRgb p = bg.pixel(x, y);
                if (qBlue(p) > qRed(p) + 60 && qBlue(p) > 150) ++count;
            }
        return count;
    };
    EXPECT_GT(bluish(8, 48), 30);
    EXPECT_GT(bluish(158, 240), 50);
    EXPECT_EQ(bluish(60, 150), 0);
}

TEST(BuiltinPictures, IconIsOne32By32SixteenColourImageWithAMask) {
    const QByteArray ico = ReadAll(QString::fromLatin1(kIcon));
    ASSERT_EQ(ico.size(), 6 + 16 + 40 + 16 * 4 + 32 * 16 + 32 * 4);
    EXPECT_EQ(U16At(ico, 0), 0u);
    EXPECT_EQ(U16At(ico, 2), 1u);
    EXPECT_EQ(U16At(ico, 4), 1u);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[6]), 32);
    EXPECT_EQ(static_cast<std::uint8_t>(ico[7]), 32);
    EXPECT_EQ(U16At(ico, 12), 4u);
    EXPECT_EQ(I32At(ico, 22 + 4), 32);
    EXPECT_EQ(I32At(ico, 22 + 8), 64);
    EXPECT_EQ(U16At(ico, 22 + 14), 4u);
    EXPECT_EQ(QImage(QString::fromLatin1(kIcon)).size(), QSize(32, 32));

    // The PNGs are the same emblem at their own sizes, the 32 one pixel for pixel the icon's.
    struct Png {
        const char* path;
        int size;
    };
    for (const Png png : {Png{kIcon32, 32}, Png{kIcon48, 48}, Png{kIcon64, 64}, Png{kIcon128, 128},
                          Png{kIcon256, 256}})
        EXPECT_EQ(QImage(QString::fromLatin1(png.path)).size(), QSize(png.size, png.size))
            << png.path;
    EXPECT_EQ(QImage(QString::fromLatin1(kIcon32)).convertToFormat(QImage::Format_ARGB32),
              QImage(QString::fromLatin1(kIcon)).convertToFormat(QImage::Format_ARGB32));
    EXPECT_FALSE(WindowIcon().isNull());
    EXPECT_EQ(WindowIcon().availableSizes(),
              (QList<QSize>{QSize(32, 32), QSize(48, 48), QSize(64, 64)}));
}

TEST(BuiltinPictures, GeneratorPaintsExactlyTheCommittedFiles) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.start(QStringLiteral(HALVORIA_MAKE_PICTURES), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    // Every file the games embed, compared byte for byte with what the generator paints now.
    std::vector<QString> names;
    for (const BitmapCase& c : kBitmaps) names.push_back(QString::fromLatin1(c.path));
    for (const char* path : {kIcon, kIcon32, kIcon48, kIcon64, kIcon128, kIcon256})
        names.push_back(QString::fromLatin1(path));
    const QDir committed(QStringLiteral(HALVORIA_PICTURES_DIR));
    for (QString name : names) {
        name.remove(QStringLiteral(":/pictures/"));
        const QByteArray made = ReadAll(QDir(out.path()).filePath(name));
        EXPECT_FALSE(made.isEmpty()) << name.toStdString() << " was not made";
        EXPECT_EQ(made, ReadAll(committed.filePath(name)))
            << name.toStdString() << " differs from the committed file: run ./dev resources";
        // The embedded copy is the committed one.
        EXPECT_EQ(ReadAll(QStringLiteral(":/pictures/") + name), ReadAll(committed.filePath(name)))
            << name.toStdString();
    }

    // The launcher icons, installed for the desktop entries: committed as painted, square at
    // their theme size, partly transparent, and each game's its own.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage icons[2];
        int i = 0;
        for (const char* game : {"zorvat", "quendle"}) {
            const QString name =
                QStringLiteral("launcher-%1-%2.png").arg(QLatin1String(game)).arg(size);
            const QByteArray made = ReadAll(QDir(out.path()).filePath(name));
            EXPECT_FALSE(made.isEmpty()) << name.toStdString() << " was not made";
            EXPECT_EQ(made, ReadAll(committed.filePath(name)))
                << name.toStdString() << " differs from the committed file: run ./dev resources";
            QImage& icon = icons[i++];
            icon = QImage::fromData(made).convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(icon.size(), QSize(size, size)) << name.toStdString();
            EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << name.toStdString();
            EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << name.toStdString();
        }
        EXPECT_NE(icons[0], icons[1]) << "the two games share a launcher icon at " << size;
    }
}

}  // namespace
}  // namespace halvoria::pictures

// Finding picture files in a folder and loading them, bad files included.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdio>

#include "common/qt/Dir.h"
#include "common/qt/PictureLoader.h"
#include "tests/support/QtApp.h"

namespace halvoria {
namespace {

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureQtApp();
        ASSERT_TRUE(folder_.isValid());
    }

    QString PathOf(const QString& name) const { return folder_.path() + u'/' + name; }

    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir folder_;
};

QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 3 % 256, y * 5 % 256, 90));
    }
    return image;
}

QByteArray Encode(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

TEST_F(FilesTest, PictureFilesComeBmpFirstThenJpegThenPngInNameOrder) {
    for (const char* name : {"d.jpeg", "B.BMP", "c.JPG", "a.bmp", "e.Jpg", "notes.txt", "x.bmp.txt",
                             "bmp", ".hidden.bmp", "A.jpeg", "z.PNG", "b.png", "c.gif"}) {
        Write(name, "x");
    }
    ASSERT_TRUE(QDir(folder_.path()).mkdir("y.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(PathOf("pipe.bmp")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(PathOf("a.bmp"), PathOf("link.bmp")));
    ASSERT_TRUE(QFile::link(PathOf("gone.bmp"), PathOf("dangling.bmp")));

    EXPECT_EQ(PictureFiles(folder_.path()),
              (QStringList{"a.bmp", "B.BMP", "link.bmp", "A.jpeg", "c.JPG", "d.jpeg", "e.Jpg",
                           "b.png", "z.PNG"}));
    // With the separator the games put at the end of the folder.
    EXPECT_EQ(PictureFiles(folder_.path() + "/").size(), 9);
    for (const char* name : {"x.bmp", "X.JPEG", "p.Png", ".png"}) {
        EXPECT_TRUE(IsPictureFileName(name)) << name;
    }
    for (const char* name : {"x.gif", "x.png.txt", "png", "x.jpg "}) {
        EXPECT_FALSE(IsPictureFileName(name)) << name;
    }
}

TEST_F(FilesTest, PicturesOfTwoFoldersTheFirstFoldersFirstEachNameOnce) {
    ASSERT_TRUE(QDir(folder_.path()).mkpath("program"));
    ASSERT_TRUE(QDir(folder_.path()).mkpath("own"));
    for (const char* name :
         {"program/m.jpg", "program/k.bmp", "own/a.png", "own/k.bmp", "own/b.jpg", "own/M.jpg"}) {
        Write(name, "x");
    }
    const QString program = PathOf("program/");
    const QString own = PathOf("own");
    QStringList listed;
    for (const FoundPicture& found : PictureFiles(QStringList{program, own})) {
        listed.append((found.folder == program     ? "program:"
                       : found.folder == own + "/" ? "own:"
                                                   : "?:") +
                      found.name);
    }
    // k.bmp is in both and means the program folder's file.
    EXPECT_EQ(listed, (QStringList{"program:k.bmp", "program:m.jpg", "own:b.jpg", "own:M.jpg",
                                   "own:a.png"}));
    // A missing folder or none at all adds nothing.
    EXPECT_EQ(PictureFiles(QStringList{program, PathOf("nowhere"), QString()}).size(), 2);

    // One hundred in all, the program folder's first.
    for (int i = 0; i < 70; ++i) Write(QString("program/p%1.bmp").arg(i, 3, 10, QChar(u'0')), "x");
    for (int i = 0; i < 70; ++i) Write(QString("own/q%1.bmp").arg(i, 3, 10, QChar(u'0')), "x");
    const QList<FoundPicture> all = PictureFiles(QStringList{program, own});
    ASSERT_EQ(all.size(), 100);
    EXPECT_EQ(all[71].name, "m.jpg");
    EXPECT_EQ(all[72].name, "q000.bmp");
    EXPECT_EQ(all[72].folder, own + "/");
    EXPECT_EQ(all.back().name, "q027.bmp");
}

// Qt's folder listing skips names it cannot decode from the file system's UTF-8, and a name the
// menu cannot show could neither be stored as text nor opened again, so such a file is not
// offered; the files beside it are.
TEST_F(FilesTest, NameThatIsNotUtf8IsLeftOut) {
    Write("a.bmp", "x");
    const QByteArray latin1 = QFile::encodeName(folder_.path()) + "/caf\xe9.bmp";
    std::FILE* file = std::fopen(latin1.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ASSERT_EQ(::access(latin1.constData(), F_OK), 0);
    EXPECT_EQ(PictureFiles(folder_.path()), QStringList{"a.bmp"});
    // Qt cannot name the file either, so the temporary folder could not remove it.
    EXPECT_EQ(::unlink(latin1.constData()), 0);
}

TEST_F(FilesTest, PictureFilesStopAtOneHundred) {
    for (int i = 0; i < 90; ++i) Write(QString("p%1.jpg").arg(i, 3, 10, QChar(u'0')), "x");
    for (int i = 0; i < 60; ++i) Write(QString("q%1.bmp").arg(i, 3, 10, QChar(u'0')), "x");
    const QStringList names = PictureFiles(folder_.path());
    ASSERT_EQ(names.size(), 100);
    EXPECT_EQ(names.front(), "q000.bmp");
    EXPECT_EQ(names[59], "q059.bmp");
    EXPECT_EQ(names[60], "p000.jpg");
    EXPECT_EQ(names.back(), "p039.jpg");
}

TEST_F(FilesTest, MissingFolderGivesNoNames) {
    EXPECT_TRUE(PictureFiles(PathOf("nowhere")).isEmpty());
    EXPECT_TRUE(PictureFiles(QString()).isEmpty());
    Write("file.bmp", "x");
    EXPECT_TRUE(PictureFiles(PathOf("file.bmp")).isEmpty());
}

TEST_F(FilesTest, GoodPicturesLoadAsThirtyTwoBitRgb) {
    const QImage picture = Gradient(64, 48);
    Write("good.bmp", Encode(picture, "BMP"));
    Write("good.jpg", Encode(picture, "JPEG"));
    Write("steps.jpg", Encode(picture, "JPEG", true));
    // Some cameras leave bytes after the end of the picture.
    Write("tail.jpg", Encode(picture, "JPEG") + QByteArray(100, 'z'));
    // Decided by content, not by the name.
    Write("really-a-bmp.jpg", Encode(picture, "BMP"));

    const QImage bmp = LoadPicture(PathOf("good.bmp"));
    EXPECT_EQ(bmp.format(), QImage::Format_RGB32);
    EXPECT_EQ(bmp, picture);
    EXPECT_EQ(LoadPicture(PathOf("really-a-bmp.jpg")), picture);
    for (const char* name : {"good.jpg", "steps.jpg", "tail.jpg"}) {
        const QImage jpeg = LoadPicture(PathOf(name));
        ASSERT_FALSE(jpeg.isNull()) << name;
        EXPECT_EQ(jpeg.size(), picture.size()) << name;
        EXPECT_EQ(jpeg.format(), QImage::Format_RGB32) << name;
        EXPECT_NEAR(qRed(jpeg.pixel(40, 10)), qRed(picture.pixel(40, 10)), 12) << name;
    }
}

// A BMP header announcing 24-bit pixels of the given size, followed by a little data.
QByteArray BmpHeader(qint32 width, qint32 height) {
    QByteArray header(54, '\0');
    const auto put = [&](int at, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54 + 1024, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<quint32>(width), 4);
    put(22, static_cast<quint32>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return header + QByteArray(1024, '\x7f');
}

TEST_F(FilesTest, BadFilesGiveNoPicture) {
    const QImage picture = Gradient(200, 150);
    const QByteArray jpeg = Encode(picture, "JPEG");
    const QByteArray bmp = Encode(picture, "BMP");
    const QByteArray progressive = Encode(picture, "JPEG", true);
    const std::pair<const char*, QByteArray> files[] = {
        {"empty.bmp", QByteArray()},
        {"text.jpg", "this is not a picture at all"},
        {"half.jpg", jpeg.left(jpeg.size() / 2)},
        {"no-end.jpg", jpeg.left(jpeg.size() - 2)},
        {"header-only.jpg", jpeg.left(300)},
        {"half-steps.jpg", progressive.left(progressive.size() * 2 / 3)},
        {"half.bmp", bmp.left(bmp.size() / 2)},
        {"header-only.bmp", bmp.left(54)},
        {"huge.bmp", BmpHeader(50000, 50000)},
        {"wide.bmp", BmpHeader(40000, 1)},
        {"negative.bmp", BmpHeader(-20, 20)},
        // Sides whose row arithmetic would overflow 64 bits if multiplied out.
        {"endless.bmp", BmpHeader(0x7fffffff, 0x7fffffff)},
        {"damaged.jpg", QByteArray(jpeg).replace(20, 400, QByteArray(400, '\x01'))},
    };
    for (const auto& [name, bytes] : files) {
        Write(name, bytes);
        EXPECT_TRUE(LoadPicture(PathOf(name)).isNull()) << name;
    }
    EXPECT_TRUE(LoadPicture(PathOf("missing.bmp")).isNull());
    EXPECT_TRUE(LoadPicture(folder_.path()).isNull());

    // A pipe would block a reader forever; it is not even opened.
    ASSERT_EQ(mkfifo(QFile::encodeName(PathOf("pipe.jpg")).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(LoadPicture(PathOf("pipe.jpg")).isNull());
}

// Four flat quarters, red, green, blue and yellow from the top left, so orientation and scaling
// show in a few pixels even through JPEG.
const QRgb kQuarters[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(30, 40, 220),
                           qRgb(230, 220, 30)};

QImage Quarters(int width, int height, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(std::begin(kQuarters), std::end(kQuarters)));
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            line[x] = static_cast<uchar>((x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0));
        }
    }
    return format == QImage::Format_Indexed8 ? image : image.convertToFormat(format);
}

// The colour of each quarter's middle, top left, top right, bottom left, bottom right.
std::vector<QRgb> QuarterColours(const QImage& image) {
    std::vector<QRgb> colours;
    for (int y : {image.height() / 4, image.height() * 3 / 4}) {
        for (int x : {image.width() / 4, image.width() * 3 / 4})
            colours.push_back(image.pixel(x, y));
    }
    return colours;
}

// A top-down 24-bit BMP (negative height), as some programs write them.
QByteArray TopDownBmp(const QImage& image) {
    const int stride = (image.width() * 3 + 3) / 4 * 4;
    QByteArray bytes(54, '\0');
    const auto put = [&](int at, qint64 value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54 + qint64{stride} * image.height(), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, image.width(), 4);
    put(22, -image.height(), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < image.height(); ++y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            row[x * 3] = static_cast<char>(qBlue(pixel));
            row[x * 3 + 1] = static_cast<char>(qGreen(pixel));
            row[x * 3 + 2] = static_cast<char>(qRed(pixel));
        }
        bytes += row;
    }
    return bytes;
}

// The JPEG with an Exif segment saying "turn 90 degrees clockwise to show" (orientation 6), as a
// phone held upright writes it.
QByteArray WithExifOrientation6(const QByteArray& jpeg) {
    const QByteArray tiff(
        "II*\x00\x08\x00\x00\x00"                           // little-endian, IFD at 8
        "\x01\x00"                                          // one entry
        "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00"  // Orientation = 6
        "\x00\x00\x00\x00",                                 // no next IFD
        26);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment += static_cast<char>((payload.size() + 2) >> 8);
    segment += static_cast<char>((payload.size() + 2) & 0xFF);
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

// Bytes that belong to no segment, after the first one (APP0); decoders skip them with a warning.
QByteArray WithJunkBetweenMarkers(const QByteArray& jpeg) {
    const int app0End = 4 + ((static_cast<uchar>(jpeg[4]) << 8) | static_cast<uchar>(jpeg[5]));
    return jpeg.left(app0End) + QByteArray("junk\x00\x01", 6) + jpeg.mid(app0End);
}

TEST_F(FilesTest, PhotosDecodeUprightAndFitTheBoard) {
    const QSize board(399, 399);
    QImage translucent = Quarters(50, 30, QImage::Format_ARGB32);
    translucent.setPixel(0, 0, qRgba(0, 0, 0, 0));
    // A phone photo: rows of 48 megapixels, made here so the tree holds no large file.
    Write("48mp.jpg", Encode(Quarters(8000, 6000, QImage::Format_Indexed8), "JPEG"));

    struct Case {
        const char* name;
        QByteArray bytes;           // empty: written above
        QSize size;                 // as decoded for the board
        std::vector<QRgb> colours;  // the quarters' middles, top left to bottom right
    };
    const std::vector<QRgb> upright(std::begin(kQuarters), std::end(kQuarters));
    // Turned clockwise: blue comes to the top left, red to the top right.
    const std::vector<QRgb> turned = {kQuarters[2], kQuarters[0], kQuarters[3], kQuarters[1]};
    const Case cases[] = {
        {"top-down.bmp", TopDownBmp(Quarters(30, 20)), {30, 20}, upright},
        {"upright-phone.jpg",
         WithExifOrientation6(Encode(Quarters(800, 600), "JPEG")),
         {299, 399},
         turned},
        {"junk.jpg", WithJunkBetweenMarkers(Encode(Quarters(64, 48), "JPEG")), {64, 48}, upright},
        {"translucent.png", Encode(translucent, "PNG"), {50, 30}, upright},
        {"48mp.jpg", {}, {399, 299}, upright},
        {"small.bmp", Encode(Quarters(120, 90), "BMP"), {120, 90}, upright},
        {"wide.bmp", Encode(Quarters(1000, 250), "BMP"), {399, 99}, upright},
        {"tall.png", Encode(Quarters(300, 900), "PNG"), {133, 399}, upright},
    };
    for (const Case& c : cases) {
        if (!c.bytes.isEmpty()) Write(c.name, c.bytes);
        const QImage picture = LoadPicture(PathOf(c.name), board);
        ASSERT_FALSE(picture.isNull()) << c.name;
        EXPECT_EQ(picture.size(), c.size) << c.name;
        EXPECT_EQ(picture.format(), QImage::Format_RGB32) << c.name;
        const std::vector<QRgb> colours = QuarterColours(picture);
        for (std::size_t i = 0; i < colours.size(); ++i) {
            for (const int shift : {16, 8, 0}) {  // red, green, blue
                EXPECT_NEAR((colours[i] >> shift) & 0xFF, (c.colours[i] >> shift) & 0xFF, 24)
                    << c.name << " quarter " << i;
            }
        }
        // Without a bound every picture keeps its own size, turned upright.
        if (c.size.width() < board.width() && c.size.height() < board.height()) {
            EXPECT_EQ(LoadPicture(PathOf(c.name)).size(), c.size) << c.name;
        }
    }
    // Pictures no larger than the board are the file's pixels exactly; transparency shows white.
    EXPECT_EQ(LoadPicture(PathOf("small.bmp"), board), Quarters(120, 90));
    EXPECT_EQ(LoadPicture(PathOf("top-down.bmp"), board), Quarters(30, 20));
    EXPECT_EQ(LoadPicture(PathOf("translucent.png"), board).pixel(0, 0), qRgb(255, 255, 255));
    // Unbounded, the turned photo keeps all its pixels, upright.
    EXPECT_EQ(LoadPicture(PathOf("upright-phone.jpg")).size(), QSize(600, 800));
}

}  // namespace
}  // namespace halvoria

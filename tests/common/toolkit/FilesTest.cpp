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

#include "common/toolkit/Dir.h"
#include "common/toolkit/PictureLoader.h"
#include "tests/common/toolkit/QtApp.h"

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

TEST_F(FilesTest, PictureFilesComeBmpFirstThenJpegInNameOrder) {
    for (const char* name : {"d.jpeg", "B.BMP", "c.JPG", "a.bmp", "e.Jpg", "notes.txt", "x.bmp.txt",
                             "bmp", ".hidden.bmp", "A.jpeg"}) {
        Write(name, "x");
    }
    ASSERT_TRUE(QDir(folder_.path()).mkdir("y.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(PathOf("pipe.bmp")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(PathOf("a.bmp"), PathOf("link.bmp")));
    ASSERT_TRUE(QFile::link(PathOf("gone.bmp"), PathOf("dangling.bmp")));

    EXPECT_EQ(PictureFiles(folder_.path()),
              (QStringList{"a.bmp", "B.BMP", "link.bmp", "A.jpeg", "c.JPG", "d.jpeg", "e.Jpg"}));
    // With the separator the games put at the end of the folder.
    EXPECT_EQ(PictureFiles(folder_.path() + "/").size(), 7);
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

}  // namespace
}  // namespace halvoria

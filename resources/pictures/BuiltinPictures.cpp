// Registration of the embedded pictures and the window icon of both games.
#include "resources/pictures/BuiltinPictures.h"

#include <QByteArray>
#include <QResource>
#include <QString>
#include <cstdint>

#include "common/qt/LittleEndian.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterPictureResources() { Q_INIT_RESOURCE(halvoria_pictures); }

namespace halvoria::pictures {

namespace {

// An uncompressed 24-bit bitmap with a BITMAPINFOHEADER or later header, bottom-up or top-down;
// anything else gives a null image and is left to Qt's reader.
QImage DecodePlainBitmap(const QByteArray& data) {
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return QImage();
    const std::uint32_t pixelsAt = ReadLittleEndian(data, 10, 4);
    const std::uint32_t headerSize = ReadLittleEndian(data, 14, 4);
    const auto width = static_cast<std::int32_t>(ReadLittleEndian(data, 18, 4));
    const auto height = static_cast<std::int32_t>(ReadLittleEndian(data, 22, 4));
    const bool planes = ReadLittleEndian(data, 26, 2) == 1;
    const bool trueColour = ReadLittleEndian(data, 28, 2) == 24;
    const bool uncompressed = ReadLittleEndian(data, 30, 4) == 0;
    if (headerSize < 40 || !planes || !trueColour || !uncompressed) return QImage();
    if (width <= 0 || width > 4096 || height == 0 || height < -4096 || height > 4096)
        return QImage();
    const int rows = height < 0 ? -height : height;
    const qsizetype stride = (qsizetype{width} * 3 + 3) & ~qsizetype{3};
    if (pixelsAt < 14 + headerSize || pixelsAt + stride * rows > data.size()) return QImage();

    // The rows as stored are blue-green-red triples: Qt's own converter turns them into 32-bit
    // pixels in about a quarter of the instructions of a loop here; bottom-up rows are then turned.
    const auto* pixels = reinterpret_cast<const uchar*>(data.constData()) + pixelsAt;
    QImage image = QImage(pixels, width, rows, stride, QImage::Format_BGR888)
                       .convertToFormat(QImage::Format_RGB32);
    if (height > 0) image.mirror(false, true);
    return image;
}

}  // namespace

void InitBuiltinPictures() { RegisterPictureResources(); }

QImage BuiltinPicture(const char* path) {
    InitBuiltinPictures();
    const QString name = QString::fromLatin1(path);
    const QResource resource(name);
    if (!resource.isValid()) return QImage();
    QImage image = DecodePlainBitmap(resource.uncompressedData());
    if (image.isNull()) image = QImage(name).convertToFormat(QImage::Format_RGB32);
    return image;
}

QIcon WindowIcon() {
    InitBuiltinPictures();
    QIcon icon;
    for (const char* path : {kIcon32, kIcon48, kIcon64}) icon.addFile(QString::fromLatin1(path));
    return icon;
}

}  // namespace halvoria::pictures

// The picture loader. Qt's decoders hand back a picture padded with grey for a file cut short, so
// BMP and JPEG files are first checked to hold all their pixel data; every size that a file tells
// up front is checked against the allocation limit before anything is decoded.
#include "common/qt/PictureLoader.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cstdint>
#include <cstring>

#include "common/qt/LittleEndian.h"

namespace halvoria {

namespace {

constexpr int kAllocationLimitMb = static_cast<int>(kMaxPictureBytes / (qint64{1024} * 1024));
// QImage's own bound on a side.
constexpr int kMaxSide = 32767;

std::uint8_t Byte(const QByteArray& data, qsizetype at) {
    return static_cast<std::uint8_t>(data[at]);
}

// An uncompressed or bit-field BMP must hold every row its header announces.
bool BmpHoldsItsPixels(const QByteArray& data) {
    if (data.size() < 26) return false;
    const qint64 pixelOffset = ReadLittleEndian(data, 10, 4);
    const std::uint32_t headerSize = ReadLittleEndian(data, 14, 4);
    qint64 width = 0;
    qint64 height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = ReadLittleEndian(data, 18, 2);
        height = ReadLittleEndian(data, 20, 2);
        bitsPerPixel = ReadLittleEndian(data, 24, 2);
    } else {
        if (data.size() < 34) return false;
        width = static_cast<std::int32_t>(ReadLittleEndian(data, 18, 4));
        height = static_cast<std::int32_t>(ReadLittleEndian(data, 22, 4));
        bitsPerPixel = ReadLittleEndian(data, 28, 2);
        compression = ReadLittleEndian(data, 30, 4);
    }
    if (height < 0) height = -height;
    // Run-length and embedded formats carry their own ends; the decoder checks those.
    if (compression != 0 && compression != 3 && compression != 6) return true;
    if (width <= 0 || height <= 0 || bitsPerPixel == 0 || bitsPerPixel > 32) return false;
    if (pixelOffset < 0 || pixelOffset > data.size()) return false;
    // Width below 2^31 and at most 32 bits a pixel keep the stride within 64 bits; the row count is
    // compared by division so a hostile header cannot overflow the product.
    const qint64 stride = ((width * bitsPerPixel + 31) / 32) * 4;
    return stride <= (data.size() - pixelOffset) / height;
}

// A JPEG is complete when its end-of-image marker follows the last scan. Markers are walked by
// their lengths; inside a scan, 0xFF is followed only by a stuffed zero or a restart marker. Stray
// bytes between segments are skipped, as the decoder itself does.
bool JpegIsComplete(const QByteArray& data) {
    const qsizetype size = data.size();
    if (size < 4 || Byte(data, 0) != 0xFF || Byte(data, 1) != 0xD8) return false;
    qsizetype at = 2;
    while (at < size) {
        while (at < size && Byte(data, at) != 0xFF) ++at;
        while (at < size && Byte(data, at) == 0xFF) ++at;
        if (at >= size) return false;
        const std::uint8_t marker = Byte(data, at++);
        if (marker == 0xD9) return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (at + 2 > size) return false;
        const qsizetype length = (qsizetype{Byte(data, at)} << 8) | Byte(data, at + 1);
        if (length < 2 || at + length > size) return false;
        at += length;
        if (marker != 0xDA) continue;
        // Entropy-coded data up to the next real marker; a photo's scans run to megabytes, so the
        // next 0xFF is looked for with memchr.
        while (true) {
            if (at + 1 >= size) return false;
            const void* found = std::memchr(data.constData() + at, 0xFF, size - at - 1);
            if (found == nullptr) return false;
            at = static_cast<const char*>(found) - data.constData();
            const std::uint8_t next = Byte(data, at + 1);
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                at += 2;
            } else if (next == 0xFF) {
                ++at;
            } else {
                break;
            }
        }
    }
    return false;
}

// The size fitting inside bound with the aspect ratio of size kept, at least one pixel a side.
QSize FittedSize(const QSize& size, const QSize& bound) {
    QSize fitted = size.scaled(bound, Qt::KeepAspectRatio);
    fitted.setWidth(qMax(1, fitted.width()));
    fitted.setHeight(qMax(1, fitted.height()));
    return fitted;
}

bool Exceeds(const QSize& size, const QSize& bound) {
    return bound.isValid() && (size.width() > bound.width() || size.height() > bound.height());
}

bool SizeIsAcceptable(const QSize& size) {
    if (!size.isValid() || size.isEmpty()) return false;
    if (size.width() > kMaxSide || size.height() > kMaxSide) return false;
    return qint64{size.width()} * size.height() * 4 <= kMaxPictureBytes;
}

}  // namespace

QImage LoadPicture(const QString& path, QSize fitInside) {
    // isFile follows links and is false for folders, pipes and devices, which could block a read.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= 0 || info.size() > kMaxPictureBytes) return QImage();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QImage();
    QByteArray data = file.readAll();
    file.close();
    if (data.isEmpty()) return QImage();

    // Qt's own default (128 MiB) would refuse photos well inside our limit.
    QImageReader::setAllocationLimit(kAllocationLimitMb);

    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (!reader.canRead()) return QImage();

    const QByteArray format = reader.format().toLower();
    if (format == "bmp" && !BmpHoldsItsPixels(data)) return QImage();
    if ((format == "jpeg" || format == "jpg") && !JpegIsComplete(data)) return QImage();

    // Some formats cannot tell their size up front, and a top-down BMP reports a negative height;
    // those are left to the allocation limit and checked once decoded.
    const QSize stored = reader.supportsOption(QImageIOHandler::Size) ? reader.size() : QSize();
    const bool sizeKnown = stored.width() > 0 && stored.height() > 0;
    if (sizeKnown) {
        if (!SizeIsAcceptable(stored)) return QImage();
        // The scaled size is that of the stored pixels, before the orientation is applied.
        QSize bound = fitInside;
        if (reader.transformation() & QImageIOHandler::TransformationRotate90) bound.transpose();
        if (Exceeds(stored, bound)) reader.setScaledSize(FittedSize(stored, bound));
    }

    QImage picture = reader.read();
    if (picture.isNull()) return QImage();
    if (!sizeKnown && !SizeIsAcceptable(picture.size())) return QImage();
    if (Exceeds(picture.size(), fitInside)) {
        picture = picture.scaled(FittedSize(picture.size(), fitInside), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    }
    if (picture.hasAlphaChannel()) {
        // Transparent parts show white, as on an empty picture box.
        QImage opaque(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(QPoint(0, 0), picture);
        painter.end();
        return opaque;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace halvoria

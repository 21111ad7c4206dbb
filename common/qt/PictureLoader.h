// Reading a picture file: BMP, JPEG or any format Qt knows, decided by the content.
#pragma once

#include <QImage>
#include <QString>

namespace halvoria {

// Largest decoded picture accepted, in bytes (32 bits a pixel).
inline constexpr qint64 kMaxPictureBytes = qint64{256} * 1024 * 1024;

// The picture in a 32-bit RGB format, or a null image when the file is missing, empty, not an
// ordinary file, damaged, cut short or too large to decode. Never hangs or crashes on bad input.
QImage LoadPicture(const QString& path);

}  // namespace halvoria

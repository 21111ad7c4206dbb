// Reading a picture file: BMP, JPEG, PNG or any format Qt knows, decided by the content.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace halvoria {

// Largest decoded picture accepted, in bytes (32 bits a pixel), counted at the file's own size.
inline constexpr qint64 kMaxPictureBytes = qint64{256} * 1024 * 1024;

// The picture in a 32-bit RGB format, turned upright as its orientation tag says, or a null image
// when the file is missing, empty, not an ordinary file, damaged, cut short or too large to
// decode. A picture larger than fitInside in either direction is decoded at the largest size that
// fits inside it with its aspect ratio kept (JPEG decodes at that size, so memory stays small); an
// empty fitInside keeps every picture at its own size. Never hangs or crashes on bad input.
QImage LoadPicture(const QString& path, QSize fitInside = QSize());

}  // namespace halvoria

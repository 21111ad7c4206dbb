// Encoders for the two file formats the built-in pictures ship in: uncompressed 24-bit Windows
// bitmaps and single-image 16-colour icons. Written by hand so every header field is exact.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <array>

namespace halvoria::picturegen {

// 16 colours of a 4-bit icon, in palette order.
using IconPalette = std::array<QRgb, 16>;

// The image as a BI_RGB, 24 bits per pixel, bottom-up bitmap with rows padded to 4 bytes.
// Alpha is ignored. Returns an empty array for a null image.
QByteArray EncodeBmp24(const QImage& image);

// The image as an icon file holding one 4-bit image with its AND mask. Every pixel must be either
// fully transparent or opaque in one of the palette's colours; transparent pixels need black in
// the palette (they are stored as black under a set mask bit, so they leave the screen as it is).
// Sides of 1 to 256 pixels. Returns an empty array when the image breaks any of these rules.
QByteArray EncodeIco4(const QImage& image, const IconPalette& palette);

}  // namespace halvoria::picturegen

// Byte-exact writers of 24-bit BMP and 4-bit ICO files (little-endian headers, bottom-up rows).
#include "tools/pictures/BitmapFiles.h"

#include <cstdint>
#include <vector>

namespace halvoria::picturegen {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void PutU8(QByteArray& out, std::uint32_t v) { out.append(static_cast<char>(v & 0xFFu)); }

void PutU16(QByteArray& out, std::uint32_t v) {
    PutU8(out, v);
    PutU8(out, v >> 8);
}

void PutU32(QByteArray& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFFu);
    PutU16(out, v >> 16);
}

void PutI32(QByteArray& out, std::int32_t v) { PutU32(out, static_cast<std::uint32_t>(v)); }

// Row length in bytes for `bits` bits, rounded up to whole 32-bit words as both formats require.
std::uint32_t RowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31u) /
            32u) *
           4u;
}

void PutInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel,
                   std::uint32_t imageBytes, std::uint32_t coloursUsed) {
    PutU32(out, kInfoHeaderSize);
    PutI32(out, width);
    PutI32(out, height);  // positive: rows run bottom-up
    PutU16(out, 1);       // planes
    PutU16(out, static_cast<std::uint32_t>(bitsPerPixel));
    PutU32(out, 0);  // BI_RGB, no compression
    PutU32(out, imageBytes);
    PutI32(out, kPixelsPerMetre);
    PutI32(out, kPixelsPerMetre);
    PutU32(out, coloursUsed);
    PutU32(out, 0);  // all colours important
}

}  // namespace

QByteArray EncodeBmp24(const QImage& image) {
    if (image.isNull()) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const std::uint32_t stride = RowStride(width, 24);
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(offset) + imageBytes);
    out.append("BM");
    PutU32(out, offset + imageBytes);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, offset);
    PutInfoHeader(out, width, height, 24, imageBytes, 0);

    const std::uint32_t padding = stride - static_cast<std::uint32_t>(width) * 3u;
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            PutU8(out, static_cast<std::uint32_t>(qBlue(line[x])));
            PutU8(out, static_cast<std::uint32_t>(qGreen(line[x])));
            PutU8(out, static_cast<std::uint32_t>(qRed(line[x])));
        }
        for (std::uint32_t i = 0; i < padding; ++i) PutU8(out, 0);
    }
    return out;
}

QByteArray EncodeIco4(const QImage& image, const IconPalette& palette) {
    if (image.isNull() || image.width() > 256 || image.height() > 256) return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();

    int blackIndex = -1;
    for (int i = 0; i < 16; ++i) {
        if (qRgb(qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i])) == qRgb(0, 0, 0)) {
            blackIndex = i;
            break;
        }
    }

    // Palette index of every pixel, and which pixels are transparent.
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width * height));
    std::vector<bool> transparent(indices.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = argb.pixel(x, y);
            const auto at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x);
            if (qAlpha(pixel) == 0) {
                if (blackIndex < 0) return {};
                indices[at] = static_cast<std::uint8_t>(blackIndex);
                transparent[at] = true;
                continue;
            }
            if (qAlpha(pixel) != 255) return {};
            int found = -1;
            for (int i = 0; i < 16 && found < 0; ++i) {
                if ((palette[i] & 0xFFFFFFu) == (pixel & 0xFFFFFFu)) found = i;
            }
            if (found < 0) return {};
            indices[at] = static_cast<std::uint8_t>(found);
        }
    }

    const std::uint32_t colourStride = RowStride(width, 4);
    const std::uint32_t maskStride = RowStride(width, 1);
    const std::uint32_t colourBytes = colourStride * static_cast<std::uint32_t>(height);
    const std::uint32_t maskBytes = maskStride * static_cast<std::uint32_t>(height);
    const std::uint32_t imageBytes = kInfoHeaderSize + 16u * 4u + colourBytes + maskBytes;
    constexpr std::uint32_t kDirectorySize = 6 + 16;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(kDirectorySize) + imageBytes);
    PutU16(out, 0);                                        // reserved
    PutU16(out, 1);                                        // type: icon
    PutU16(out, 1);                                        // one image
    PutU8(out, static_cast<std::uint32_t>(width & 0xFF));  // 256 is stored as 0
    PutU8(out, static_cast<std::uint32_t>(height & 0xFF));
    PutU8(out, 16);  // colours in the palette
    PutU8(out, 0);
    PutU16(out, 1);  // planes
    PutU16(out, 4);  // bits per pixel
    PutU32(out, imageBytes);
    PutU32(out, kDirectorySize);

    // The height counts the colour bitmap and the mask together.
    PutInfoHeader(out, width, height * 2, 4, colourBytes + maskBytes, 16);
    for (const QRgb colour : palette) {
        PutU8(out, static_cast<std::uint32_t>(qBlue(colour)));
        PutU8(out, static_cast<std::uint32_t>(qGreen(colour)));
        PutU8(out, static_cast<std::uint32_t>(qRed(colour)));
        PutU8(out, 0);
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(colourStride), '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index =
                indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)];
            auto& byte = reinterpret_cast<std::uint8_t&>(row[x / 2]);
            byte = static_cast<std::uint8_t>(byte | ((x % 2 == 0) ? (index << 4) : index));
        }
        out.append(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(maskStride), '\0');
        for (int x = 0; x < width; ++x) {
            if (!transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(x)])
                continue;
            auto& byte = reinterpret_cast<std::uint8_t&>(row[x / 8]);
            byte = static_cast<std::uint8_t>(byte | (0x80u >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

}  // namespace halvoria::picturegen

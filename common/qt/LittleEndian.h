// Reading the little-endian fields of picture file headers (BMP, ICO) from a byte buffer.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace halvoria {

// The unsigned value of `bytes` (1 to 4) bytes at `at`, least significant first. The caller has
// checked that they lie within `data`.
inline std::uint32_t ReadLittleEndian(const QByteArray& data, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(data[at + i]);
    }
    return value;
}

}  // namespace halvoria

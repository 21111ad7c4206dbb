// Little-endian field readers for the BMP and ICO headers the tests inspect.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace halvoria::testing {

inline std::uint32_t U16At(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

inline std::uint32_t U32At(const QByteArray& bytes, qsizetype at) {
    return U16At(bytes, at) | (U16At(bytes, at + 2) << 16);
}

inline std::int32_t I32At(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::int32_t>(U32At(bytes, at));
}

}  // namespace halvoria::testing

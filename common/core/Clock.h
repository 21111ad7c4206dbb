// The tick count: a 32-bit millisecond counter, and elapsed time that survives its wrap.
#pragma once

#include <cstdint>

namespace halvoria {

// Milliseconds from a monotonic clock, truncated to 32 bits (it wraps after about 49.7 days).
std::uint32_t TickCount();

// now - start modulo 2^32: right across one wrap of the counter.
inline constexpr std::uint32_t ElapsedMs(std::uint32_t now, std::uint32_t start) {
    return now - start;
}

}  // namespace halvoria

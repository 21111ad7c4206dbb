// Real-to-whole conversions of the puzzle's arithmetic: to the nearest integer with an exact half
// going to the even neighbour, independent of the floating-point rounding mode.
#pragma once

#include <cmath>
#include <cstdint>

namespace zorvat {

// Values beyond the 32-bit range saturate and NaN gives 0, so no conversion is ever undefined.
inline std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every value in range
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace zorvat

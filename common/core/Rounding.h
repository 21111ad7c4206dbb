// Real-to-whole conversions of the games' arithmetic: to the nearest integer with an exact half
// going to the even neighbour, independent of the floating-point rounding mode.
#pragma once

#include <cmath>
#include <cstdint>

namespace halvoria {

// The nearest whole number, an exact half going to the even one; infinities and NaN come back as
// they are.
inline double RoundHalfEvenWhole(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every finite value
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) return below + 1.0;
    return below;
}

// The same as a 32-bit integer. Values beyond the 32-bit range saturate and NaN gives 0, so no
// conversion is ever undefined.
inline std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(RoundHalfEvenWhole(value));
}

}  // namespace halvoria

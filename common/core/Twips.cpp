// The twip-to-pixel edge mapping shared by every control and drawing call.
#include "common/core/Twips.h"

#include <cmath>
#include <limits>

namespace halvoria {

int TwipsToPixelEdge(double twips) {
    if (std::isnan(twips)) return 0;
    const double edge = std::floor(twips / kTwipsPerPixel + 0.5);
    if (edge >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (edge <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(edge);
}

}  // namespace halvoria

// Twips, the coordinate unit of every control: 15 twips to a logical pixel.
// One mapping from a twip position to a pixel edge, so rectangles sharing an edge meet exactly.
#pragma once

namespace halvoria {

inline constexpr int kTwipsPerPixel = 15;

// The pixel edge nearest to a twip position, an exact half going up (round half up of twips/15).
// A rectangle covers the pixels from the edge of its left side up to, not including, the edge of
// its right side, so two rectangles whose shared side comes from the same twip value leave no gap
// and do not overlap. Values beyond the int range are clamped; NaN maps to 0.
int TwipsToPixelEdge(double twips);

// A whole number of pixels in twips.
inline constexpr double PixelsToTwips(int pixels) {
    return static_cast<double>(pixels) * kTwipsPerPixel;
}

}  // namespace halvoria

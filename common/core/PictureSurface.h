// The drawing surface the engines draw on: a picture box seen without any toolkit type.
// Every position and size is in twips (15 twips per logical pixel).
#pragma once

#include <cstdint>

namespace halvoria {

// A colour as 0xRRGGBB.
using Colour = std::uint32_t;

inline constexpr Colour kWhite = 0xFFFFFF;

class PictureSurface {
  public:
    virtual ~PictureSurface();

    // Plain copy of a rectangle of source's assigned picture into this surface. Equal sizes copy
    // pixel for pixel; the destination's left and top come in single precision as the games pass
    // them.
    virtual void PaintPicture(const PictureSurface& source, float destLeft, float destTop,
                              double destWidth, double destHeight, double srcLeft, double srcTop,
                              double srcWidth, double srcHeight) = 0;

    // A filled box between the two corners, border included, in the given colour.
    virtual void FillBox(float x1, float y1, float x2, float y2, Colour colour) = 0;

    // Removes the assigned picture and everything drawn; the surface keeps its size and shows its
    // background colour.
    virtual void ClearPicture() = 0;

    // Outer size in twips.
    virtual double Width() const = 0;
    virtual double Height() const = 0;

    virtual Colour BackColor() const = 0;
};

}  // namespace halvoria

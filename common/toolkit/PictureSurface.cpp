// Out-of-line destructor so the surface's vtable lives in one object file.
#include "common/toolkit/PictureSurface.h"

namespace halvoria {

PictureSurface::~PictureSurface() = default;

}  // namespace halvoria

// Out-of-line destructor so the surface's vtable lives in one object file.
#include "common/core/PictureSurface.h"

namespace halvoria {

PictureSurface::~PictureSurface() = default;

}  // namespace halvoria

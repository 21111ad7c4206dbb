// Out-of-line destructor so the window operations' vtable lives in one object file.
#include "tiles/engine/TileWindowOps.h"

namespace quendle {

TileWindowOps::~TileWindowOps() = default;

}  // namespace quendle

// Out-of-line destructor so the window operations' vtable lives in one object file.
#include "puzzle/engine/PuzzleWindowOps.h"

namespace zorvat {

PuzzleWindowOps::~PuzzleWindowOps() = default;

}  // namespace zorvat

// The cell cursor's moves.
#include "tiles/engine/CellCursor.h"

#include <algorithm>

#include "tiles/engine/TileGame.h"

namespace quendle {

void CellCursor::Arrow(int dx, int dy) {
    if (!shown_) {
        shown_ = true;
        return;
    }
    x_ = std::clamp(x_ + dx, 0, TileGame::kColumns - 1);
    y_ = std::clamp(y_ + dy, 0, TileGame::kRows - 1);
}

}  // namespace quendle

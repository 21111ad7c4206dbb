// The tile board in words, for screen readers and the group preview's tip.
#pragma once

#include <string>

#include "tiles/engine/TileGame.h"

namespace quendle {

// The board's name: "コインの盤".
std::string BoardName();
// Tiles left, the score, and the cell (x, y) the pointer or cursor rests on with its group; a
// cell of -1 leaves the last part out.
std::string BoardDescription(const TileGame& game, int x, int y);
// A tile kind in words ("銅貨 10"), or "空き" for an empty cell.
std::string KindName(std::int32_t kind);
// Where cell (x, y) is and what a press on it would remove.
std::string CellDescription(const TileGame& game, int x, int y);
// The preview's tip: "9 枚 81 点".
std::string PreviewCaption(const GroupPreview& preview);

}  // namespace quendle

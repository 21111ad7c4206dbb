// The puzzle board in words, for screen readers: the board as a whole and each panel.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/engine/PuzzleGame.h"

namespace zorvat {

// The board's name: "パズルの盤".
std::string BoardName();
// Grid size, panels at home and the panel beside the blank on each side; or that no game runs.
std::string BoardDescription(const PuzzleGame& game);
// Cells the board reads out: N x N during a game, none otherwise.
std::int32_t ReadableCells(const PuzzleGame& game);
// What cell (x, y) holds: "パネル 7" or "空きマス".
std::string PanelName(const PuzzleGame& game, std::int32_t x, std::int32_t y);
// Where the cell is, and where its panel belongs.
std::string PanelDescription(const PuzzleGame& game, std::int32_t x, std::int32_t y);

}  // namespace zorvat

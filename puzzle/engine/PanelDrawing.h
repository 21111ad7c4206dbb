// Drawing of the sliding puzzle on the board picture box: grid lines, the full board and the two
// per-cell primitives. Geometry: W, H are Pic's size in twips, cells are W/N by H/N.
#pragma once

#include <cstdint>

#include "puzzle/engine/PuzzleWindowOps.h"

namespace zorvat {

// Number of elements 1..kGridLineCount in each of the two grid-line arrays.
inline constexpr int kGridLineCount = 15;

// Hides XLine(1..15) and YLINE(1..15).
void HideAllGridLines(PuzzleWindowOps& ops);

// Shows the grid lines for panelSize on Pic's current size: horizontal lines every H/N twips and
// vertical ones every W/N, each step and the limit rounded to whole twips (half to even), starting
// one step in and stopping when the next line would pass the far edge. Lines already hidden stay
// so.
void LayOutGridLines(PuzzleWindowOps& ops, std::int32_t panelSize);

// Copies panel (1..N*N, never the blank N*N) from PicSurface's picture into cell (x, y) of Pic.
void DrawPanel(PuzzleWindowOps& ops, std::int32_t panelSize, std::int32_t panel, std::int32_t x,
               std::int32_t y);

// Fills cell (x, y) of Pic with Pic's background colour.
void PaintCellBlank(PuzzleWindowOps& ops, std::int32_t panelSize, std::int32_t x, std::int32_t y);

// Clears Pic to its background, then draws every panel of board[1..N][1..N] except the blank,
// whose cell keeps the background.
void DrawAllPanels(PuzzleWindowOps& ops, std::int32_t panelSize,
                   const std::int32_t (&board)[11][11]);

}  // namespace zorvat

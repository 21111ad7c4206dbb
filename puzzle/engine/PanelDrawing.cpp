// Grid lines, full draw and the two per-cell drawing primitives of the sliding puzzle.
#include "puzzle/engine/PanelDrawing.h"

#include <cstdint>
#include <iterator>

#include "common/core/Rounding.h"

namespace zorvat {

namespace {

// Places lines at step, 2*step, ... up to limit through show(k, position); a step that rounds to
// zero or less would never reach the edge, and more than 15 lines have no element to show them.
template <typename Show>
void PlaceLines(double extent, std::int32_t panelSize, Show show) {
    const std::int64_t step = halvoria::RoundHalfEven(extent / panelSize);
    const std::int64_t limit = halvoria::RoundHalfEven(extent);
    if (step <= 0) return;
    int k = 0;
    for (std::int64_t at = step; at <= limit && k < kGridLineCount; at += step) {
        ++k;
        show(k, static_cast<int>(at));
    }
}

}  // namespace

void HideAllGridLines(PuzzleWindowOps& ops) {
    for (int i = 1; i <= kGridLineCount; ++i) {
        ops.HideGridLine(GridLineArray::XLine, i);
        ops.HideGridLine(GridLineArray::YLINE, i);
    }
}

void LayOutGridLines(PuzzleWindowOps& ops, std::int32_t panelSize) {
    if (panelSize <= 0) return;
    const halvoria::PictureSurface& pic = ops.Pic();
    const double width = pic.Width();
    const double height = pic.Height();
    const int right = halvoria::RoundHalfEven(width);
    const int bottom = halvoria::RoundHalfEven(height);
    PlaceLines(height, panelSize,
               [&](int k, int y) { ops.ShowGridLine(GridLineArray::XLine, k, 0, y, right, y); });
    PlaceLines(width, panelSize,
               [&](int k, int x) { ops.ShowGridLine(GridLineArray::YLINE, k, x, 0, x, bottom); });
}

void DrawPanel(PuzzleWindowOps& ops, std::int32_t panelSize, std::int32_t panel, std::int32_t x,
               std::int32_t y) {
    halvoria::PictureSurface& pic = ops.Pic();
    const double w = pic.Width() / panelSize;
    const double h = pic.Height() / panelSize;
    const double srcLeft = ((panel - 1) % panelSize) * w;
    const std::int32_t row = (panel - 1) / panelSize;
    const double srcTop = row * h;
    pic.PaintPicture(ops.PicSurface(), static_cast<float>((x - 1) * w),
                     static_cast<float>((y - 1) * h), w, h, srcLeft, srcTop, w, h);
}

void PaintCellBlank(PuzzleWindowOps& ops, std::int32_t panelSize, std::int32_t x, std::int32_t y) {
    halvoria::PictureSurface& pic = ops.Pic();
    const double w = pic.Width() / panelSize;
    const double h = pic.Height() / panelSize;
    const double left = (x - 1) * w;
    const double top = (y - 1) * h;
    pic.FillBox(static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + w),
                static_cast<float>(top + h), pic.BackColor());
}

void DrawAllPanels(PuzzleWindowOps& ops, std::int32_t panelSize,
                   const std::int32_t (&board)[11][11]) {
    ops.Pic().ClearPicture();
    if (panelSize < 1 || panelSize >= static_cast<std::int32_t>(std::size(board))) return;
    const std::int32_t blank = panelSize * panelSize;
    for (std::int32_t x = 1; x <= panelSize; ++x) {
        for (std::int32_t y = 1; y <= panelSize; ++y) {
            if (board[x][y] != blank) DrawPanel(ops, panelSize, board[x][y], x, y);
        }
    }
}

}  // namespace zorvat

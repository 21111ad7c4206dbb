// Tile and empty-cell drawing on the board picture, in twips.
#include "tiles/engine/TileDrawing.h"

#include <cmath>

#include "common/core/Rounding.h"

namespace quendle {

namespace {
constexpr double kCellPixels = 25.0;
constexpr double kStripPitch = 26.0;  // 25 pixels of tile and one black separator
}  // namespace

double WholeTwipsPerPixel(double twipsPerPixel) {
    if (!(twipsPerPixel > 0.0) || !std::isfinite(twipsPerPixel)) return 0.0;
    return halvoria::RoundHalfEvenWhole(twipsPerPixel);
}

TileCells::TileCells(double twipsPerPixelX, double twipsPerPixelY)
    : tpx_(WholeTwipsPerPixel(twipsPerPixelX)),
      cellWidth_(kCellPixels * tpx_),
      cellHeight_(kCellPixels * WholeTwipsPerPixel(twipsPerPixelY)) {}

void TileCells::DrawTile(halvoria::PictureSurface& board, const halvoria::PictureSurface& strip,
                         int kind, int x, int y) const {
    board.PaintPicture(strip, static_cast<float>(x * cellWidth_),
                       static_cast<float>(y * cellHeight_), cellWidth_, cellHeight_,
                       kStripPitch * kind * tpx_, 0.0, cellWidth_, cellHeight_);
}

void TileCells::EmptyCell(halvoria::PictureSurface& board, int x, int y) const {
    board.FillBox(static_cast<float>(x * cellWidth_), static_cast<float>(y * cellHeight_),
                  static_cast<float>((x + 1) * cellWidth_),
                  static_cast<float>((y + 1) * cellHeight_), halvoria::kWhite);
}

}  // namespace quendle

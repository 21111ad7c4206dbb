// The board picture's three drawing primitives: a tile copied from the tile strip into a cell, a
// cell painted white, and the whole picture cleared. Cells are 25 x 25 pixels, given in twips.
#pragma once

#include "common/core/PictureSurface.h"

namespace quendle {

// Twips per pixel as whole numbers (nearest integer, an exact half to the even neighbour), so
// every cell edge lands on a whole pixel; NaN, infinite and negative values give 0.
double WholeTwipsPerPixel(double twipsPerPixel);

class TileCells {
  public:
    TileCells(double twipsPerPixelX, double twipsPerPixelY);

    // Copies the 25 x 25 picture of kind 0..3 from the strip (kind k starts at pixel 26k) into
    // cell (x, y).
    void DrawTile(halvoria::PictureSurface& board, const halvoria::PictureSurface& strip, int kind,
                  int x, int y) const;

    // Paints cell (x, y) white. The box ends on the next cell's first edge, which the picture box
    // leaves out, so exactly the cell's pixels change and the neighbours stay intact.
    void EmptyCell(halvoria::PictureSurface& board, int x, int y) const;

    double CellWidth() const { return cellWidth_; }
    double CellHeight() const { return cellHeight_; }

  private:
    double tpx_;
    double cellWidth_;
    double cellHeight_;
};

}  // namespace quendle

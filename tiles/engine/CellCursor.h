// The keyboard's cell cursor over the 20 x 10 board: hidden until the first arrow key, then moved
// one cell a key, stopping at the edges.
#pragma once

namespace quendle {

class CellCursor {
  public:
    // The first arrow shows the cursor where it stands (the bottom-left cell, where tiles settle);
    // later ones move it by (dx, dy) within the board.
    void Arrow(int dx, int dy);
    // A mouse press hides it; it keeps its cell for the next arrow.
    void Hide() { shown_ = false; }
    bool Shown() const { return shown_; }
    int X() const { return x_; }
    int Y() const { return y_; }

  private:
    int x_ = 0;
    int y_ = 9;
    bool shown_ = false;
};

}  // namespace quendle

// Texts of the puzzle board for screen readers, built from the board arrays alone.
#include "puzzle/engine/BoardText.h"

#include <string>

namespace zorvat {

namespace {

std::string Place(std::int32_t x, std::int32_t y) {
    return std::to_string(x) + " 列 " + std::to_string(y) + " 行";
}

// The panel on one side of the blank, or "なし" beyond the edge.
std::string Beside(const PuzzleGame& game, Cell blank, std::int32_t dx, std::int32_t dy) {
    const std::int32_t x = blank.x + dx;
    const std::int32_t y = blank.y + dy;
    if (x < 1 || x > game.panelSize || y < 1 || y > game.panelSize) return "なし";
    return "パネル " + std::to_string(game.board[x][y]);
}

}  // namespace

std::string BoardName() { return "パズルの盤"; }

std::string BoardDescription(const PuzzleGame& game) {
    const std::int32_t n = game.panelSize;
    const std::string size = std::to_string(n) + "×" + std::to_string(n);
    const Cell blank = game.BlankCell();
    if (blank.x == 0) return size + "。ゲームは進行していません。F2 で開始します。";
    std::int32_t placed = 0;
    for (std::int32_t x = 1; x <= n; ++x) {
        for (std::int32_t y = 1; y <= n; ++y) {
            if (game.board[x][y] == (y - 1) * n + x) ++placed;
        }
    }
    return size + "。正しい位置のパネル " + std::to_string(placed) + "／" + std::to_string(n * n) +
           "。空きマスは " + Place(blank.x, blank.y) + "。空きマスの左 " +
           Beside(game, blank, -1, 0) + "、右 " + Beside(game, blank, 1, 0) + "、上 " +
           Beside(game, blank, 0, -1) + "、下 " + Beside(game, blank, 0, 1) + "。";
}

std::int32_t ReadableCells(const PuzzleGame& game) {
    return game.BlankCell().x == 0 ? 0 : game.panelSize * game.panelSize;
}

std::string PanelName(const PuzzleGame& game, std::int32_t x, std::int32_t y) {
    const std::int32_t n = game.panelSize;
    if (x < 1 || x > n || y < 1 || y > n) return {};
    const std::int32_t panel = game.board[x][y];
    return panel == n * n ? "空きマス" : "パネル " + std::to_string(panel);
}

std::string PanelDescription(const PuzzleGame& game, std::int32_t x, std::int32_t y) {
    const std::int32_t n = game.panelSize;
    if (x < 1 || x > n || y < 1 || y > n) return {};
    const std::int32_t panel = game.board[x][y];
    const std::int32_t homeX = (panel - 1) % n + 1;
    const std::int32_t homeY = (panel - 1) / n + 1;
    if (homeX == x && homeY == y) return Place(x, y) + "、正しい位置";
    return Place(x, y) + "、正しい位置は " + Place(homeX, homeY);
}

}  // namespace zorvat

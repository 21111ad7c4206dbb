// Texts of the tile board for screen readers, built from the board and the group preview.
#include "tiles/engine/TileText.h"

#include <string>

namespace quendle {

namespace {

std::string Place(int x, int y) {
    return std::to_string(x + 1) + " 列 " + std::to_string(y + 1) + " 行";
}

std::string GroupPart(const TileGame& game, int x, int y) {
    if (game.board[x][y] == TileGame::kEmpty) return "";
    const GroupPreview preview = game.PreviewGroup(x, y);
    if (preview.size == 0) return "、消せません";
    return "、" + PreviewCaption(preview);
}

}  // namespace

std::string BoardName() { return "コインの盤"; }

std::string KindName(std::int32_t kind) {
    switch (kind) {
        case 0:
            return "金貨（穴あき）";
        case 1:
            return "銅貨 10";
        case 2:
            return "銀貨 50（穴あき）";
        case 3:
            return "銀貨 500";
        default:
            return "空き";
    }
}

std::string BoardDescription(const TileGame& game, int x, int y) {
    const std::int32_t tiles = game.TilesLeft();
    if (tiles == 0) {
        return "コインはありません。スコア " + std::to_string(game.score) +
               "。F2 で新しいゲームを開始します。";
    }
    std::string text =
        "残り " + std::to_string(tiles) + " 枚。スコア " + std::to_string(game.score) + "。";
    if (x >= 0 && x < TileGame::kColumns && y >= 0 && y < TileGame::kRows) {
        text += Place(x, y) + "：" + KindName(game.board[x][y]) + GroupPart(game, x, y) + "。";
    }
    return text;
}

std::string CellDescription(const TileGame& game, int x, int y) {
    if (x < 0 || x >= TileGame::kColumns || y < 0 || y >= TileGame::kRows) return {};
    return Place(x, y) + GroupPart(game, x, y);
}

std::string PreviewCaption(const GroupPreview& preview) {
    return std::to_string(preview.size) + " 枚 " + std::to_string(preview.points) + " 点";
}

}  // namespace quendle

// The tile-clearing game's rules on the three board layouts, drawing through TileCells.
#include "tiles/engine/TileGame.h"

#include <cmath>
#include <string>

#include "common/core/MsgBoxCodes.h"
#include "tiles/engine/TileDrawing.h"

namespace quendle {

namespace {

constexpr std::int32_t kClearBonus = 5000;
constexpr std::int32_t kGiveUpBase = 20;
constexpr std::int16_t kMarked = -1;

template <typename T>
void CopyUsedCells(T (&to)[21][11], const T (&from)[21][11]) {
    for (int x = 0; x < TileGame::kColumns; ++x)
        for (int y = 0; y < TileGame::kRows; ++y) to[x][y] = from[x][y];
}

}  // namespace

TileGame::TileGame(TileWindowOps& ops) : ops_(ops) { ClearBoards(); }

void TileGame::ClearBoards() {
    for (int x = 0; x <= kColumns; ++x) {
        for (int y = 0; y <= kRows; ++y) {
            const bool used = x < kColumns && y < kRows;
            board[x][y] = pendingBoard[x][y] = previousBoard[x][y] = used ? kEmpty : 0;
        }
    }
}

void TileGame::GameStart_Click() {
    const TileCells cells(ops_.TwipsPerPixelX(), ops_.TwipsPerPixelY());
    ops_.Randomize();
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            const double kind = std::floor(ops_.Rnd() * 4.0);
            // A random source that strays out of [0, 1) still yields one of the four kinds.
            const std::int32_t k = kind >= 3.0   ? 3
                                   : kind >= 0.0 ? static_cast<std::int32_t>(kind)
                                                 : 0;
            cells.DrawTile(ops_.GamePic(), ops_.MoneyPic(), k, x, y);
            board[x][y] = pendingBoard[x][y] = previousBoard[x][y] = k;
        }
    }
    ++dealCount_;
    score = 0;
    // Also forget the last game's take-back score, so a take-back never brings it back.
    previousScore = 0;
    ShowScore();
    playing = true;
    if (musicOn) ops_.PlayMusic();
}

void TileGame::GamePic_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
    const double tppx = ops_.TwipsPerPixelX();
    const double tppy = ops_.TwipsPerPixelY();
    if (!(tppx > 0.0) || !(tppy > 0.0)) return;
    const double column = std::floor(static_cast<double>(x) / 25.0 / tppx);
    const double row = std::floor(static_cast<double>(y) / 25.0 / tppy);
    // Presses beyond the 20 x 10 cells (the picture's spare edge, or more at other densities)
    // do nothing; the negated tests also turn NaN away.
    if (!(column >= 0.0 && column < kColumns) || !(row >= 0.0 && row < kRows)) return;
    const int cx = static_cast<int>(column);
    const int cy = static_cast<int>(row);

    if (board[cx][cy] == kEmpty) return;
    groupSize = 1;
    for (int i = 0; i < kColumns; ++i)
        for (int j = 0; j < kRows; ++j) marked[i][j] = 0;
    marked[cx][cy] = kMarked;
    MarkGroup(cx, cy);
    if (groupSize == 1) {
        CopyUsedCells(pendingBoard, board);
        return;
    }
    pendingBoard[cx][cy] = kEmpty;
    DropTiles();
    RefreshPic();
    ScoreRemoval();
}

void TileGame::GamePic_KeyPress(int x, int y) {
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows) return;
    const double tppx = ops_.TwipsPerPixelX();
    const double tppy = ops_.TwipsPerPixelY();
    GamePic_MouseDown(1, 0, static_cast<float>((x + 0.5) * 25.0 * tppx),
                      static_cast<float>((y + 0.5) * 25.0 * tppy));
}

// The same group as MarkGroup finds, searched with a stack of its own so that marked,
// groupSize and pendingBoard stay as they are.
GroupPreview TileGame::PreviewGroup(int x, int y) const {
    GroupPreview preview;
    if (!playing || x < 0 || x >= kColumns || y < 0 || y >= kRows) return preview;
    const std::int32_t kind = board[x][y];
    if (kind == kEmpty) return preview;
    int stack[kColumns * kRows][2];
    int top = 0;
    std::int32_t size = 0;
    preview.member[x][y] = true;
    stack[top][0] = x;
    stack[top++][1] = y;
    while (top > 0) {
        --top;
        const int cx = stack[top][0];
        const int cy = stack[top][1];
        ++size;
        const int around[4][2] = {{cx - 1, cy}, {cx, cy - 1}, {cx + 1, cy}, {cx, cy + 1}};
        for (const auto& n : around) {
            if (n[0] < 0 || n[0] >= kColumns || n[1] < 0 || n[1] >= kRows) continue;
            if (preview.member[n[0]][n[1]] || board[n[0]][n[1]] != kind) continue;
            preview.member[n[0]][n[1]] = true;
            stack[top][0] = n[0];
            stack[top++][1] = n[1];
        }
    }
    if (size < 2) return GroupPreview{};
    preview.size = size;
    preview.points = size * size;
    return preview;
}

std::int32_t TileGame::TilesLeft() const {
    std::int32_t tiles = 0;
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
            if (board[x][y] != kEmpty) ++tiles;
    return tiles;
}

// Depth first over the four orthogonal neighbours; reads only board, empties found tiles in
// pendingBoard. Depth is at most the 200 cells.
void TileGame::MarkGroup(int x, int y) {
    const std::int32_t kind = board[x][y];
    marked[x][y] = kMarked;
    const auto visit = [&](int nx, int ny) {
        if (board[nx][ny] == kind && marked[nx][ny] == 0) {
            ++groupSize;
            pendingBoard[nx][ny] = kEmpty;
            MarkGroup(nx, ny);
        }
    };
    if (x - 1 >= 0) visit(x - 1, y);
    if (y - 1 >= 0) visit(x, y - 1);
    if (x + 1 < kColumns) visit(x + 1, y);
    if (y + 1 < kRows) visit(x, y + 1);
}

void TileGame::DropTiles() {
    // Tiles fall to the bottom of their column, keeping their order.
    for (int i = 0; i < kColumns; ++i) {
        for (int j = kRows - 1; j >= 0; --j) {
            if (pendingBoard[i][j] != kEmpty) continue;
            for (int n = j; n >= 0; --n) {
                if (pendingBoard[i][n] != kEmpty) {
                    pendingBoard[i][j] = pendingBoard[i][n];
                    pendingBoard[i][n] = kEmpty;
                    break;
                }
            }
        }
    }
    // Empty columns close to the left. The scan starts over after every shift that moved a
    // tile, so a run of neighbouring empty columns closes completely.
    for (int i = 0; i < kColumns; ++i) {
        bool empty = true;
        for (int m = 0; m < kRows && empty; ++m) empty = pendingBoard[i][m] == kEmpty;
        if (!empty) continue;
        bool moved = false;
        for (int c = i; c < kColumns - 1; ++c) {
            for (int m = 0; m < kRows; ++m) {
                pendingBoard[c][m] = pendingBoard[c + 1][m];
                if (pendingBoard[c][m] != kEmpty) moved = true;
            }
        }
        for (int m = 0; m < kRows; ++m) pendingBoard[kColumns - 1][m] = kEmpty;
        if (moved) i = -1;
    }
}

void TileGame::RefreshPic() {
    const TileCells cells(ops_.TwipsPerPixelX(), ops_.TwipsPerPixelY());
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            previousBoard[x][y] = board[x][y];
            if (pendingBoard[x][y] == board[x][y]) continue;
            if (pendingBoard[x][y] == kEmpty)
                cells.EmptyCell(ops_.GamePic(), x, y);
            else
                cells.DrawTile(ops_.GamePic(), ops_.MoneyPic(), pendingBoard[x][y], x, y);
            board[x][y] = pendingBoard[x][y];
        }
    }
}

void TileGame::ScoreRemoval() {
    previousScore = score;
    score += groupSize * groupSize;
    ShowScore();
    if (!BoardIsEmpty()) return;

    score += kClearBonus;
    ShowScore();
    std::string extra;
    if (score > hiScore) {
        extra = "\r\n\r\nハイスコア！：" + std::to_string(score);
        hiScore = score;
    }
    ShowHiScore();
    ops_.MsgBox("Congratuations! ゲームクリア" + extra, halvoria::kMsgBoxInformationOk,
                kWindowTitle);
    playing = false;
    if (musicOn) ops_.CloseMusic();
}

bool TileGame::BoardIsEmpty() const {
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
            if (board[x][y] != kEmpty) return false;
    return true;
}

void TileGame::ReturnGame_Click() {
    CopyUsedCells(pendingBoard, previousBoard);
    score = previousScore;
    ShowScore();
    RefreshPic();
}

void TileGame::GameReset_Click() {
    if (!playing || givingUp_) return;
    if (ops_.MsgBox("ギブアップします。よろしいですか？", halvoria::kMsgBoxQuestionYesNo,
                    kWindowTitle) != halvoria::kMsgBoxYes)
        return;

    std::int32_t tilesLeft = 0;
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (board[x][y] != kEmpty) ++tilesLeft;
            board[x][y] = pendingBoard[x][y] = previousBoard[x][y] = kEmpty;
        }
    }
    std::int32_t rest = kGiveUpBase - tilesLeft;
    if (rest < 0) rest = 0;
    score += rest * rest;
    const std::int32_t finalScore = score;
    ShowScore();

    // Queued clicks and commands run here, so the label repaints before any box opens.
    const std::uint32_t deal = dealCount_;
    givingUp_ = true;
    ops_.DoEvents();
    givingUp_ = false;

    // The best is judged on the given-up game's score, whatever the queued commands did to score.
    if (hiScore < finalScore) {
        ops_.MsgBox("ハイスコア！：" + std::to_string(finalScore) + "Points",
                    halvoria::kMsgBoxInformationOk, kWindowTitle);
        hiScore = finalScore;
        ShowHiScore();
    }
    // A new game dealt meanwhile keeps its picture, its tune and its running state.
    if (dealCount_ != deal) return;
    ops_.GamePic().ClearPicture();
    playing = false;
    if (musicOn) ops_.CloseMusic();
}

void TileGame::HScoreClear_Click() {
    if (ops_.MsgBox("ハイスコアをクリアします。よろしいですか？", halvoria::kMsgBoxQuestionYesNo,
                    kWindowTitle) != halvoria::kMsgBoxYes)
        return;
    hiScore = 0;
    ShowHiScore();
}

void TileGame::Timer1_Timer() {
    if (playing && musicOn) ops_.PollMusic();
}

void TileGame::ShowScore() { ops_.SetScoreCaption(std::to_string(score)); }

void TileGame::ShowHiScore() { ops_.SetHScoreCaption(std::to_string(hiScore)); }

}  // namespace quendle

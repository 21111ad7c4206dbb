// The sliding puzzle's game loop on top of the board arrays; everything visible goes through
// PuzzleWindowOps, the drawing through PanelDrawing.
#include "puzzle/engine/PuzzleGame.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "common/core/Clock.h"
#include "common/core/MsgBoxCodes.h"
#include "common/core/Rounding.h"
#include "puzzle/engine/PanelDrawing.h"

namespace zorvat {

std::string SignedForm(std::int32_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string ScoreCaption(std::int32_t score, std::int32_t percent) {
    return SignedForm(score) + "-" + std::to_string(percent) + "% ";
}

std::string CompletionMessage(std::int32_t score, bool newBest) {
    return "Congratulations! ゲームクリア\r\n\r\nスコア：" + std::to_string(score) +
           (newBest ? "（ハイスコア）" : "");
}

PuzzleGame::PuzzleGame(PuzzleWindowOps& ops) : ops_(ops) {}

bool PuzzleGame::SizeSupported() const {
    return panelSize >= kMinPanelSize && panelSize <= kMaxPanelSize;
}

void PuzzleGame::FillSolved() {
    if (!SizeSupported()) return;
    const std::int32_t n = panelSize;
    for (std::int32_t x = 1; x <= n; ++x) {
        for (std::int32_t y = 1; y <= n; ++y) {
            board[x][y] = (y - 1) * n + x;
            pendingBoard[x][y] = board[x][y];
        }
    }
}

// Expects the solved layout, with the blank at (N, N). A drawn direction that would leave the
// board is drawn again, so every step makes exactly one slide.
void PuzzleGame::Shuffle() {
    if (!SizeSupported()) return;
    const std::int32_t n = panelSize;
    std::int32_t bx = n;
    std::int32_t by = n;
    // A capped count keeps the parity of the asked one, so the blank ends on the same colour of
    // the chequerboard as it would after every asked slide.
    std::int32_t slides = shuffleCount;
    if (slides > kMaxShuffleSlides) slides = kMaxShuffleSlides - ((kMaxShuffleSlides ^ slides) & 1);
    for (std::int32_t step = 0; step < slides; ++step) {
        for (;;) {
            const double d = std::floor(ops_.Rnd() * 4.0) + 1.0;
            std::int32_t nx = bx;
            std::int32_t ny = by;
            if (d == 1.0 && by != 1) {
                ny = by - 1;
            } else if (d == 2.0 && by != n) {
                ny = by + 1;
            } else if (d == 3.0 && bx != 1) {
                nx = bx - 1;
            } else if (d == 4.0 && bx != n) {
                nx = bx + 1;
            } else {
                continue;
            }
            std::swap(board[bx][by], board[nx][ny]);
            pendingBoard[bx][by] = board[bx][by];
            pendingBoard[nx][ny] = board[nx][ny];
            bx = nx;
            by = ny;
            break;
        }
    }
}

// Sizes outside 2..10 would run off the arrays or never finish a shuffle step; the window never
// passes one, so such a start is simply ignored.
void PuzzleGame::Game_Start_Click() {
    if (!SizeSupported()) return;
    ops_.Randomize();
    playing = true;
    HideAllGridLines(ops_);
    LayOutGridLines(ops_, panelSize);
    FillSolved();
    Shuffle();
    DrawAllPanels(ops_, panelSize, board);
    moveCount = 0;
    startTick = ops_.TickCount();
    ops_.SetTimeCaption("0 ");
    ops_.SetTimesCaption("0 ");
    ops_.SetScoreCaption("0-0% ");
    if (musicOn) ops_.PlayMusic();
}

void PuzzleGame::Pic_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
    if (!playing || !SizeSupported()) return;
    const std::int32_t n = panelSize;
    const halvoria::PictureSurface& pic = ops_.Pic();
    const double column = std::floor(x / (pic.Width() / n)) + 1.0;
    const double row = std::floor(y / (pic.Height() / n)) + 1.0;
    // A press outside the cells (or not a number at all) slides nothing but still counts as a
    // press.
    if (column >= 1.0 && column <= n && row >= 1.0 && row <= n) {
        const auto cx = static_cast<std::int32_t>(column);
        const auto cy = static_cast<std::int32_t>(row);
        const std::int32_t blank = n * n;
        const auto slideInto = [&](std::int32_t tx, std::int32_t ty) {
            if (board[tx][ty] != blank) return;
            pendingBoard[tx][ty] = board[cx][cy];
            pendingBoard[cx][cy] = blank;
        };
        if (cx + 1 <= n) slideInto(cx + 1, cy);
        if (cx - 1 >= 1) slideInto(cx - 1, cy);
        if (cy + 1 <= n) slideInto(cx, cy + 1);
        if (cy - 1 >= 1) slideInto(cx, cy - 1);
    }
    RefreshChangedPanels();
    const Evaluation evaluation = EvaluateBoard();
    ops_.SetScoreCaption(ScoreCaption(evaluation.runningScore, evaluation.placedPercent));
    if (evaluation.complete) CompleteGame(evaluation);
}

Cell PuzzleGame::BlankCell() const {
    if (!playing || !SizeSupported()) return {};
    const std::int32_t n = panelSize;
    for (std::int32_t x = 1; x <= n; ++x) {
        for (std::int32_t y = 1; y <= n; ++y) {
            if (board[x][y] == n * n) return {x, y};
        }
    }
    return {};
}

Cell PuzzleGame::PanelForKey(ArrowKey key) const {
    const Cell blank = BlankCell();
    if (blank.x == 0) return {};
    Cell panel = blank;
    switch (key) {
        case ArrowKey::Left:
            ++panel.x;
            break;
        case ArrowKey::Right:
            --panel.x;
            break;
        case ArrowKey::Up:
            ++panel.y;
            break;
        case ArrowKey::Down:
            --panel.y;
            break;
    }
    if (panel.x < 1 || panel.x > panelSize || panel.y < 1 || panel.y > panelSize) return {};
    return panel;
}

// The key becomes a press at the cell's centre, so counting, sound, score and completion are
// exactly those of the mouse.
void PuzzleGame::Pic_KeyDown(ArrowKey key) {
    if (!playing || !SizeSupported()) return;
    Cell cell = PanelForKey(key);
    if (cell.x == 0) cell = BlankCell();
    if (cell.x == 0) return;
    const halvoria::PictureSurface& pic = ops_.Pic();
    const double w = pic.Width() / panelSize;
    const double h = pic.Height() / panelSize;
    Pic_MouseDown(1, 0, static_cast<float>((cell.x - 0.5) * w),
                  static_cast<float>((cell.y - 0.5) * h));
}

void PuzzleGame::RefreshChangedPanels() {
    const std::int32_t n = panelSize;
    const std::int32_t blank = n * n;
    for (std::int32_t x = 1; x <= n; ++x) {
        for (std::int32_t y = 1; y <= n; ++y) {
            const std::int32_t p = pendingBoard[x][y];
            if (board[x][y] == p) continue;
            if (p != blank) {
                DrawPanel(ops_, n, p, x, y);
            } else {
                PaintCellBlank(ops_, n, x, y);
                ops_.PlayMoveSound();
                ++moveCount;
                ops_.SetTimesCaption(SignedForm(moveCount) + " ");
            }
            board[x][y] = p;
        }
    }
}

// placedPercent is the exact whole percentage; the score allows for slides and tenths of seconds.
PuzzleGame::Evaluation PuzzleGame::EvaluateBoard() {
    Evaluation result{0, false, 0, 0};
    if (!SizeSupported()) return result;
    const std::int32_t n = panelSize;
    result.complete = true;
    for (std::int32_t x = 1; x <= n; ++x) {
        for (std::int32_t y = 1; y <= n; ++y) {
            if (board[x][y] == (y - 1) * n + x) {
                ++result.placedCount;
            } else {
                result.complete = false;
            }
        }
    }
    result.placedPercent = result.placedCount * 100 / (n * n);
    const double elapsedMs = halvoria::ElapsedMs(ops_.TickCount(), startTick);
    const double score =
        ((result.placedPercent + 1) * 100.0 - moveCount * 10.0 - elapsedMs / 1000.0) / 10.0;
    const std::int32_t rounded = halvoria::RoundHalfEven(score);
    result.runningScore = rounded < 0 ? 0 : rounded;
    return result;
}

void PuzzleGame::CompleteGame(const Evaluation& evaluation) {
    EndGame();
    const bool newBest = ops_.RecordBestScore(panelSize, evaluation.runningScore);
    ops_.MsgBox(CompletionMessage(evaluation.runningScore, newBest), halvoria::kMsgBoxInformationOk,
                kWindowTitle);
    if (musicOn) ops_.CloseMusic();
}

void PuzzleGame::EndGame() {
    playing = false;
    HideAllGridLines(ops_);
    ops_.ShowWholePicture();
}

// Any answer but Yes keeps the game going; the time the question was open counts as playing time.
void PuzzleGame::Game_Reset_Click() {
    if (!playing || !ConfirmDiscard(kDiscardGameQuestion)) return;
    DiscardGame();
}

bool PuzzleGame::ConfirmDiscard(const char* question) {
    if (!playing) return true;
    return ops_.MsgBox(question, halvoria::kMsgBoxQuestionYesNo, kWindowTitle) ==
           halvoria::kMsgBoxYes;
}

void PuzzleGame::DiscardGame() {
    EndGame();
    if (musicOn) ops_.CloseMusic();
}

void PuzzleGame::Timer1_Timer() {
    if (!playing) return;
    const std::uint32_t elapsedMs = halvoria::ElapsedMs(ops_.TickCount(), startTick);
    ops_.SetTimeCaption(SignedForm(static_cast<std::int32_t>(elapsedMs / 1000)) + " ");
    const Evaluation evaluation = EvaluateBoard();
    ops_.SetScoreCaption(ScoreCaption(evaluation.runningScore, evaluation.placedPercent));
    if (musicOn) ops_.PollMusic();
}

}  // namespace zorvat

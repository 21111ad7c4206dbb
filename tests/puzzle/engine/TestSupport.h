// Helpers for the puzzle engine tests: boards written as text tables, the blank's cell, presses
// at a cell's centre, and a fixture holding a recorder and a game.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/engine/PuzzleGame.h"
#include "tests/puzzle/engine/RecordingOps.h"

namespace zorvat::test {

// Rows top to bottom, panels left to right; sets panelSize and both arrays.
inline void SetBoard(PuzzleGame& game, const std::string& rows) {
    std::istringstream in(rows);
    std::vector<std::int32_t> values;
    for (std::int32_t v = 0; in >> v;) values.push_back(v);
    std::int32_t n = 1;
    while (n * n < static_cast<std::int32_t>(values.size())) ++n;
    ASSERT_EQ(static_cast<std::size_t>(n * n), values.size()) << "board table is not square";
    game.panelSize = n;
    for (std::int32_t y = 1; y <= n; ++y) {
        for (std::int32_t x = 1; x <= n; ++x) {
            game.board[x][y] = values[static_cast<std::size_t>((y - 1) * n + (x - 1))];
            game.pendingBoard[x][y] = game.board[x][y];
        }
    }
}

inline std::pair<int, int> FindBlank(const PuzzleGame& game) {
    const int n = game.panelSize;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (game.board[x][y] == n * n) return {x, y};
        }
    }
    return {0, 0};
}

inline bool IsSolved(const PuzzleGame& game) {
    const int n = game.panelSize;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (game.board[x][y] != (y - 1) * n + x) return false;
        }
    }
    return true;
}

// Presses the middle of cell (x, y) of a board of the recorder's size.
inline void PressCell(PuzzleGame& game, RecordingOps& ops, int x, int y, int button = 1) {
    const double w = ops.pic.width / game.panelSize;
    const double h = ops.pic.height / game.panelSize;
    game.Pic_MouseDown(button, 0, static_cast<float>((x - 0.5) * w),
                       static_cast<float>((y - 0.5) * h));
}

class PuzzleTest : public ::testing::Test {
  protected:
    // A running game of size n, from a board shuffled by `shuffles` slides; the recorder is
    // emptied.
    void Start(std::int32_t n, std::int32_t shuffles = 0) {
        game.panelSize = n;
        game.shuffleCount = shuffles;
        game.Game_Start_Click();
        ops.Forget();
    }
    // A running 4x4 game on the given board table, started at tick 0.
    void StartOn(const std::string& rows) {
        Start(4);
        SetBoard(game, rows);
    }

    RecordingOps ops;
    PuzzleGame game{ops};
};

}  // namespace zorvat::test

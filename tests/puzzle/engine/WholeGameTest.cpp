// Whole games of every offered size, from a shuffled board to completion through presses alone.
// The solver watches the board at each random draw of the shuffle to learn the blank's path, then
// presses the cells of that path backwards.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

using Cell = std::pair<int, int>;

class WholeGameTest : public PuzzleTest {
  protected:
    // Starts a game and returns the cells the blank passed through, the start (N, N) first.
    std::vector<Cell> StartAndTraceShuffle(int n, int shuffles) {
        std::vector<Cell> path;
        const auto note = [&] {
            const Cell blank = FindBlank(game);
            if (path.empty() || path.back() != blank) path.push_back(blank);
        };
        ops.onRnd = note;
        game.panelSize = n;
        game.shuffleCount = shuffles;
        game.Game_Start_Click();
        ops.onRnd = nullptr;
        note();
        return path;
    }

    // Plays from a shuffled board until the game ends, checking each slide's window operations.
    void PlayToTheEnd(int n, int shuffles) {
        SCOPED_TRACE(testing::Message() << "N=" << n);
        const std::vector<Cell> path = StartAndTraceShuffle(n, shuffles);
        ASSERT_EQ(path.front(), Cell(n, n));
        ASSERT_EQ(path.back(), FindBlank(game));
        ASSERT_TRUE(game.playing);
        const double w = ops.pic.width / n;
        const double h = ops.pic.height / n;

        int presses = 0;
        for (std::size_t i = path.size() - 1; i > 0 && game.playing; --i) {
            const Cell to = path[i];
            const Cell from = path[i - 1];
            const int panel = game.board[from.first][from.second];
            ops.Forget();
            ops.now += 700;
            PressCell(game, ops, from.first, from.second, 1 + presses % 2);
            ++presses;

            EXPECT_EQ(game.moveCount, presses);
            ASSERT_EQ(ops.pic.paints.size(), 1u);
            EXPECT_FLOAT_EQ(ops.pic.paints[0].destLeft, static_cast<float>((to.first - 1) * w));
            EXPECT_FLOAT_EQ(ops.pic.paints[0].destTop, static_cast<float>((to.second - 1) * h));
            EXPECT_DOUBLE_EQ(ops.pic.paints[0].srcLeft, ((panel - 1) % n) * w);
            EXPECT_DOUBLE_EQ(ops.pic.paints[0].srcTop, ((panel - 1) / n) * h);
            ASSERT_EQ(ops.pic.fills.size(), 1u);
            EXPECT_FLOAT_EQ(ops.pic.fills[0].x1, static_cast<float>((from.first - 1) * w));
            EXPECT_FLOAT_EQ(ops.pic.fills[0].y1, static_cast<float>((from.second - 1) * h));
            EXPECT_EQ(ops.Count("PlayMoveSound"), 1);
            EXPECT_EQ(ops.timesCaptions, std::vector<std::string>{SignedForm(presses) + " "});
            EXPECT_EQ(ops.scoreCaptions.size(), 1u);
            EXPECT_EQ(game.board[to.first][to.second], panel);
            EXPECT_EQ(FindBlank(game), from);
        }
        // The path may pass through the solved layout before its start, which ends the game early.
        EXPECT_FALSE(game.playing);
        EXPECT_TRUE(IsSolved(game));
        ASSERT_EQ(ops.recordedScores.size(), 1u);
        EXPECT_EQ(ops.recordedScores[0].first, n);
        EXPECT_EQ(ops.boxes.size(), 1u);
        EXPECT_EQ(ops.boxes.at(0).code, 64);
        EXPECT_EQ(ops.Count("ShowWholePicture"), 1);
    }
};

TEST_F(WholeGameTest, EveryOfferedSizePlaysToCompletion) {
    for (const int n : {4, 5, 8, 10}) PlayToTheEnd(n, 100);
}

TEST_F(WholeGameTest, LongShufflesAndAGameAfterALargerOne) {
    // One window object throughout: a 4x4 game after a 10x10 one must not read the old cells.
    for (const std::uint64_t seed : {3u, 4u, 5u}) {
        ops.seed = seed;
        PlayToTheEnd(10, 400);
        PlayToTheEnd(4, 250);
    }
}

}  // namespace
}  // namespace zorvat::test

// Presses on the board: which cell a twip position falls in, which presses slide, what one slide
// draws and counts, and that nothing happens outside a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

// The blank at (3, 3); panel 11 sits at (4, 4).
constexpr const char* kBlankAtThreeThree = R"(
     1  2  3  4
     5  6  7  8
     9 10 16 12
    13 14 15 11)";

struct PressCase {
    float x, y;
    int slidCellX, slidCellY;  // 0, 0 when nothing may slide
};

inline std::ostream& operator<<(std::ostream& os, const PressCase& c) {
    return os << "press at " << c.x << "," << c.y;
}

class PressMappingTest : public PuzzleTest, public testing::WithParamInterface<PressCase> {};

TEST_P(PressMappingTest, PressSlidesOnlyAnEdgeNeighbourOfTheBlank) {
    const PressCase c = GetParam();
    StartOn(kBlankAtThreeThree);
    const int panel = c.slidCellX ? game.board[c.slidCellX][c.slidCellY] : 0;
    ops.now = 3000;
    game.Pic_MouseDown(1, 0, c.x, c.y);

    // A press is always evaluated and shown, whether it slid or not.
    ASSERT_EQ(ops.scoreCaptions.size(), 1u);
    if (c.slidCellX == 0) {
        EXPECT_EQ(game.board[3][3], 16);
        EXPECT_EQ(game.moveCount, 0);
        EXPECT_TRUE(ops.pic.paints.empty());
        EXPECT_TRUE(ops.pic.fills.empty());
        EXPECT_EQ(ops.Count("PlayMoveSound"), 0);
        EXPECT_TRUE(ops.timesCaptions.empty());
        return;
    }
    EXPECT_EQ(game.board[3][3], panel);
    EXPECT_EQ(game.board[c.slidCellX][c.slidCellY], 16);
    EXPECT_EQ(game.moveCount, 1);
    ASSERT_EQ(ops.pic.paints.size(), 1u);
    EXPECT_FLOAT_EQ(ops.pic.paints[0].destLeft, 2 * 1496.25f);
    EXPECT_FLOAT_EQ(ops.pic.paints[0].destTop, 2 * 1496.25f);
    ASSERT_EQ(ops.pic.fills.size(), 1u);
    EXPECT_FLOAT_EQ(ops.pic.fills[0].x1, static_cast<float>((c.slidCellX - 1) * 1496.25));
    EXPECT_FLOAT_EQ(ops.pic.fills[0].y1, static_cast<float>((c.slidCellY - 1) * 1496.25));
    EXPECT_EQ(ops.Count("PlayMoveSound"), 1);
    EXPECT_EQ(ops.timesCaptions, std::vector<std::string>{" 1 "});
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 4; ++y) EXPECT_EQ(game.pendingBoard[x][y], game.board[x][y]);
    }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Presses, PressMappingTest,
    testing::Values(
        // 5985 / 4 = 1496.25: 1496 is still column (row) 1, 1497 is column (row) 2.
        PressCase{1496, 3000, 0, 0}, PressCase{1497, 3000, 2, 3}, PressCase{3000, 1496, 0, 0},
        PressCase{3000, 1497, 3, 2},
        // Each edge neighbour of the blank.
        PressCase{5000, 3000, 4, 3}, PressCase{3000, 5000, 3, 4},
        // The blank itself, a panel two cells along the blank's row, a diagonal neighbour.
        PressCase{3000, 3000, 0, 0}, PressCase{100, 3000, 0, 0}, PressCase{5000, 5000, 0, 0},
        // Outside the cells: the far edge, negative positions, not a number.
        PressCase{5985, 3000, 0, 0}, PressCase{3000, 5985, 0, 0}, PressCase{-1, 3000, 0, 0},
        PressCase{-0.5f, 3000, 0, 0}, PressCase{3000, -7000, 0, 0}, PressCase{kNaN, 3000, 0, 0},
        PressCase{std::numeric_limits<float>::infinity(), 3000, 0, 0}));

TEST_F(PuzzleTest, EveryButtonAndShiftStateSlides) {
    for (const auto& [button, shift] : {std::pair{1, 0}, {2, 0}, {4, 0}, {1, 1}, {2, 7}}) {
        SCOPED_TRACE(testing::Message() << "button=" << button << " shift=" << shift);
        StartOn(kBlankAtThreeThree);
        game.Pic_MouseDown(button, shift, 1497, 3000);
        EXPECT_EQ(game.board[2][3], 16);
        EXPECT_EQ(game.moveCount, 1);
    }
}

TEST_F(PuzzleTest, SlidesCountAndShowOnTheTimesLabel) {
    StartOn(kBlankAtThreeThree);
    for (int i = 0; i < 12; ++i) PressCell(game, ops, i % 2 ? 3 : 2, 3);  // to and fro
    EXPECT_EQ(game.moveCount, 12);
    EXPECT_EQ(ops.timesCaptions.back(), " 12 ");
    EXPECT_EQ(ops.Count("PlayMoveSound"), 12);
    EXPECT_EQ(game.board[3][3], 16);
}

// Before the first game, after completion and after giving up a press, a tick and giving up do
// nothing at all.
TEST_F(PuzzleTest, OutsideAGameBoardClockAndGiveUpDoNothing) {
    const auto check = [&](const char* state) {
        SCOPED_TRACE(state);
        std::int32_t before[11][11];
        std::copy(&game.board[0][0], &game.board[0][0] + 121, &before[0][0]);
        ops.Forget();
        ops.now += 5000;
        for (int x = 1; x <= game.panelSize; ++x) {
            for (int y = 1; y <= game.panelSize; ++y) PressCell(game, ops, x, y, x % 3 + 1);
        }
        game.Pic_MouseDown(1, 0, -1, -1);
        game.Timer1_Timer();
        game.Game_Reset_Click();
        EXPECT_TRUE(ops.log.empty()) << ops.log.front();
        EXPECT_TRUE(std::equal(&before[0][0], &before[0][0] + 121, &game.board[0][0]));
        EXPECT_FALSE(game.playing);
    };
    check("before the first game");

    Start(4, 0);
    ops.keepScore = true;
    PressCell(game, ops, 4, 4);  // solved from the start: the first press completes it
    ASSERT_FALSE(game.playing);
    check("after completion");

    Start(4, 100);
    ops.answers = {6};
    game.Game_Reset_Click();
    ASSERT_FALSE(game.playing);
    check("after giving up");
}

}  // namespace
}  // namespace zorvat::test

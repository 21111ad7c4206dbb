// Evaluation of the board and the texts built from it: number forms, the score caption, panels in
// place, the running score, and the half-second clock tick.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

TEST(CaptionTest, SignedFormAndScoreCaption) {
    EXPECT_EQ(SignedForm(12), " 12");
    EXPECT_EQ(SignedForm(0), " 0");
    EXPECT_EQ(SignedForm(-3), "-3");
    EXPECT_EQ(SignedForm(INT32_MIN), "-2147483648");
    EXPECT_EQ(ScoreCaption(948, 100), " 948-100% ");
    EXPECT_EQ(ScoreCaption(0, 0), " 0-0% ");
    EXPECT_EQ(ScoreCaption(912, 75), " 912-75% ");
}

// A board of size n with exactly `placed` cells holding their own panel: the first cells in
// column order stay home, the rest are rotated by one so none of them is.
void SetPlaced(PuzzleGame& game, std::int32_t n, std::int32_t placed) {
    game.panelSize = n;
    std::vector<std::int32_t> order;
    for (std::int32_t x = 1; x <= n; ++x) {
        for (std::int32_t y = 1; y <= n; ++y) order.push_back((y - 1) * n + x);
    }
    const std::size_t keep = static_cast<std::size_t>(placed);
    for (std::size_t i = 0; i < order.size(); ++i) {
        std::size_t from = i;
        if (i >= keep) from = i + 1 < order.size() ? i + 1 : keep;
        const std::int32_t x = static_cast<std::int32_t>(i) / n + 1;
        const std::int32_t y = static_cast<std::int32_t>(i) % n + 1;
        game.board[x][y] = order[from];
        game.pendingBoard[x][y] = order[from];
    }
}

struct PlacedCase {
    std::int32_t n, placed, percent;
};

std::ostream& operator<<(std::ostream& os, const PlacedCase& c) {
    return os << c.placed << " of " << c.n << "x" << c.n;
}

class PlacedPercentTest : public testing::TestWithParam<PlacedCase> {};

TEST_P(PlacedPercentTest, IsTheExactWholePercentOfPanelsAtHome) {
    const PlacedCase c = GetParam();
    RecordingOps ops;
    PuzzleGame game{ops};
    SetPlaced(game, c.n, c.placed);
    const PuzzleGame::Evaluation e = game.EvaluateBoard();
    EXPECT_EQ(e.placedCount, c.placed);
    EXPECT_EQ(e.placedPercent, c.percent);
    EXPECT_EQ(e.complete, c.placed == c.n * c.n);
}

INSTANTIATE_TEST_SUITE_P(Boards, PlacedPercentTest,
                         testing::Values(PlacedCase{10, 29, 29}, PlacedCase{10, 57, 57},
                                         PlacedCase{10, 58, 58}, PlacedCase{10, 0, 0},
                                         PlacedCase{10, 98, 98}, PlacedCase{10, 100, 100},
                                         PlacedCase{4, 14, 87}, PlacedCase{4, 16, 100},
                                         PlacedCase{5, 13, 52}, PlacedCase{8, 1, 1}));

struct ScoreCase {
    std::int32_t moves;
    std::uint32_t startTick, now;
    std::int32_t score;
};

std::ostream& operator<<(std::ostream& os, const ScoreCase& c) {
    return os << c.moves << " slides, ticks " << c.startTick << " to " << c.now;
}

class RunningScoreTest : public testing::TestWithParam<ScoreCase> {};

TEST_P(RunningScoreTest, SolvedBoardScoresFromSlidesAndTime) {
    const ScoreCase c = GetParam();
    RecordingOps ops;
    PuzzleGame game{ops};
    SetPlaced(game, 4, 16);
    game.moveCount = c.moves;
    game.startTick = c.startTick;
    ops.now = c.now;
    EXPECT_EQ(game.EvaluateBoard().runningScore, c.score);
}

INSTANTIATE_TEST_SUITE_P(
    Scores, RunningScoreTest,
    testing::Values(ScoreCase{50, 1000, 121000, 948},         // (10100 - 500 - 120) / 10
                    ScoreCase{0, 0, 5000, 1010},              // 1009.5 goes to the even neighbour
                    ScoreCase{1, 0, 5000, 1008},              // 1008.5 likewise
                    ScoreCase{0, 0, 15000, 1008},             // 1008.5
                    ScoreCase{0, 0, 25000, 1008},             // 1007.5
                    ScoreCase{0, 0, 2000, 1010},              // 1009.8
                    ScoreCase{0, 0, 0, 1010},                 //
                    ScoreCase{2000, 0, 60000, 0},             // many slides: never below 0
                    ScoreCase{0, 0, 200000000, 0},            // a very long game
                    ScoreCase{0, 4294967046u, 4750, 1010}));  // 5000 ms across the wrap

TEST(RunningScoreTest, PartlyPlacedBoardCountsItsPercentPlusOne) {
    RecordingOps ops;
    PuzzleGame game{ops};
    SetPlaced(game, 4, 14);  // 87 percent
    game.moveCount = 3;
    ops.now = 12000;
    // (88 * 100 - 30 - 12) / 10 = 875.8
    EXPECT_EQ(game.EvaluateBoard().runningScore, 876);
}

struct TickCase {
    std::uint32_t startTick, now;
    const char* timeCaption;
    const char* scoreCaption;
};

std::ostream& operator<<(std::ostream& os, const TickCase& c) {
    return os << "ticks " << c.startTick << " to " << c.now;
}

class ClockTickTest : public PuzzleTest, public testing::WithParamInterface<TickCase> {};

TEST_P(ClockTickTest, ShowsWholeSecondsAndTheRunningScore) {
    const TickCase c = GetParam();
    Start(4);
    SetPlaced(game, 4, 14);
    game.startTick = c.startTick;
    ops.now = c.now;
    game.Timer1_Timer();
    EXPECT_EQ(ops.timeCaptions, std::vector<std::string>{c.timeCaption});
    EXPECT_EQ(ops.scoreCaptions, std::vector<std::string>{c.scoreCaption});
}

INSTANTIATE_TEST_SUITE_P(Ticks, ClockTickTest,
                         testing::Values(TickCase{0, 999, " 0 ", " 880-87% "},
                                         TickCase{0, 1000, " 1 ", " 880-87% "},
                                         TickCase{7000, 8999, " 1 ", " 880-87% "},
                                         TickCase{0, 75000, " 75 ", " 872-87% "},
                                         // 3000 ms across the 32-bit wrap
                                         TickCase{4294966796u, 2500, " 3 ", " 880-87% "},
                                         // a game started just below the signed limit
                                         TickCase{2147483000u, 2147493648u, " 10 ", " 879-87% "}));

TEST_F(PuzzleTest, ClockPollsTheTuneOnlyWithMusicOn) {
    for (const bool music : {true, false}) {
        SCOPED_TRACE(music);
        game.musicOn = music;
        Start(4, 10);
        game.Timer1_Timer();
        game.Timer1_Timer();
        EXPECT_EQ(ops.Count("PollMusic"), music ? 2 : 0);
        EXPECT_EQ(ops.timeCaptions.size(), 2u);
    }
}

}  // namespace
}  // namespace zorvat::test

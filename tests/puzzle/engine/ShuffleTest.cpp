// The solved layout and the shuffle: invariants over many seeds and sizes, and the redraw of a
// refused direction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

TEST(ShuffleTest, FillSolvedNumbersPanelsRowByRowWithTheBlankBottomRight) {
    RecordingOps ops;
    PuzzleGame game{ops};
    game.panelSize = 4;
    game.FillSolved();
    const int rows[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
    for (int y = 1; y <= 4; ++y) {
        for (int x = 1; x <= 4; ++x) {
            EXPECT_EQ(game.board[x][y], rows[y - 1][x - 1]) << x << "," << y;
            EXPECT_EQ(game.pendingBoard[x][y], rows[y - 1][x - 1]) << x << "," << y;
        }
    }
}

TEST(ShuffleTest, KeepsAPermutationMirroredAndTheBlankParityOverSeedsAndSizes) {
    for (int n : {2, 3, 4, 5, 8, 10}) {
        for (int count : {-3, 0, 1, 2, 3, 50, 101}) {
            for (std::uint64_t seed = 0; seed < 40; ++seed) {
                SCOPED_TRACE(testing::Message()
                             << "N=" << n << " count=" << count << " seed=" << seed);
                RecordingOps ops;
                ops.random.seed(seed);
                PuzzleGame game{ops};
                game.panelSize = n;
                game.shuffleCount = count;
                game.FillSolved();
                game.Shuffle();

                std::vector<int> seen;
                for (int x = 1; x <= n; ++x) {
                    for (int y = 1; y <= n; ++y) {
                        seen.push_back(game.board[x][y]);
                        ASSERT_EQ(game.pendingBoard[x][y], game.board[x][y]) << x << "," << y;
                    }
                }
                std::sort(seen.begin(), seen.end());
                std::vector<int> expected(static_cast<std::size_t>(n * n));
                for (std::size_t i = 0; i < expected.size(); ++i)
                    expected[i] = static_cast<int>(i) + 1;
                ASSERT_EQ(seen, expected);

                const auto [bx, by] = FindBlank(game);
                const int slides = std::max(count, 0);
                EXPECT_EQ((bx + by) % 2 == 0, slides % 2 == 0);
                if (slides == 0) {
                    EXPECT_TRUE(IsSolved(game));
                }
            }
        }
    }
}

TEST(ShuffleTest, OneSlideFromSolvedMovesTheBlankUpOrLeftAndBothHappen) {
    std::set<std::pair<int, int>> ends;
    for (std::uint64_t seed = 0; seed < 64; ++seed) {
        RecordingOps ops;
        ops.random.seed(seed);
        PuzzleGame game{ops};
        game.shuffleCount = 1;
        game.FillSolved();
        game.Shuffle();
        const auto blank = FindBlank(game);
        EXPECT_TRUE(blank == std::make_pair(4, 3) || blank == std::make_pair(3, 4))
            << blank.first << "," << blank.second;
        ends.insert(blank);
    }
    EXPECT_EQ(ends.size(), 2u);
}

TEST(ShuffleTest, TenByTenUsesPanelsUpToOneHundred) {
    RecordingOps ops;
    PuzzleGame game{ops};
    game.panelSize = 10;
    game.shuffleCount = 300;
    game.FillSolved();
    game.Shuffle();
    EXPECT_NE(FindBlank(game), std::make_pair(0, 0)) << "panel 100 is the blank";
    EXPECT_FALSE(IsSolved(game));
    // Index 0 of either array is never written.
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(game.board[0][i], 0);
        EXPECT_EQ(game.board[i][0], 0);
    }
}

TEST(ShuffleTest, RefusedDirectionsAreDrawnAgainWithoutUsingUpASlide) {
    RecordingOps ops;
    PuzzleGame game{ops};
    game.shuffleCount = 2;
    // From (4, 4): down and right are refused, then up, then left.
    ops.scriptedRnd = {0.25, 0.75, 0.0, 0.5};
    game.FillSolved();
    game.Shuffle();
    EXPECT_EQ(ops.Count("Rnd"), 4);
    EXPECT_EQ(FindBlank(game), std::make_pair(3, 3));
    EXPECT_EQ(game.board[4][4], 12);
    EXPECT_EQ(game.board[4][3], 11);
    EXPECT_EQ(game.pendingBoard[4][3], 11);
}

TEST(ShuffleTest, DrawsOutsideTheUnitIntervalAreRefusedLikeAnEdge) {
    RecordingOps ops;
    PuzzleGame game{ops};
    game.shuffleCount = 1;
    // 0.99999 asks for right, refused at the edge; 0.0 asks for up.
    ops.scriptedRnd = {1.0, -0.1, std::nan(""), 0.99999, 0.0};
    game.FillSolved();
    game.Shuffle();
    EXPECT_EQ(ops.Count("Rnd"), 5);
    EXPECT_EQ(FindBlank(game), std::make_pair(4, 3));
}

// Alternates up and down, so every draw is one slide, and counts the draws.
struct UpDownOps : RecordingOps {
    std::int64_t draws = 0;
    double Rnd() override { return (draws++ % 2 == 0) ? 0.0 : 0.3; }
};

TEST(ShuffleTest, AHugeStoredCountIsCappedKeepingItsParity) {
    const struct {
        std::int32_t asked;
        std::int64_t made;
    } cases[] = {
        {5, 5},
        {kMaxShuffleSlides, kMaxShuffleSlides},
        {2000000, kMaxShuffleSlides},
        {2147483647, kMaxShuffleSlides - 1},
    };
    for (const auto& c : cases) {
        UpDownOps ops;
        PuzzleGame game{ops};
        game.shuffleCount = c.asked;
        game.FillSolved();
        game.Shuffle();
        EXPECT_EQ(ops.draws, c.made) << c.asked;
        EXPECT_EQ(game.shuffleCount, c.asked) << "the setting itself is kept";
    }
}

}  // namespace
}  // namespace zorvat::test

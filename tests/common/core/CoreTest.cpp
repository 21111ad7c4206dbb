// The plain parts of the toolkit: the twip mapping, the tick count and the random source.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "common/core/Clock.h"
#include "common/core/RandomSource.h"
#include "common/core/Twips.h"

namespace halvoria {
namespace {

TEST(Twips, PixelEdgeRoundsHalfUp) {
    struct Case {
        double twips;
        int edge;
    };
    const Case cases[] = {
        {0, 0},
        {7.4, 0},
        {7.5, 1},
        {14.9, 1},
        {15, 1},
        {22.5, 2},
        {1496, 100},
        {1496.25, 100},
        {2992.5, 200},
        {4488.75, 299},
        {5985, 399},
        {-7.5, 0},
        {-7.6, -1},
        {-22.5, -1},
        {9390, 626},
        {1e300, std::numeric_limits<int>::max()},
        {-1e300, std::numeric_limits<int>::min()},
        {std::nan(""), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixelEdge(c.twips), c.edge) << c.twips << " twips";
    }
}

TEST(Twips, CellsOfAnyGridTileTheWholePicture) {
    // Cells whose edges come from the same products cover each pixel exactly once, with widths
    // differing by at most one pixel.
    for (int pixels : {399, 301, 211, 173, 25}) {
        for (int n : {4, 5, 8, 10}) {
            const double cell = PixelsToTwips(pixels) / n;
            int covered = 0;
            for (int i = 0; i < n; ++i) {
                const int first = TwipsToPixelEdge(static_cast<float>(i * cell));
                const int last = TwipsToPixelEdge(static_cast<float>(i * cell) + cell);
                EXPECT_EQ(first, covered) << pixels << " px, N " << n << ", cell " << i;
                EXPECT_LE(std::abs((last - first) - pixels / static_cast<double>(n)), 1.0);
                covered = last;
            }
            EXPECT_EQ(covered, pixels) << pixels << " px, N " << n;
        }
    }
}

TEST(Clock, ElapsedSurvivesTheWrap) {
    EXPECT_EQ(ElapsedMs(100, 40), 60u);
    EXPECT_EQ(ElapsedMs(5, 0xFFFFFFF0u), 21u);
    EXPECT_EQ(ElapsedMs(0, 0xFFFFFFFFu), 1u);
    EXPECT_EQ(ElapsedMs(7, 7), 0u);
}

TEST(Clock, TickCountCountsMilliseconds) {
    const std::uint32_t start = TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t elapsed = ElapsedMs(TickCount(), start);
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 60000u);
}

TEST(RandomSource, SeededSequencesRepeatAndStayInRange) {
    RandomSource first;
    RandomSource second;
    first.Seed(12345);
    second.Seed(12345);
    double sum = 0;
    constexpr int kDraws = 20000;
    for (int i = 0; i < kDraws; ++i) {
        const double value = first.Rnd();
        ASSERT_EQ(value, second.Rnd());
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        sum += value;
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.02);

    // Ten panels chosen from the values hit every one of them.
    std::vector<int> hits(10, 0);
    for (int i = 0; i < 1000; ++i) ++hits[static_cast<int>(first.Rnd() * 10)];
    for (int count : hits) EXPECT_GT(count, 50);
}

TEST(RandomSource, RandomizeLeavesTheFixedStart) {
    RandomSource fixed;
    RandomSource randomized;
    randomized.Randomize();
    bool differs = false;
    for (int i = 0; i < 8; ++i) differs = differs || fixed.Rnd() != randomized.Rnd();
    EXPECT_TRUE(differs);

    RandomSource again;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    again.Randomize();
    RandomSource once;
    once.Randomize();
    EXPECT_NE(again.Rnd(), once.Rnd());
}

}  // namespace
}  // namespace halvoria

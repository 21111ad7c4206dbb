// Drawing of the board: grid-line positions for each size and picture shape, the arguments of the
// two per-cell primitives, and the full draw.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "puzzle/engine/PanelDrawing.h"
#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

std::vector<int> Steps(int step, int count) {
    std::vector<int> positions;
    for (int k = 1; k <= count; ++k) positions.push_back(k * step);
    return positions;
}

struct GridCase {
    double width, height;
    int n;
    std::vector<int> horizontal;  // y of XLine(1..)
    std::vector<int> vertical;    // x of YLINE(1..)
};

std::ostream& operator<<(std::ostream& os, const GridCase& c) {
    return os << c.width << "x" << c.height << " twips, N=" << c.n;
}

class GridLayoutTest : public testing::TestWithParam<GridCase> {};

TEST_P(GridLayoutTest, PlacesLinesOnWholeTwipsUpToTheFarEdge) {
    const GridCase& c = GetParam();
    RecordingOps ops;
    ops.pic.width = c.width;
    ops.pic.height = c.height;
    HideAllGridLines(ops);
    LayOutGridLines(ops, c.n);

    std::vector<int> horizontal, vertical;
    for (int k = 1; k <= 15; ++k) {
        const auto& x = ops.LineAt(GridLineArray::XLine, k);
        if (x.visible) {
            EXPECT_EQ(k, static_cast<int>(horizontal.size()) + 1) << "lines are numbered from 1";
            EXPECT_EQ(x.x1, 0);
            EXPECT_EQ(x.x2, static_cast<int>(c.width));
            EXPECT_EQ(x.y1, x.y2);
            horizontal.push_back(x.y1);
        }
        const auto& y = ops.LineAt(GridLineArray::YLINE, k);
        if (y.visible) {
            EXPECT_EQ(k, static_cast<int>(vertical.size()) + 1);
            EXPECT_EQ(y.y1, 0);
            EXPECT_EQ(y.y2, static_cast<int>(c.height));
            EXPECT_EQ(y.x1, y.x2);
            vertical.push_back(y.x1);
        }
    }
    EXPECT_EQ(horizontal, c.horizontal);
    EXPECT_EQ(vertical, c.vertical);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, GridLayoutTest,
    testing::Values(
        // The built-in picture, 5985 twips a side.
        GridCase{5985, 5985, 4, Steps(1496, 4), Steps(1496, 4)},
        GridCase{5985, 5985, 5, Steps(1197, 5), Steps(1197, 5)},
        GridCase{5985, 5985, 8, Steps(748, 8), Steps(748, 8)},
        GridCase{5985, 5985, 10, Steps(598, 10), Steps(598, 10)},  // 598.5 rounds to even
        // Not square: horizontal lines follow H / N, vertical ones W / N.
        GridCase{6000, 4500, 4, Steps(1125, 4), Steps(1500, 4)},
        // 4515 / 10 = 451.5 rounds up to 452, and a tenth line at 4520 would pass the edge.
        GridCase{4515, 5985, 10, Steps(598, 10), Steps(452, 9)},
        // One pixel a side: 1.5 twips round to 2.
        GridCase{15, 15, 10, Steps(2, 7), Steps(2, 7)},
        // Too small for a step of even one twip: no line, and no endless loop.
        GridCase{4, 4, 10, {}, {}}));

TEST_F(PuzzleTest, NewGameHidesLinesLeftFromALargerGrid) {
    Start(10);
    ASSERT_TRUE(ops.LineAt(GridLineArray::XLine, 10).visible);
    Start(4);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_EQ(ops.LineAt(GridLineArray::XLine, k).visible, k <= 4) << k;
        EXPECT_EQ(ops.LineAt(GridLineArray::YLINE, k).visible, k <= 4) << k;
    }
}

struct PanelCase {
    double width, height;
    int n, panel, x, y;
    RecordingSurface::Paint expected;
};

std::ostream& operator<<(std::ostream& os, const PanelCase& c) {
    return os << "panel " << c.panel << " into " << c.x << "," << c.y << " of N=" << c.n << " on "
              << c.width << "x" << c.height;
}

class DrawPanelTest : public testing::TestWithParam<PanelCase> {};

TEST_P(DrawPanelTest, CopiesThePanelsPieceOfThePictureIntoTheCell) {
    const PanelCase& c = GetParam();
    RecordingOps ops;
    ops.pic.width = ops.picSurface.width = c.width;
    ops.pic.height = ops.picSurface.height = c.height;
    DrawPanel(ops, c.n, c.panel, c.x, c.y);
    ASSERT_EQ(ops.pic.paints.size(), 1u);
    const auto& p = ops.pic.paints[0];
    EXPECT_EQ(p.source, &ops.picSurface);
    EXPECT_EQ(p.destLeft, c.expected.destLeft);
    EXPECT_EQ(p.destTop, c.expected.destTop);
    EXPECT_EQ(p.destWidth, c.expected.destWidth);
    EXPECT_EQ(p.destHeight, c.expected.destHeight);
    EXPECT_EQ(p.srcLeft, c.expected.srcLeft);
    EXPECT_EQ(p.srcTop, c.expected.srcTop);
    EXPECT_EQ(p.srcWidth, c.expected.srcWidth);
    EXPECT_EQ(p.srcHeight, c.expected.srcHeight);
    EXPECT_TRUE(ops.pic.fills.empty());
}

constexpr double kThird = 1000.0 / 3;

INSTANTIATE_TEST_SUITE_P(
    Panels, DrawPanelTest,
    testing::Values(
        PanelCase{5985,
                  5985,
                  4,
                  6,
                  1,
                  1,
                  {nullptr, 0, 0, 1496.25, 1496.25, 1496.25, 1496.25, 1496.25, 1496.25}},
        PanelCase{5985,
                  5985,
                  4,
                  1,
                  4,
                  4,
                  {nullptr, 4488.75f, 4488.75f, 1496.25, 1496.25, 0, 0, 1496.25, 1496.25}},
        PanelCase{
            6000, 4500, 4, 7, 4, 2, {nullptr, 4500, 1125, 1500, 1125, 3000, 1125, 1500, 1125}},
        // Edges between whole twips: the destination corner in single precision, the rest not.
        PanelCase{1000,
                  1000,
                  3,
                  8,
                  2,
                  3,
                  {nullptr, static_cast<float>(kThird), static_cast<float>(2 * kThird), kThird,
                   kThird, kThird, 2 * kThird, kThird, kThird}}));

TEST(PaintCellBlankTest, FillsTheCellWithThePictureBoxBackground) {
    RecordingOps ops;
    ops.pic.backColor = 0x123456;
    PaintCellBlank(ops, 4, 2, 3);
    ASSERT_EQ(ops.pic.fills.size(), 1u);
    const auto& f = ops.pic.fills[0];
    EXPECT_EQ(f.x1, 1496.25f);
    EXPECT_EQ(f.y1, 2992.5f);
    EXPECT_EQ(f.x2, 2992.5f);
    EXPECT_EQ(f.y2, 4488.75f);
    EXPECT_EQ(f.colour, 0x123456u);
    EXPECT_TRUE(ops.pic.paints.empty());
}

TEST_F(PuzzleTest, FullDrawClearsThenDrawsEveryPanelButTheBlank) {
    for (const int n : {4, 10}) {
        SCOPED_TRACE(n);
        Start(n, 100);
        DrawAllPanels(ops, game.panelSize, game.board);
        ASSERT_EQ(ops.log.front(), "ClearPicture");
        EXPECT_EQ(ops.pic.clears, 1);
        EXPECT_TRUE(ops.pic.fills.empty());
        ASSERT_EQ(ops.pic.paints.size(), static_cast<std::size_t>(n * n - 1));
        const double w = 5985.0 / n;
        std::set<int> drawn;
        for (const auto& p : ops.pic.paints) {
            const int col = static_cast<int>(p.srcLeft / w + 0.5);
            const int row = static_cast<int>(p.srcTop / w + 0.5);
            const int panel = row * n + col + 1;
            EXPECT_NE(panel, n * n);
            const int x = static_cast<int>(p.destLeft / w + 0.5) + 1;
            const int y = static_cast<int>(p.destTop / w + 0.5) + 1;
            EXPECT_EQ(game.board[x][y], panel) << "cell " << x << "," << y;
            drawn.insert(panel);
        }
        EXPECT_EQ(drawn.size(), static_cast<std::size_t>(n * n - 1));
    }
}

}  // namespace
}  // namespace zorvat::test

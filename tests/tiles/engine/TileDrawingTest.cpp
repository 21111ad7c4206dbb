// Drawing the board: the cell primitives pixel for pixel, RefreshPic's choice of cells and its
// commit, and the deal's drawing order and kinds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/tiles/engine/TileTestSupport.h"
#include "tiles/engine/TileDrawing.h"

namespace quendle::test {
namespace {

using Call = BoardSurface::Call;

TEST(WholeTwipsPerPixelTest, NearestWithHalvesToEven) {
    const struct {
        double in, out;
    } cases[] = {{15, 15},
                 {14.5, 14},
                 {15.5, 16},
                 {12.4, 12},
                 {7.5, 8},
                 {0.4, 0},
                 {0.5, 0},
                 {1.5, 2},
                 {-3, 0},
                 {std::nan(""), 0},
                 {std::numeric_limits<double>::infinity(), 0}};
    for (const auto& c : cases) EXPECT_EQ(WholeTwipsPerPixel(c.in), c.out) << c.in;
}

// A board where each cell's neighbours are all of other kinds, so a stray pixel shows.
Rows Mixed() {
    Rows rows(10, std::string(20, '0'));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) rows[y][x] = static_cast<char>('0' + (x + 2 * y) % 4);
    return rows;
}

TEST(CellDrawingTest, EmptyCellWhitensExactlyItsCell) {
    const struct { int x, y; } cells[] = {{0, 0}, {19, 0}, {0, 9}, {19, 9}, {7, 4}};
    for (const auto& c : cells) {
        BoardSurface pic(15);
        pic.Show(Mixed());
        TileCells(15, 15).EmptyCell(pic, c.x, c.y);
        Rows want = Mixed();
        want[c.y][c.x] = '.';
        EXPECT_EQ(pic.RasterMismatch(want), "") << "cell " << c.x << ", " << c.y;
    }
}

TEST(CellDrawingTest, DrawTileCopiesTheKindsSquareOfTheStrip) {
    StripSurface strip(15);
    for (int kind = 0; kind < 4; ++kind) {
        for (const auto& [x, y] : {std::pair{0, 0}, {19, 9}, {3, 8}}) {
            BoardSurface pic(15);
            Rows want = Mixed();
            want[y][x] = '.';
            pic.Show(want);
            TileCells(15, 15).DrawTile(pic, strip, kind, x, y);
            want[y][x] = static_cast<char>('0' + kind);
            EXPECT_EQ(pic.RasterMismatch(want), "") << "kind " << kind << " at " << x << ", " << y;
        }
    }
}

TEST(CellDrawingTest, CellSizeFollowsWholeTwipsPerPixel) {
    const TileCells cells(12.4, 15.6);
    EXPECT_EQ(cells.CellWidth(), 25 * 12);
    EXPECT_EQ(cells.CellHeight(), 25 * 16);
}

struct RefreshCase {
    const char* name;
    Rows board, pending;
    std::vector<Call> drawn;  // in drawing order
};

const Rows kLeft = {
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "01..................", "0123................",
};

const RefreshCase kRefreshes[] = {
    {"NothingChanged", kLeft, kLeft, {}},
    // Column 0 closed: column 1 moved into it. At (0, 9) a 1 replaces the 0 and is drawn; at
    // (1, 9) a 2 replaces the 1; the cells right of them change as well.
    {"ClosedColumnRedrawsOnlyChangedCells",
     kLeft,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "1...................",
      "123................."},
     {{Call::kTile, 0, 8, 1},
      {Call::kEmpty, 1, 8},
      {Call::kTile, 0, 9, 1},
      {Call::kTile, 1, 9, 2},
      {Call::kTile, 2, 9, 3},
      {Call::kEmpty, 3, 9}}},
    // Column 0 held 2 over 1 and column 1 the same: after column 0 closes, the tiles of column 1
    // stand where equal kinds stood, so only column 1 empties.
    {"SameKindMovedInIsNotDrawn",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "22..................",
      "11.................."},
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "2...................",
      "1..................."},
     {{Call::kEmpty, 1, 8}, {Call::kEmpty, 1, 9}}},
};

class RefreshTest : public testing::TestWithParam<RefreshCase> {};

TEST_P(RefreshTest, DrawsChangedCellsCommitsAndKeepsShownLayout) {
    const RefreshCase& c = GetParam();
    RecordingOps ops;
    TileGame game(ops);
    Load(game.board, c.board);
    Load(game.pendingBoard, c.pending);
    Load(game.previousBoard, Rows(10, std::string(20, '3')));
    ops.board.Show(c.board);

    game.RefreshPic();

    EXPECT_EQ(ops.board.calls, c.drawn);
    EXPECT_EQ(Text(game.board), c.pending);
    EXPECT_EQ(Text(game.pendingBoard), c.pending);
    EXPECT_EQ(Text(game.previousBoard), c.board);
    EXPECT_EQ(ops.board.RasterMismatch(c.pending), "");
}

INSTANTIATE_TEST_SUITE_P(Layouts, RefreshTest, testing::ValuesIn(kRefreshes),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(DealTest, KindOfEachDraw) {
    const struct {
        double r;
        int kind;
    } draws[] = {{0.0, 0},  {0.2499999, 0}, {0.25, 1}, {0.5, 2},
                 {0.75, 3}, {0.9999999, 3}, {1.0, 3},  {-0.1, 0}};  // the last two stray out
    for (const auto& d : draws) {
        RecordingOps ops;
        TileGame game(ops);
        ops.rnd.assign(200, d.r);
        game.GameStart_Click();
        EXPECT_EQ(Text(game.board), Rows(10, std::string(20, static_cast<char>('0' + d.kind))))
            << d.r;
    }
}

TEST(DealTest, DrawsEachTileAsChosenRowByRow) {
    // A layout with every kind at irregular places, dealt by scripted draws in row order.
    Rows want(10, std::string(20, '0'));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) want[y][x] = static_cast<char>('0' + (x * x + 3 * y) % 4);
    RecordingOps ops;
    TileGame game(ops);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ops.rnd.push_back((want[y][x] - '0' + 0.5) / 4);

    game.GameStart_Click();

    ASSERT_EQ(ops.board.calls.size(), 200u);
    for (int i = 0; i < 200; ++i) {
        const int x = i % 20, y = i / 20;
        EXPECT_EQ(ops.board.calls[i], (Call{Call::kTile, x, y, want[y][x] - '0'})) << i;
    }
    EXPECT_EQ(Text(game.board), want);
    EXPECT_EQ(Text(game.pendingBoard), want);
    EXPECT_EQ(Text(game.previousBoard), want);
    EXPECT_EQ(ops.board.RasterMismatch(want), "");
    EXPECT_EQ(ops.log.front(), "Randomize");
}

}  // namespace
}  // namespace quendle::test

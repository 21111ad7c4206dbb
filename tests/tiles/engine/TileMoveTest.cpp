// A press on the board: which group goes, how the tiles fall and the columns close, what is
// drawn, and which presses do nothing at all.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>

#include "tests/tiles/engine/TileTestSupport.h"

namespace quendle::test {
namespace {

struct MoveCase {
    const char* name;
    Rows before;
    int x, y;
    Rows after;
    int groupSize;  // 0: the press removes nothing
};

const Rows kFull = {
    "00123012301230123012", "12301230123012301230", "23012301230123012301", "30123012301230123012",
    "01230123012301230123", "12301230123012301230", "23012301230123012301", "30123012301230123012",
    "01230123012301230123", "12301230123012301230",
};

const MoveCase kMoves[] = {
    {"EmptyCell",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "1...................",
      "10.................."},
     1,
     8,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "1...................",
      "10.................."},
     0},
    {"LoneTile", kFull, 5, 5, kFull, 0},
    {"PairInTopRowOfFullBoard",
     kFull,
     1,
     0,
     {"..123012301230123012", "12301230123012301230", "23012301230123012301",
      "30123012301230123012", "01230123012301230123", "12301230123012301230",
      "23012301230123012301", "30123012301230123012", "01230123012301230123",
      "12301230123012301230"},
     2},
    // (2, 8) touches the pair only at a corner and stays; its column then closes up to column 0.
    {"DiagonalContactIsNoLink",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "..0.................",
      "001................."},
     0,
     9,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "0...................",
      "1..................."},
     2},
    // Eight tiles around a 2 go at once; the 2 falls, columns 0 and 2 close.
    {"RingAroundOtherKind",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "111.................", "121.................",
      "1113................"},
     0,
     9,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "....................",
      "23.................."},
     8},
    // The 1s in the middle of column 0 go; the 3 and 2 above fall two rows, keeping their order.
    {"GapInMiddleOfColumn",
     {"....................", "....................", "....................",
      "....................", "....................", "3...................",
      "22..................", "13..................", "12..................",
      "03.................."},
     0,
     7,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      ".2..................", "33..................", "22..................",
      "03.................."},
     2},
    {"ColumnZeroEmptied",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "0..................3",
      "01231231231231231231"},
     0,
     8,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "..................3.",
      "1231231231231231231."},
     2},
    {"TwoNeighbouringColumnsEmptied",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....2...............", "...22...............",
      "01322012301230123012"},
     3,
     8,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "....................",
      "013012301230123012.."},
     5},
    // The group spans columns 3 and 5 but column 4 keeps a tile: only the two outer columns
    // close.
    {"TwoColumnsEmptiedApart",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "...222..............",
      "0132321............."},
     3,
     8,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "....................",
      "01331..............."},
     5},
    {"RightmostColumnEmptied",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "...................3",
      "01230123012301230123"},
     19,
     9,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "....................",
      "0123012301230123012."},
     2},
    {"RightmostNonEmptyColumnEmptied",
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "..1.................",
      "201................."},
     2,
     9,
     {"....................", "....................", "....................",
      "....................", "....................", "....................",
      "....................", "....................", "....................",
      "20.................."},
     2},
    {"WholeBoardOfOneKind", Rows(10, std::string(20, '2')), 7, 4, EmptyRows(), 200},
};

class MoveTest : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveTest, RemovesGroupSettlesAndDrawsChangedCells) {
    const MoveCase& c = GetParam();
    RecordingOps ops;
    TileGame game(ops);
    SetAll(game, c.before);
    // A marker layout and score from an earlier move, to see whether they are kept.
    const Rows earlier = Rows(10, std::string(20, '3'));
    Load(game.previousBoard, earlier);
    game.score = 30;
    game.previousScore = 11;
    game.hiScore = 1000000;
    game.playing = true;
    ops.board.Show(c.before);

    Click(game, c.x, c.y);

    EXPECT_EQ(Text(game.board), c.after);
    EXPECT_EQ(Text(game.pendingBoard), c.after);
    EXPECT_EQ(ops.board.Shown(), c.after);
    EXPECT_EQ(ops.board.RasterMismatch(c.after), "");
    if (c.groupSize == 0) {
        EXPECT_TRUE(ops.board.calls.empty());
        EXPECT_EQ(Text(game.previousBoard), earlier);
        EXPECT_EQ(game.score, 30);
        EXPECT_EQ(game.previousScore, 11);
        return;
    }
    EXPECT_EQ(game.groupSize, c.groupSize);
    EXPECT_EQ(Text(game.previousBoard), c.before);
    EXPECT_EQ(game.previousScore, 30);
    const bool cleared = c.after == EmptyRows();
    EXPECT_EQ(game.score, 30 + c.groupSize * c.groupSize + (cleared ? 5000 : 0));

    // Exactly the cells that changed are drawn, once each.
    std::set<std::pair<int, int>> changed, drawn;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            if (c.before[y][x] != c.after[y][x]) changed.insert({x, y});
    for (const auto& call : ops.board.calls) {
        ASSERT_NE(call.x, -1) << "a drawing call that is not one cell";
        EXPECT_TRUE(drawn.insert({call.x, call.y}).second) << "cell drawn twice";
    }
    EXPECT_EQ(drawn, changed);
}

INSTANTIATE_TEST_SUITE_P(Board, MoveTest, testing::ValuesIn(kMoves),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(MoveTest, PressBeforeFirstDealDoesNothing) {
    RecordingOps ops;
    TileGame game(ops);
    Click(game, 3, 3);
    EXPECT_EQ(Text(game.board), EmptyRows());
    EXPECT_TRUE(ops.board.calls.empty());
    EXPECT_TRUE(ops.log.empty());
}

// A press anywhere outside the 20 x 10 cells on a board of one kind: if it were taken as a cell,
// the whole board would go.
struct OutsidePress {
    const char* name;
    double tpp;
    float x, y;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

const OutsidePress kOutside[] = {
    {"SparePixelColumn", 15, 500 * 15, 100 * 15},
    {"SparePixelRow", 15, 100 * 15, 250 * 15},
    {"SpareCorner", 15, 500 * 15, 250 * 15},
    {"LeftOfBoard", 15, -1, 100},
    {"AboveBoard", 15, 100, -0.5f},
    {"FarOff", 15, 3.0e38f, 3.0e38f},
    {"NotANumber", 15, kNaN, 100},
    {"BeyondCellsAt120Dpi", 12, 505 * 12, 100 * 12},
    {"BelowCellsAt120Dpi", 12, 100 * 12, 260 * 12},
    {"BeyondCellsAt192Dpi", 7.5, 500 * 7.5, 10 * 7.5},
    {"SpareColumnAt72Dpi", 20, 500 * 20, 10 * 20},
    {"NoTwipsPerPixel", 0, 100, 100},
};

class OutsidePressTest : public testing::TestWithParam<OutsidePress> {};

TEST_P(OutsidePressTest, LeavesBoardScoreAndSpareCellsAlone) {
    const OutsidePress& p = GetParam();
    RecordingOps ops(p.tpp);
    TileGame game(ops);
    const Rows full(10, std::string(20, '1'));
    SetAll(game, full);
    game.score = 17;

    game.GamePic_MouseDown(1, 0, p.x, p.y);

    EXPECT_EQ(Text(game.board), full);
    EXPECT_EQ(Text(game.pendingBoard), full);
    EXPECT_EQ(game.score, 17);
    EXPECT_TRUE(ops.board.calls.empty());
    for (int x = 0; x <= 20; ++x) {
        for (int y = 0; y <= 10; ++y) {
            if (x < 20 && y < 10) continue;
            EXPECT_EQ(game.board[x][y], 0);
            EXPECT_EQ(game.pendingBoard[x][y], 0);
            EXPECT_EQ(game.previousBoard[x][y], 0);
            EXPECT_EQ(game.marked[x][y], 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Press, OutsidePressTest, testing::ValuesIn(kOutside),
                         [](const auto& test) { return std::string(test.param.name); });

// Which cell a press lands in, with the screen's twips per pixel used as reported. A
// checkerboard has no groups, so the press only marks the cell it found.
struct CellPress {
    const char* name;
    double tpp;
    double px, py;  // pointer position in pixels
    int x, y;
};

const CellPress kCells[] = {
    {"TopLeftCorner", 15, 0, 0, 0, 0},
    {"LastPixelOfFirstCell", 15, 24.9, 24.9, 0, 0},
    {"FirstPixelOfSecondCell", 15, 25, 25, 1, 1},
    {"LastCell", 15, 499.5, 249.5, 19, 9},
    {"At120Dpi", 12, 30, 51, 1, 2},
    {"LastCellAt120Dpi", 12, 499, 249, 19, 9},
    // 7.5 twips per pixel, not rounded to 8: pixel 26 lies in column 1.
    {"FractionalTwipsPerPixel", 7.5, 26, 26, 1, 1},
    {"At72Dpi", 20, 499, 249, 19, 9},
};

class CellPressTest : public testing::TestWithParam<CellPress> {};

TEST_P(CellPressTest, FindsCell) {
    const CellPress& p = GetParam();
    RecordingOps ops(p.tpp);
    TileGame game(ops);
    Rows checker(10, std::string(20, '0'));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) checker[y][x] = (x + y) % 2 ? '1' : '0';
    SetAll(game, checker);

    game.GamePic_MouseDown(2, 1, static_cast<float>(p.px * p.tpp),
                           static_cast<float>(p.py * p.tpp));

    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y)
            EXPECT_EQ(game.marked[x][y], x == p.x && y == p.y ? -1 : 0)
                << "cell (" << x << ", " << y << ")";
    EXPECT_EQ(game.groupSize, 1);
    EXPECT_EQ(Text(game.board), checker);
}

INSTANTIATE_TEST_SUITE_P(Press, CellPressTest, testing::ValuesIn(kCells),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace quendle::test

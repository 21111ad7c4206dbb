// The keyboard and the group preview: the cell cursor's moves, a key press as a press at the
// cell's centre, the group and points a press would remove on text boards and on random boards
// against the real removal, the preview leaving every piece of state alone, a game cleared by
// keys alone, and the board read out in words.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>

#include "tests/tiles/engine/TileTestSupport.h"
#include "tiles/engine/CellCursor.h"
#include "tiles/engine/TileText.h"

namespace quendle::test {
namespace {

// Rows 8 and 9: three 0s in an L, ten 1s in a row, singles; a ring of 3s round a 1 above.
const Rows kBoard = {
    "....................", "....................", "....................", "....................",
    "....................", "...............333..", "...............313..", "...............333..",
    "0...................", "00111111111123023023",
};

std::set<std::pair<int, int>> Members(const GroupPreview& preview) {
    std::set<std::pair<int, int>> cells;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y)
            if (preview.member[x][y]) cells.insert({x, y});
    return cells;
}

class TileKeyTest : public testing::Test {
  protected:
    TileKeyTest() : game(ops) {}
    void Start(const Rows& rows) {
        SetAll(game, rows);
        ops.board.Show(rows);
        game.playing = true;
    }
    RecordingOps ops;
    TileGame game;
};

TEST_F(TileKeyTest, PreviewNamesTheGroupAndItsPoints) {
    Start(kBoard);
    const struct {
        int x, y, size;
        std::set<std::pair<int, int>> some;  // cells that must be in the group
    } cases[] = {
        {0, 9, 3, {{0, 9}, {1, 9}, {0, 8}}},
        {1, 9, 3, {{0, 8}}},
        {7, 9, 10, {{2, 9}, {11, 9}}},
        {15, 5, 8, {{15, 5}, {17, 7}, {16, 7}}},  // the ring, not the 1 inside
        {16, 6, 0, {}},                           // the 1 inside the ring is alone
        {12, 9, 0, {}},                           // a single tile
        {5, 8, 0, {}},                            // an empty cell
        {20, 9, 0, {}},                           // the spare column
        {-1, 0, 0, {}},
        {0, 10, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.x << "," << c.y);
        const GroupPreview preview = game.PreviewGroup(c.x, c.y);
        EXPECT_EQ(preview.size, c.size);
        EXPECT_EQ(preview.points, c.size * c.size);
        const auto members = Members(preview);
        EXPECT_EQ(static_cast<int>(members.size()), c.size);
        for (const auto& cell : c.some) EXPECT_TRUE(members.count(cell)) << cell.first;
        if (c.size == 8) {
            EXPECT_FALSE(members.count({16, 6}));
        }
    }
    EXPECT_EQ(PreviewCaption(game.PreviewGroup(7, 9)), "10 枚 100 点");
}

TEST_F(TileKeyTest, NoPreviewWhileNoGameRuns) {
    Start(kBoard);
    game.playing = false;
    EXPECT_EQ(game.PreviewGroup(7, 9).size, 0);
    EXPECT_TRUE(Members(game.PreviewGroup(7, 9)).empty());
}

// The preview is read-only: no field, no label, no box, no drawing.
TEST_F(TileKeyTest, PreviewLeavesScoreTakeBackAndBestAlone) {
    Start(kBoard);
    Click(game, 0, 9);  // a real removal first, so the take-back holds something
    game.hiScore = 77;
    ops.log.clear();
    ops.board.calls.clear();
    TileGame before(ops);
    std::memcpy(before.board, game.board, sizeof game.board);
    std::memcpy(before.pendingBoard, game.pendingBoard, sizeof game.pendingBoard);
    std::memcpy(before.previousBoard, game.previousBoard, sizeof game.previousBoard);
    std::memcpy(before.marked, game.marked, sizeof game.marked);
    for (int x = -1; x <= 20; ++x)
        for (int y = -1; y <= 10; ++y) (void)game.PreviewGroup(x, y);
    EXPECT_EQ(std::memcmp(before.board, game.board, sizeof game.board), 0);
    EXPECT_EQ(std::memcmp(before.pendingBoard, game.pendingBoard, sizeof game.board), 0);
    EXPECT_EQ(std::memcmp(before.previousBoard, game.previousBoard, sizeof game.board), 0);
    EXPECT_EQ(std::memcmp(before.marked, game.marked, sizeof game.marked), 0);
    EXPECT_EQ(game.groupSize, 3);
    EXPECT_EQ(game.score, 9);
    EXPECT_EQ(game.previousScore, 0);
    EXPECT_EQ(game.hiScore, 77);
    EXPECT_TRUE(ops.log.empty());
    EXPECT_TRUE(ops.board.calls.empty());
    // The take-back still restores the layout before the real removal.
    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), kBoard);
    EXPECT_EQ(game.score, 0);
}

// On random boards the preview of every cell is exactly what a press there removes.
TEST_F(TileKeyTest, PreviewMatchesTheRemovalOnRandomBoards) {
    RecordingOps quiet(15.0, false);
    TileGame dealt(quiet);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        quiet.Seed(seed);
        dealt.GameStart_Click();
        for (int x = 0; x < 20; ++x) {
            for (int y = 0; y < 10; ++y) {
                TileGame copy(quiet);
                std::memcpy(copy.board, dealt.board, sizeof dealt.board);
                std::memcpy(copy.pendingBoard, dealt.board, sizeof dealt.board);
                copy.playing = true;
                const GroupPreview preview = copy.PreviewGroup(x, y);
                Click(copy, x, y);
                if (copy.groupSize < 2) {
                    ASSERT_EQ(preview.size, 0) << seed << ": " << x << "," << y;
                    continue;
                }
                ASSERT_EQ(preview.size, copy.groupSize) << seed << ": " << x << "," << y;
                ASSERT_EQ(copy.score, preview.points);
                for (int i = 0; i < 20; ++i)
                    for (int j = 0; j < 10; ++j)
                        ASSERT_EQ(preview.member[i][j], copy.marked[i][j] != 0) << i << "," << j;
            }
        }
    }
}

TEST(CellCursorTest, FirstArrowShowsItThenArrowsMoveItWithinTheBoard) {
    CellCursor cursor;
    EXPECT_FALSE(cursor.Shown());
    cursor.Arrow(1, 0);
    EXPECT_TRUE(cursor.Shown());
    EXPECT_EQ(std::make_pair(cursor.X(), cursor.Y()), std::make_pair(0, 9));
    const struct {
        int dx, dy, times, x, y;
    } moves[] = {
        {-1, 0, 1, 0, 9},    // the left edge
        {0, 1, 1, 0, 9},     // the bottom edge
        {1, 0, 25, 19, 9},   // to the right edge and no further
        {0, -1, 15, 19, 0},  // to the top edge and no further
        {-1, 0, 3, 16, 0},  {0, 1, 2, 16, 2},
    };
    for (const auto& m : moves) {
        for (int i = 0; i < m.times; ++i) cursor.Arrow(m.dx, m.dy);
        EXPECT_EQ(std::make_pair(cursor.X(), cursor.Y()), std::make_pair(m.x, m.y));
    }
    cursor.Hide();
    EXPECT_FALSE(cursor.Shown());
    cursor.Arrow(0, 1);  // shows it again where it was
    EXPECT_EQ(std::make_pair(cursor.X(), cursor.Y()), std::make_pair(16, 2));
}

TEST_F(TileKeyTest, AKeyPressIsAPressAtTheCellsCentreAtEveryDensity) {
    for (const double tpp : {15.0, 12.0, 7.5, 20.0}) {
        SCOPED_TRACE(tpp);
        ops.tppX = ops.tppY = tpp;
        Start(kBoard);
        game.score = 0;
        game.GamePic_KeyPress(19, 9);  // the last cell, next to the spare edge: a single
        EXPECT_EQ(game.score, 0);
        game.GamePic_KeyPress(11, 9);  // the last of the ten 1s
        EXPECT_EQ(game.score, 100);
        game.GamePic_KeyPress(20, 9);  // beyond the board: nothing
        game.GamePic_KeyPress(0, -1);
        EXPECT_EQ(game.score, 100);
    }
}

// Two halves of one kind each: two key presses on the cursor's first cell clear the board.
TEST_F(TileKeyTest, AGameClearedByKeysAlone) {
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ops.rnd.push_back(x < 10 ? 0.1 : 0.6);
    game.hiScore = 100;
    game.GameStart_Click();
    CellCursor cursor;
    cursor.Arrow(0, 1);
    EXPECT_EQ(game.PreviewGroup(cursor.X(), cursor.Y()).points, 10000);
    game.GamePic_KeyPress(cursor.X(), cursor.Y());
    EXPECT_EQ(game.score, 10000);
    EXPECT_EQ(game.PreviewGroup(cursor.X(), cursor.Y()).size, 100);
    game.GamePic_KeyPress(cursor.X(), cursor.Y());
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(game.score, 25000);
    EXPECT_EQ(game.hiScore, 25000);
    ASSERT_EQ(ops.boxes.size(), 1u);
    EXPECT_EQ(ops.boxes[0].text, "Congratuations! ゲームクリア\r\n\r\nハイスコア！：25000");
    EXPECT_EQ(game.PreviewGroup(cursor.X(), cursor.Y()).size, 0);
}

TEST_F(TileKeyTest, TheBoardInWords) {
    EXPECT_EQ(BoardDescription(game, -1, -1),
              "コインはありません。スコア 0。F2 で新しいゲームを開始します。");
    Start(kBoard);
    game.score = 40;
    EXPECT_EQ(BoardName(), "コインの盤");
    EXPECT_EQ(BoardDescription(game, -1, -1), "残り 30 枚。スコア 40。");
    EXPECT_EQ(BoardDescription(game, 7, 9),
              "残り 30 枚。スコア 40。8 列 10 行：銅貨 10、10 枚 100 点。");
    EXPECT_EQ(BoardDescription(game, 12, 9),
              "残り 30 枚。スコア 40。13 列 10 行：銀貨 50（穴あき）、消せません。");
    EXPECT_EQ(BoardDescription(game, 3, 3), "残り 30 枚。スコア 40。4 列 4 行：空き。");
    EXPECT_EQ(KindName(0), "金貨（穴あき）");
    EXPECT_EQ(KindName(3), "銀貨 500");
    EXPECT_EQ(CellDescription(game, 0, 8), "1 列 9 行、3 枚 9 点");
    EXPECT_EQ(CellDescription(game, 0, 0), "1 列 1 行");
}

}  // namespace
}  // namespace quendle::test

// The arrow keys: which panel each arrow slides from every kind of blank position, a key with
// nothing to slide, keys outside a game, a whole game played by keys alone, and the board read
// out in words.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/engine/BoardText.h"
#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

constexpr const char* kBlankTopLeft = R"(
    16  1  2  3
     5  6  7  4
     9 10 11  8
    13 14 15 12)";
constexpr const char* kSolved = R"(
     1  2  3  4
     5  6  7  8
     9 10 11 12
    13 14 15 16)";
constexpr const char* kBlankInside = R"(
     1  2  3  4
     5  6  7  8
     9 10 16 12
    13 14 15 11)";
constexpr const char* kBlankTopRight = R"(
     1  2  3 16
     5  6  7  4
     9 10 11  8
    13 14 15 12)";

struct KeyCase {
    const char* board;
    ArrowKey key;
    int panel;  // the panel that slides into the blank; 0 when none may
};

std::ostream& operator<<(std::ostream& os, const KeyCase& c) {
    const char* names[] = {"Left", "Right", "Up", "Down"};
    return os << names[static_cast<int>(c.key)] << " expecting panel " << c.panel;
}

class ArrowKeyTest : public PuzzleTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(ArrowKeyTest, SlidesThePanelOnTheFarSideOfTheBlankTowardsTheArrow) {
    const KeyCase c = GetParam();
    StartOn(c.board);
    const auto [bx, by] = FindBlank(game);
    ops.now = 4000;
    game.Pic_KeyDown(c.key);

    // Like every press, the key is evaluated and shown, whether it slid or not.
    ASSERT_EQ(ops.scoreCaptions.size(), 1u);
    if (c.panel == 0) {
        EXPECT_EQ(FindBlank(game), std::make_pair(bx, by));
        EXPECT_EQ(game.moveCount, 0);
        EXPECT_EQ(ops.Count("PlayMoveSound"), 0);
        EXPECT_TRUE(ops.timesCaptions.empty());
        EXPECT_TRUE(ops.pic.paints.empty());
        return;
    }
    EXPECT_EQ(game.board[bx][by], c.panel);
    EXPECT_EQ(game.moveCount, 1);
    EXPECT_EQ(ops.Count("PlayMoveSound"), 1);
    EXPECT_EQ(ops.timesCaptions, std::vector<std::string>{" 1 "});
    // The panel moved the arrow's way: the blank is now where it was.
    const auto [nx, ny] = FindBlank(game);
    const int dx = bx - nx;
    const int dy = by - ny;
    switch (c.key) {
        case ArrowKey::Left:
            EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(-1, 0));
            break;
        case ArrowKey::Right:
            EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(1, 0));
            break;
        case ArrowKey::Up:
            EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(0, -1));
            break;
        case ArrowKey::Down:
            EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(0, 1));
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryEdge, ArrowKeyTest,
    testing::Values(
        // Blank in the top-left corner: only Left and Up have a panel to slide.
        KeyCase{kBlankTopLeft, ArrowKey::Left, 1}, KeyCase{kBlankTopLeft, ArrowKey::Right, 0},
        KeyCase{kBlankTopLeft, ArrowKey::Up, 5}, KeyCase{kBlankTopLeft, ArrowKey::Down, 0},
        // Blank in the top-right corner.
        KeyCase{kBlankTopRight, ArrowKey::Left, 0}, KeyCase{kBlankTopRight, ArrowKey::Right, 3},
        KeyCase{kBlankTopRight, ArrowKey::Up, 4}, KeyCase{kBlankTopRight, ArrowKey::Down, 0},
        // Blank in the bottom-right corner (the solved board, where a key that slides nothing
        // completes the game; see below).
        KeyCase{kSolved, ArrowKey::Right, 15}, KeyCase{kSolved, ArrowKey::Down, 12},
        // Blank inside: every arrow slides.
        KeyCase{kBlankInside, ArrowKey::Left, 12}, KeyCase{kBlankInside, ArrowKey::Right, 10},
        KeyCase{kBlankInside, ArrowKey::Up, 15}, KeyCase{kBlankInside, ArrowKey::Down, 7}));

TEST_F(PuzzleTest, AKeyThatSlidesNothingOnASolvedBoardCompletesTheGameLikeAPress) {
    for (const ArrowKey key : {ArrowKey::Left, ArrowKey::Up}) {
        StartOn(kSolved);
        ops.now = 2000;
        game.Pic_KeyDown(key);
        EXPECT_FALSE(game.playing);
        EXPECT_EQ(game.moveCount, 0);
        ASSERT_EQ(ops.recordedScores.size(), 1u);
        EXPECT_EQ(ops.recordedScores[0], std::make_pair(4, 1010));
        ASSERT_EQ(ops.boxes.size(), 1u);
        EXPECT_EQ(ops.boxes[0].text, CompletionMessage(1010, false));
    }
}

TEST_F(PuzzleTest, KeysOutsideAGameDoNothing) {
    // Before the first game the arrays are empty; after giving up the board stays as it was.
    for (const ArrowKey key : {ArrowKey::Left, ArrowKey::Right, ArrowKey::Up, ArrowKey::Down}) {
        game.Pic_KeyDown(key);
    }
    EXPECT_TRUE(ops.log.empty());
    StartOn(kBlankInside);
    game.EndGame();
    ops.Forget();
    game.Pic_KeyDown(ArrowKey::Left);
    EXPECT_TRUE(ops.log.empty());
    EXPECT_EQ(game.board[3][3], 16);
}

// A game from a shuffled board to its completion by arrow keys alone: the blank's path through
// the shuffle, walked backwards.
TEST_F(PuzzleTest, AWholeGameByKeysAlone) {
    for (const int n : {4, 10}) {
        SCOPED_TRACE(n);
        std::vector<std::pair<int, int>> path;
        ops.onRnd = [&] {
            const auto blank = FindBlank(game);
            if (path.empty() || path.back() != blank) path.push_back(blank);
        };
        game.panelSize = n;
        game.shuffleCount = 60;
        game.Game_Start_Click();
        ops.onRnd = nullptr;
        if (path.back() != FindBlank(game)) path.push_back(FindBlank(game));
        ops.Forget();

        int keys = 0;
        for (std::size_t i = path.size() - 1; i > 0 && game.playing; --i) {
            const auto [tx, ty] = path[i];
            const auto [fx, fy] = path[i - 1];
            // The blank goes back to (fx, fy): the panel there slides towards the blank.
            const ArrowKey key = fx > tx   ? ArrowKey::Left
                                 : fx < tx ? ArrowKey::Right
                                 : fy > ty ? ArrowKey::Up
                                           : ArrowKey::Down;
            ops.now += 500;
            game.Pic_KeyDown(key);
            ++keys;
            ASSERT_EQ(game.moveCount, keys);
            ASSERT_EQ(FindBlank(game), std::make_pair(fx, fy));
        }
        EXPECT_FALSE(game.playing);
        EXPECT_TRUE(IsSolved(game));
        EXPECT_EQ(ops.Count("PlayMoveSound"), keys);
        ASSERT_EQ(ops.recordedScores.size(), 1u);
        EXPECT_EQ(ops.recordedScores[0].first, n);
        ASSERT_EQ(ops.boxes.size(), 1u);
        EXPECT_EQ(ops.boxes[0].code, 64);
        ops.Forget();
    }
}

TEST_F(PuzzleTest, TheBoardInWords) {
    game.panelSize = 5;
    EXPECT_EQ(BoardDescription(game), "5×5。ゲームは進行していません。F2 で開始します。");
    EXPECT_EQ(ReadableCells(game), 0);

    StartOn(kBlankInside);
    EXPECT_EQ(BoardName(), "パズルの盤");
    EXPECT_EQ(BoardDescription(game),
              "4×4。正しい位置のパネル 14／16。空きマスは 3 列 3 行。"
              "空きマスの左 パネル 10、右 パネル 12、上 パネル 7、下 パネル 15。");
    EXPECT_EQ(ReadableCells(game), 16);
    EXPECT_EQ(PanelName(game, 3, 3), "空きマス");
    EXPECT_EQ(PanelName(game, 4, 4), "パネル 11");
    EXPECT_EQ(PanelDescription(game, 4, 4), "4 列 4 行、正しい位置は 3 列 3 行");
    EXPECT_EQ(PanelDescription(game, 1, 1), "1 列 1 行、正しい位置");

    // A blank on the edge has no panel beyond it.
    SetBoard(game, kBlankTopLeft);
    EXPECT_EQ(BoardDescription(game),
              "4×4。正しい位置のパネル 9／16。空きマスは 1 列 1 行。"
              "空きマスの左 なし、右 パネル 1、上 なし、下 パネル 5。");
}

}  // namespace
}  // namespace zorvat::test

// Scores, the cleared board, the give-up, the take-back, the new game, the best-score clearing
// and the music tick, seen through the recorded captions, boxes and music calls.
#include <gtest/gtest.h>

#include "tests/tiles/engine/TileTestSupport.h"

namespace quendle::test {
namespace {

using Log = std::vector<std::string>;

// Bottom row: a pair of 0s, ten 1s in a row, then kinds that form no group.
const Rows kGroups = {
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "00111111111123023023",
};

class TileScoreTest : public testing::Test {
  protected:
    TileScoreTest() : game(ops) {}
    void Start(const Rows& rows, std::int32_t score = 0) {
        SetAll(game, rows);
        ops.board.Show(rows);
        game.score = score;
        game.playing = true;
    }
    RecordingOps ops;
    TileGame game;
};

TEST_F(TileScoreTest, RemovalAddsSquareOfGroupAndKeepsScoreBefore) {
    const struct { int x, gain; } removals[] = {{0, 4}, {5, 100}};
    for (const auto& r : removals) {
        Start(kGroups, 50);
        Click(game, r.x, 9);
        EXPECT_EQ(game.score, 50 + r.gain);
        EXPECT_EQ(game.previousScore, 50);
        EXPECT_EQ(ops.scoreCaption, std::to_string(50 + r.gain));
        EXPECT_TRUE(game.playing);
        EXPECT_TRUE(ops.boxes.empty());
    }
}

const Rows kLastPair = {
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "33..................",
};

struct ClearCase {
    const char* name;
    std::int32_t hiScore;
    bool musicOn;
    std::string text;
    std::int32_t hiAfter;
};

const ClearCase kClears[] = {
    {"NoNewBest", 9000, true, "Congratuations! ゲームクリア", 9000},
    {"EqualIsNoNewBest", 5104, false, "Congratuations! ゲームクリア", 5104},
    {"NewBest", 5000, true, "Congratuations! ゲームクリア\r\n\r\nハイスコア！：5104", 5104},
    {"NewBestMusicOff", 0, false, "Congratuations! ゲームクリア\r\n\r\nハイスコア！：5104", 5104},
};

class ClearTest : public TileScoreTest, public testing::WithParamInterface<ClearCase> {};

TEST_P(ClearTest, BonusMessageBestAndMusic) {
    const ClearCase& c = GetParam();
    Start(kLastPair, 100);
    game.hiScore = c.hiScore;
    game.musicOn = c.musicOn;

    Click(game, 1, 9);

    EXPECT_EQ(game.score, 5104);
    EXPECT_EQ(game.previousScore, 100);
    EXPECT_EQ(game.hiScore, c.hiAfter);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(ops.boxes, (std::vector<Box>{{c.text, 64, "Colvane"}}));
    Log want = {"Score:104", "Score:5104", "HScore:" + std::to_string(c.hiAfter), "Box:64"};
    if (c.musicOn) want.push_back("CloseMusic");
    EXPECT_EQ(ops.log, want);
    EXPECT_EQ(Text(game.board), EmptyRows());
    EXPECT_EQ(Text(game.previousBoard), kLastPair);
}

INSTANTIATE_TEST_SUITE_P(Clear, ClearTest, testing::ValuesIn(kClears),
                         [](const auto& test) { return std::string(test.param.name); });

// A board with the given number of tiles, filled from the bottom row up.
Rows WithTiles(int count) {
    Rows rows = EmptyRows();
    for (int i = 0; i < count; ++i) rows[9 - i / 20][i % 20] = static_cast<char>('0' + i % 4);
    return rows;
}

TEST_F(TileScoreTest, GiveUpBonusByTilesLeft) {
    const struct {
        int tiles, bonus;
    } cases[] = {{0, 400}, {1, 361}, {10, 100}, {15, 25}, {19, 1}, {20, 0}, {25, 0}, {200, 0}};
    for (const auto& c : cases) {
        ops.log.clear();
        Start(WithTiles(c.tiles), 1000);
        game.previousScore = 990;
        game.hiScore = 1000000;
        ops.answers = {6};

        game.GameReset_Click();

        EXPECT_EQ(game.score, 1000 + c.bonus) << c.tiles;
        EXPECT_EQ(game.previousScore, 990);
        EXPECT_EQ(ops.log, (Log{"Box:36", "Score:" + std::to_string(1000 + c.bonus), "DoEvents",
                                "Clear", "CloseMusic"}))
            << c.tiles;
        EXPECT_EQ(ops.boxes.back(), (Box{"ギブアップします。よろしいですか？", 36, "Colvane"}));
        EXPECT_EQ(Text(game.board), EmptyRows());
        EXPECT_EQ(Text(game.pendingBoard), EmptyRows());
        EXPECT_EQ(Text(game.previousBoard), EmptyRows());
        EXPECT_EQ(ops.board.RasterMismatch(EmptyRows()), "");
        EXPECT_FALSE(game.playing);
    }
}

TEST_F(TileScoreTest, GiveUpWithNewBestAnnouncesItAfterTheLabelRepaints) {
    Start(WithTiles(10), 1000);
    game.hiScore = 1050;
    game.musicOn = false;
    ops.answers = {6};

    game.GameReset_Click();

    EXPECT_EQ(game.hiScore, 1100);
    EXPECT_EQ(ops.boxes.back(), (Box{"ハイスコア！：1100Points", 64, "Colvane"}));
    EXPECT_EQ(ops.log, (Log{"Box:36", "Score:1100", "DoEvents", "Box:64", "HScore:1100", "Clear"}));
}

TEST_F(TileScoreTest, GiveUpAnsweredNoChangesNothing) {
    Start(kGroups, 70);
    ops.answers = {7};
    game.GameReset_Click();
    EXPECT_EQ(ops.log, Log{"Box:36"});
    EXPECT_EQ(Text(game.board), kGroups);
    EXPECT_EQ(game.score, 70);
    EXPECT_TRUE(game.playing);
}

TEST_F(TileScoreTest, GiveUpOutsideAGameDoesNothing) {
    // Before the first deal, after a clear and after a give-up: no question, no points.
    game.GameReset_Click();
    EXPECT_TRUE(ops.log.empty());

    Start(kLastPair, 100);
    Click(game, 0, 9);
    ops.log.clear();
    const std::int32_t cleared = game.score, best = game.hiScore;
    game.GameReset_Click();
    game.GameReset_Click();
    EXPECT_TRUE(ops.log.empty());
    EXPECT_EQ(game.score, cleared);
    EXPECT_EQ(game.hiScore, best);
}

TEST_F(TileScoreTest, GiveUpQueuedDuringGiveUpIsIgnored) {
    Start(WithTiles(5), 0);
    ops.answers = {6, 6};
    ops.onDoEvents = [&] { game.GameReset_Click(); };
    game.GameReset_Click();
    EXPECT_EQ(game.score, 225);
    EXPECT_EQ(game.hiScore, 225);
    EXPECT_EQ(ops.answers.size(), 1u) << "asked twice";
}

TEST_F(TileScoreTest, NewGameQueuedDuringGiveUpKeepsItsBoardAndTune) {
    Start(WithTiles(5), 0);
    ops.answers = {6};
    ops.onDoEvents = [&] { game.GameStart_Click(); };
    game.GameReset_Click();

    EXPECT_TRUE(game.playing);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.hiScore, 225);  // the given-up game's best still counts
    EXPECT_EQ(ops.board.Shown(), Text(game.board));
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) EXPECT_NE(game.board[x][y], TileGame::kEmpty);
    EXPECT_EQ(ops.log.back(), "HScore:225");
}

TEST_F(TileScoreTest, TakeBackQueuedDuringGiveUpDoesNotLoseTheBest) {
    Start(WithTiles(5), 300);
    game.previousScore = 200;
    game.hiScore = 400;
    ops.answers = {6};
    ops.onDoEvents = [&] { game.ReturnGame_Click(); };
    game.GameReset_Click();
    EXPECT_EQ(game.hiScore, 525);
    EXPECT_EQ(game.score, 200);
    EXPECT_FALSE(game.playing);
}

TEST_F(TileScoreTest, TakeBackRestoresLayoutAndScoreOneStepOnly) {
    Start(kGroups, 50);
    Click(game, 5, 9);  // the ten 1s
    const Rows removed = Text(game.board);
    ops.board.calls.clear();

    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), kGroups);
    EXPECT_EQ(game.score, 50);
    EXPECT_EQ(ops.scoreCaption, "50");
    EXPECT_EQ(ops.board.calls.size(), 18u);  // the cells that differ between the two layouts
    EXPECT_EQ(ops.board.RasterMismatch(kGroups), "");

    // A second take-back swaps the layouts back but not the points.
    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), removed);
    EXPECT_EQ(Text(game.previousBoard), kGroups);
    EXPECT_EQ(game.score, 50);
    EXPECT_EQ(ops.board.RasterMismatch(removed), "");
}

TEST_F(TileScoreTest, TakeBackAfterLoneTileUndoesLastRemoval) {
    Start(kGroups, 0);
    Click(game, 0, 9);
    Click(game, 12, 9);  // a lone 2
    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), kGroups);
    EXPECT_EQ(game.score, 0);
}

TEST_F(TileScoreTest, TakeBackAfterClearRestoresPlayableBoardAndKeepsBest) {
    Start(kLastPair, 100);
    game.musicOn = true;
    Click(game, 0, 9);
    ASSERT_EQ(game.hiScore, 5104);
    ops.log.clear();

    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), kLastPair);
    EXPECT_EQ(game.score, 100);
    EXPECT_EQ(game.hiScore, 5104);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(ops.log, Log{"Score:100"});  // no music call, no box

    Click(game, 0, 9);
    EXPECT_EQ(Text(game.board), EmptyRows());
    EXPECT_EQ(game.score, 5104);
}

TEST_F(TileScoreTest, TakeBackAfterGiveUpOrNewGameChangesNoCell) {
    Start(kGroups, 40);
    game.previousScore = 30;
    ops.answers = {6};
    game.GameReset_Click();
    ops.board.calls.clear();
    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), EmptyRows());
    EXPECT_EQ(game.score, 30);
    EXPECT_TRUE(ops.board.calls.empty());

    // A new game forgets the earlier game's score, so a take-back cannot bring it back.
    game.GameStart_Click();
    const Rows dealt = Text(game.board);
    ops.board.calls.clear();
    game.ReturnGame_Click();
    EXPECT_EQ(Text(game.board), dealt);
    EXPECT_EQ(game.score, 0);
    EXPECT_TRUE(ops.board.calls.empty());
}

TEST_F(TileScoreTest, NewGameReplacesRunningGame) {
    for (const bool music : {true, false}) {
        Start(kGroups, 123);
        game.previousScore = 99;
        game.hiScore = 777;
        game.musicOn = music;
        ops.log.clear();

        game.GameStart_Click();

        EXPECT_EQ(game.score, 0);
        EXPECT_EQ(game.previousScore, 0);
        EXPECT_EQ(game.hiScore, 777);
        EXPECT_TRUE(game.playing);
        Log want = {"Randomize", "Score:0"};
        if (music) want.push_back("PlayMusic");
        EXPECT_EQ(ops.log, want);
        EXPECT_TRUE(ops.boxes.empty());
    }
}

TEST_F(TileScoreTest, TimerPollsMusicOnlyDuringGameWithMusicOn) {
    const struct {
        bool playing, musicOn, polls;
    } cases[] = {
        {true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const auto& c : cases) {
        ops.log.clear();
        game.playing = c.playing;
        game.musicOn = c.musicOn;
        game.Timer1_Timer();
        EXPECT_EQ(ops.log, c.polls ? Log{"PollMusic"} : Log{}) << c.playing << c.musicOn;
    }
}

TEST_F(TileScoreTest, ClearingBestScoreAsksFirst) {
    Start(kGroups, 10);
    game.hiScore = 4321;
    ops.answers = {7, 6};
    game.HScoreClear_Click();
    EXPECT_EQ(game.hiScore, 4321);
    EXPECT_EQ(ops.log, Log{"Box:36"});

    game.HScoreClear_Click();
    EXPECT_EQ(game.hiScore, 0);
    EXPECT_EQ(ops.hScoreCaption, "0");
    EXPECT_EQ(game.score, 10);
    EXPECT_TRUE(game.playing);
    EXPECT_EQ(ops.boxes.back(), (Box{"ハイスコアをクリアします。よろしいですか？", 36, "Colvane"}));
}

}  // namespace
}  // namespace quendle::test

// A game's life: the new-game sequence and its labels, completion with the best-score check and
// the message, and giving up with either answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tests/puzzle/engine/TestSupport.h"

namespace zorvat::test {
namespace {

std::vector<std::string> Without(std::vector<std::string> log, const std::string& op) {
    log.erase(std::remove(log.begin(), log.end(), op), log.end());
    return log;
}

std::vector<std::string> Repeat(const std::string& op, int times) {
    return std::vector<std::string>(static_cast<std::size_t>(times), op);
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(PuzzleTest, NewGameRunsItsStepsInOrder) {
    ops.now = 777;
    game.shuffleCount = 20;
    game.Game_Start_Click();
    EXPECT_TRUE(game.playing);
    EXPECT_EQ(game.startTick, 777u);
    EXPECT_GE(ops.Count("Rnd"), 20);
    EXPECT_EQ(Without(ops.log, "Rnd"), Joined({{"Randomize"},
                                               Repeat("HideGridLine", 30),
                                               Repeat("ShowGridLine", 8),
                                               {"ClearPicture"},
                                               Repeat("PaintPicture", 15),
                                               {"TickCount", "SetTimeCaption", "SetTimesCaption",
                                                "SetScoreCaption", "PlayMusic"}}));
    EXPECT_EQ(ops.timeCaptions, std::vector<std::string>{"0 "});
    EXPECT_EQ(ops.timesCaptions, std::vector<std::string>{"0 "});
    EXPECT_EQ(ops.scoreCaptions, std::vector<std::string>{"0-0% "});
}

TEST_F(PuzzleTest, NewGameWithMusicOffSendsNoMusicCommand) {
    game.musicOn = false;
    game.Game_Start_Click();
    EXPECT_TRUE(game.playing);
    EXPECT_EQ(ops.Count("PlayMusic"), 0);
}

TEST_F(PuzzleTest, NewGameDuringAGameRestartsCountAndClock) {
    Start(4, 100);
    PressCell(game, ops, FindBlank(game).first == 1 ? 2 : FindBlank(game).first - 1,
              FindBlank(game).second);
    ASSERT_EQ(game.moveCount, 1);
    ops.now = 90000;
    game.Game_Start_Click();
    EXPECT_EQ(game.moveCount, 0);
    EXPECT_EQ(game.startTick, 90000u);
    EXPECT_EQ(ops.timesCaptions.back(), "0 ");
    EXPECT_EQ(ops.scoreCaptions.back(), "0-0% ");
    EXPECT_EQ(ops.Count("MsgBox"), 0);
    EXPECT_TRUE(ops.recordedScores.empty());
}

TEST_F(PuzzleTest, NewGameRefusesSizesTheBoardCannotHold) {
    for (const int n : {-4, 0, 1, 11, 40}) {
        SCOPED_TRACE(n);
        game.panelSize = n;
        game.Game_Start_Click();
        EXPECT_FALSE(game.playing);
        EXPECT_TRUE(ops.log.empty());
    }
}

struct CompletionCase {
    bool kept;
    bool music;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const CompletionCase& c) {
    return os << (c.kept ? "new best" : "no new best") << (c.music ? ", music on" : ", music off");
}

class CompletionTest : public PuzzleTest, public testing::WithParamInterface<CompletionCase> {};

// Solved from the start (no shuffle), the first press completes the game: after 2 s with no
// slides the score is 1010.
TEST_P(CompletionTest, EndsTheGameRecordsTheScoreAndCongratulates) {
    const CompletionCase c = GetParam();
    game.musicOn = c.music;
    Start(4, 0);
    ops.keepScore = c.kept;
    bool playingDuringMessage = true;
    ops.onMsgBox = [&] { playingDuringMessage = game.playing; };
    ops.now = 2000;
    PressCell(game, ops, 4, 4);

    EXPECT_FALSE(game.playing);
    EXPECT_FALSE(playingDuringMessage);
    EXPECT_EQ(ops.scoreCaptions, std::vector<std::string>{" 1010-100% "});
    EXPECT_EQ(ops.recordedScores, (std::vector<std::pair<int, int>>{{4, 1010}}));
    ASSERT_EQ(ops.boxes.size(), 1u);
    EXPECT_EQ(ops.boxes[0].text, c.text);
    EXPECT_EQ(ops.boxes[0].code, 64);
    EXPECT_EQ(ops.boxes[0].title, "Mirelda");
    std::vector<std::string> tail = {"RecordBestScore", "MsgBox"};
    if (c.music) tail.push_back("CloseMusic");
    EXPECT_EQ(ops.log, Joined({{"TickCount", "SetScoreCaption"},
                               Repeat("HideGridLine", 30),
                               {"ShowWholePicture"},
                               tail}));
    for (int i = 1; i <= 15; ++i) {
        EXPECT_FALSE(ops.LineAt(GridLineArray::XLine, i).visible);
        EXPECT_FALSE(ops.LineAt(GridLineArray::YLINE, i).visible);
    }
    // The board, count and clock stay as they were; later ticks leave the labels alone.
    EXPECT_TRUE(IsSolved(game));
    EXPECT_EQ(game.moveCount, 0);
    EXPECT_EQ(game.startTick, 0u);
    ops.Forget();
    game.Timer1_Timer();
    EXPECT_TRUE(ops.log.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Endings, CompletionTest,
    testing::Values(
        CompletionCase{true, true,
                       "Congratulations! ゲームクリア\r\n\r\nスコア：1010（ハイスコア）"},
        CompletionCase{false, true, "Congratulations! ゲームクリア\r\n\r\nスコア：1010"},
        CompletionCase{true, false,
                       "Congratulations! ゲームクリア\r\n\r\nスコア：1010（ハイスコア）"},
        CompletionCase{false, false, "Congratulations! ゲームクリア\r\n\r\nスコア：1010"}));

TEST_F(PuzzleTest, CompletionByTheLastSlideCountsIt) {
    StartOn(R"(
         1  2  3  4
         5  6  7  8
         9 10 11 12
        13 14 16 15)");
    ops.now = 5000;
    PressCell(game, ops, 4, 4);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(game.moveCount, 1);
    EXPECT_EQ(ops.recordedScores, (std::vector<std::pair<int, int>>{{4, 1008}}));
    EXPECT_EQ(ops.boxes.at(0).text, "Congratulations! ゲームクリア\r\n\r\nスコア：1008");
}

TEST_F(PuzzleTest, CompletionMessageOfAZeroScore) {
    EXPECT_EQ(CompletionMessage(0, false), "Congratulations! ゲームクリア\r\n\r\nスコア：0");
    EXPECT_EQ(CompletionMessage(948, true),
              "Congratulations! ゲームクリア\r\n\r\nスコア：948（ハイスコア）");
}

struct GiveUpCase {
    int answer;
    bool music;
};

std::ostream& operator<<(std::ostream& os, const GiveUpCase& c) {
    return os << "answer " << c.answer << (c.music ? ", music on" : ", music off");
}

class GiveUpTest : public PuzzleTest, public testing::WithParamInterface<GiveUpCase> {};

TEST_P(GiveUpTest, AsksFirstAndEndsOnlyOnYes) {
    const GiveUpCase c = GetParam();
    game.musicOn = c.music;
    ops.now = 500;
    Start(5, 100);
    PressCell(game, ops, FindBlank(game).first == 1 ? 2 : FindBlank(game).first - 1,
              FindBlank(game).second);
    ops.Forget();
    ops.answers = {c.answer};
    ops.now = 9000;
    game.Game_Reset_Click();

    ASSERT_EQ(ops.boxes.size(), 1u);
    EXPECT_EQ(ops.boxes[0].text,
              "マス数を変更すると現在プレー中のゲームが破棄されます。よろしいですか？");
    EXPECT_EQ(ops.boxes[0].code, 36);
    EXPECT_EQ(ops.boxes[0].title, "Mirelda");
    EXPECT_TRUE(ops.recordedScores.empty());
    EXPECT_EQ(game.moveCount, 1);
    EXPECT_EQ(game.startTick, 500u);

    if (c.answer == 6) {
        EXPECT_FALSE(game.playing);
        std::vector<std::string> expected =
            Joined({{"MsgBox"}, Repeat("HideGridLine", 30), {"ShowWholePicture"}});
        if (c.music) expected.push_back("CloseMusic");
        EXPECT_EQ(ops.log, expected);
        return;
    }
    // No: the game, its clock and the tune go on as if nothing had been asked.
    EXPECT_TRUE(game.playing);
    EXPECT_EQ(ops.log, std::vector<std::string>{"MsgBox"});
    game.Timer1_Timer();
    EXPECT_EQ(ops.timeCaptions, std::vector<std::string>{" 8 "});
    EXPECT_EQ(ops.Count("PollMusic"), c.music ? 1 : 0);
    const auto [bx, by] = FindBlank(game);
    PressCell(game, ops, bx == 1 ? 2 : bx - 1, by);
    EXPECT_EQ(game.moveCount, 2);
}

INSTANTIATE_TEST_SUITE_P(Answers, GiveUpTest,
                         testing::Values(GiveUpCase{6, true}, GiveUpCase{6, false},
                                         GiveUpCase{7, true}, GiveUpCase{7, false},
                                         GiveUpCase{0, true}));

}  // namespace
}  // namespace zorvat::test

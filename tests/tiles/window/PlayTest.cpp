// Window tests of the tile game: dealing, presses on the board and the drawn pixels, take-back,
// give-up and clearing the board.
#include "tests/tiles/window/Form1Fixture.h"

namespace quendle::testing {

TEST_F(Form1Test, F2DealsABoardDrawnFromTheTileStrip) {
    Open();
    QTest::keyClick(form_.get(), Qt::Key_F2);
    ASSERT_TRUE(Game().playing);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) {
            EXPECT_GE(Game().board[x][y], 0);
            EXPECT_LE(Game().board[x][y], 3);
        }
    ExpectBoardDrawn();
    EXPECT_EQ(Score(), "0");
}

TEST_F(Form1Test, PressesRemoveGroupsAndRedrawTheBoard) {
    Layout deal = Checkerboard();
    deal[8][3] = '0';  // an L of three: (3,8), (3,9), (4,9)
    deal[9][3] = '0';
    deal[9][4] = '0';
    deal[0][10] = '1';  // a pair at the top: (10,0), (11,0)
    deal[0][11] = '1';
    Open(deal);
    QTest::keyClick(form_.get(), Qt::Key_F2);
    ASSERT_EQ(BoardLayout(), deal);
    ExpectBoardDrawn();

    // A lone tile, any button: nothing changes.
    const QImage before = form_->GamePicBox().Image();
    Press(25 * 7 + 3, 25 * 5 + 20, Qt::RightButton);
    EXPECT_EQ(BoardLayout(), deal);
    EXPECT_EQ(Score(), "0");
    EXPECT_EQ(form_->GamePicBox().Image(), before);

    // The L: the tiles above fall by two in column 3 and by one in column 4.
    Press(25 * 4 + 24, 25 * 9 + 24);
    Layout expected = deal;
    for (int y = 9; y >= 0; --y) {
        expected[y][3] = y >= 2 ? deal[y - 2][3] : '.';
        expected[y][4] = y >= 1 ? deal[y - 1][4] : '.';
    }
    EXPECT_EQ(BoardLayout(), expected);
    EXPECT_EQ(Score(), "9");
    ExpectBoardDrawn();

    // The pair at the top leaves two white cells.
    PressCell(11, 0);
    expected[0][10] = expected[0][11] = '.';
    EXPECT_EQ(BoardLayout(), expected);
    EXPECT_EQ(Score(), "13");
    ExpectBoardDrawn();
    EXPECT_TRUE(Game().playing);
}

TEST_F(Form1Test, PressesOnTheSpareColumnAndRowChangeNothing) {
    Layout deal = Checkerboard();
    deal[9][18] = deal[9][19] = deal[8][19] = '0';  // a group in the bottom-right corner
    Open(deal);
    QTest::keyClick(form_.get(), Qt::Key_F2);
    const QImage before = form_->GamePicBox().Image();
    for (QPoint at : {QPoint(500, 240), QPoint(490, 250), QPoint(500, 250), QPoint(500, 0)}) {
        Press(at.x(), at.y());
        EXPECT_EQ(BoardLayout(), deal) << at.x() << "," << at.y();
    }
    EXPECT_EQ(Score(), "0");
    EXPECT_EQ(form_->GamePicBox().Image(), before);
    for (int x = 0; x <= 20; ++x) EXPECT_EQ(Game().board[x][10], 0);
    for (int y = 0; y <= 10; ++y) EXPECT_EQ(Game().board[20][y], 0);

    // The last real pixel of the board still belongs to cell (19, 9).
    Press(499, 249);
    EXPECT_EQ(Score(), "9");
}

TEST_F(Form1Test, CtrlZTakesTheLastRemovalBack) {
    Layout deal = Checkerboard();
    deal[9][0] = deal[9][1] = '1';
    Open(deal);
    QTest::keyClick(form_.get(), Qt::Key_F2);
    PressCell(0, 9);
    ASSERT_EQ(Score(), "4");
    ASSERT_NE(BoardLayout(), deal);

    QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(BoardLayout(), deal);
    EXPECT_EQ(Score(), "0");
    ExpectBoardDrawn();
}

TEST_F(Form1Test, GiveUpAnsweredNoChangesNothing) {
    Layout deal = Checkerboard();
    deal[9][0] = deal[9][1] = '1';
    Open(deal);
    QTest::keyClick(form_.get(), Qt::Key_F2);
    PressCell(0, 9);
    commands_.clear();
    const QImage before = form_->GamePicBox().Image();

    answers_ = {7};
    QTest::keyClick(form_.get(), Qt::Key_F3);
    EXPECT_EQ(boxes_, (std::vector<Box>{{kGiveUpQuestion, 36, "Colvane"}}));
    EXPECT_TRUE(Game().playing);
    EXPECT_EQ(Score(), "4");
    EXPECT_EQ(form_->GamePicBox().Image(), before);
    EXPECT_TRUE(commands_.empty());
}

TEST_F(Form1Test, GiveUpAnsweredYesScoresWipesTheBoardAndRecordsTheBest) {
    Layout deal = Checkerboard();
    deal[9][0] = deal[9][1] = '1';
    Open(deal);
    QTest::keyClick(form_.get(), Qt::Key_F2);
    PressCell(0, 9);

    answers_ = {6};
    QTest::keyClick(form_.get(), Qt::Key_F3);
    // 198 tiles are left, so no bonus: the score stays 4 and beats the best of 0.
    EXPECT_EQ(boxes_, (std::vector<Box>{{kGiveUpQuestion, 36, "Colvane"},
                                        {"ハイスコア！：4Points", 64, "Colvane"}}));
    EXPECT_EQ(Score(), "4");
    EXPECT_EQ(HScore(), "4");
    EXPECT_FALSE(Game().playing);
    EXPECT_TRUE(BoardIsWhite());
    EXPECT_EQ(BoardLayout(), Layout(10, std::string(20, '.')));

    Close();
    EXPECT_EQ(Stored("Hiscore"), "4");
}

TEST_F(Form1Test, ClearingTheBoard) {
    struct Case {
        const char* storedBest;
        std::vector<Box> boxes;
        const char* bestShown;
        const char* bestStored;
    };
    const Case cases[] = {
        {"0", {{kCongratulations + "\r\n\r\nハイスコア！：5004", 64, "Colvane"}}, "5004", "5004"},
        {"9999", {{kCongratulations, 64, "Colvane"}}, "9999", "9999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedBest);
        QFile::remove(IniPath());
        boxes_.clear();
        commands_.clear();
        Store("Hiscore", c.storedBest);
        Open();
        QTest::keyClick(form_.get(), Qt::Key_F2);
        Layout small(10, std::string(20, '.'));
        small[9][0] = small[9][1] = '1';
        SetBoard(small);

        PressCell(1, 9);
        EXPECT_EQ(boxes_, c.boxes);
        EXPECT_EQ(Score(), "5004");
        EXPECT_EQ(HScore(), c.bestShown);
        EXPECT_FALSE(Game().playing);
        const std::vector<std::string> tune = {"play " + Tune(), "close " + Tune()};
        EXPECT_EQ(commands_, tune);
        Close();
        EXPECT_EQ(Stored("Hiscore"), c.bestStored);
        EXPECT_EQ(commands_, tune);  // closing after the game ended sends nothing more

        // The best score shows again at the next start.
        Open();
        EXPECT_EQ(HScore(), c.bestShown);
        Close();
    }
}

}  // namespace quendle::testing

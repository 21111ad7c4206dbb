// Window tests of the tile game: clearing the best score and the About box.
#include "tests/tiles/window/Form1Fixture.h"

namespace quendle::testing {

TEST_F(Form1Test, ClearingTheBestScoreAsksFirst) {
    struct Case {
        int answer;
        const char* shown;
    };
    for (const Case& c : {Case{7, "777"}, Case{6, "0"}}) {
        SCOPED_TRACE(c.answer);
        boxes_.clear();
        Store("Hiscore", "777");
        Open();
        answers_ = {c.answer};
        form_->Menu().HScoreClear->trigger();
        EXPECT_EQ(boxes_, (std::vector<Box>{{kClearQuestion, 36, "Colvane"}}));
        EXPECT_EQ(HScore(), c.shown);
        EXPECT_EQ(Game().hiScore, std::stoi(c.shown));
        Close();
        EXPECT_EQ(Stored("Hiscore"), c.shown);
    }
}

TEST_F(Form1Test, AboutBoxLeavesTheGameAlone) {
    Layout deal = Checkerboard();
    Open(deal);
    QTest::keyClick(form_.get(), Qt::Key_F2);
    commands_.clear();
    form_->Menu().About->trigger();
    EXPECT_EQ(boxes_, (std::vector<Box>{{"Colvane    Phase 1.0\r\n\r\nCopyright (C) 2026 Halvoria",
                                         64, "About"}}));
    EXPECT_TRUE(Game().playing);
    EXPECT_EQ(BoardLayout(), deal);
    EXPECT_TRUE(commands_.empty());
}

}  // namespace quendle::testing

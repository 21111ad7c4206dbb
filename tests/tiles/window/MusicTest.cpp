// Window tests of the tile game: the tune's commands at each moment, the music menu's marks and the
// timer.
#include "tests/tiles/window/Form1Fixture.h"

namespace quendle::testing {

TEST_F(Form1Test, MusicCommandsAtEachMoment) {
    struct Step {
        const char* what;
        std::function<void()> action;
        std::vector<std::string> commands;
    };
    const std::string play = "play " + Tune();
    const std::string close = "close " + Tune();
    const std::string status = "status " + Tune() + " mode";
    const std::string seek = "seek " + Tune() + " to start";
    auto tick = [this] { form_->Timer1_Timer(); };
    auto key = [this](Qt::Key k) { return [this, k] { QTest::keyClick(form_.get(), k); }; };
    Layout deal = Checkerboard();
    deal[9][0] = deal[9][1] = '1';

    const std::vector<Step> steps = {
        {"tick before any game", tick, {}},
        {"music off between games", [this] { form_->Menu().MusicOff->trigger(); }, {}},
        {"music on between games", [this] { form_->Menu().MusicOn->trigger(); }, {}},
        {"new game", key(Qt::Key_F2), {play}},
        {"tick while the tune plays", tick, {status}},
        {"tick after the tune ended",
         [this, tick] {
             statusReply_ = "stopped";
             tick();
             statusReply_ = "playing";
         },
         {status, seek, play}},
        {"music on while on", [this] { form_->Menu().MusicOn->trigger(); }, {}},
        {"music off during a game", [this] { form_->Menu().MusicOff->trigger(); }, {close}},
        {"music off while off", [this] { form_->Menu().MusicOff->trigger(); }, {}},
        {"tick with music off", tick, {}},
        {"music on during a game", [this] { form_->Menu().MusicOn->trigger(); }, {play}},
        {"new game during a game", key(Qt::Key_F2), {play}},
        {"a removal", [this] { PressCell(0, 9); }, {}},
        {"take-back", [this] { QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier); }, {}},
        {"give up",
         [this] {
             answers_ = {6};
             QTest::keyClick(form_.get(), Qt::Key_F3);
         },
         {close}},
        {"tick after giving up", tick, {}},
        {"new game again", key(Qt::Key_F2), {play}},
        {"closing during a game", [this] { form_->close(); }, {close}},
    };
    Open(deal);
    for (const Step& step : steps) {
        commands_.clear();
        step.action();
        EXPECT_EQ(commands_, step.commands) << step.what;
    }
    // The marks follow the last choice: music on.
    EXPECT_TRUE(form_->Menu().MusicOn->isChecked());
    EXPECT_FALSE(form_->Menu().MusicOff->isChecked());
}

TEST_F(Form1Test, MusicMenuMovesTheMarks) {
    Open();
    const auto& m = form_->Menu();
    m.MusicOff->trigger();
    EXPECT_FALSE(m.MusicOn->isChecked());
    EXPECT_TRUE(m.MusicOff->isChecked());
    m.MusicOff->trigger();  // choosing the item in force keeps its mark
    EXPECT_TRUE(m.MusicOff->isChecked());
    EXPECT_FALSE(Game().musicOn);
    m.MusicOn->trigger();
    EXPECT_TRUE(m.MusicOn->isChecked());
    EXPECT_FALSE(m.MusicOff->isChecked());
    EXPECT_TRUE(Game().musicOn);
}

TEST_F(Form1Test, TimerTicksFromCreation) {
    Open();
    EXPECT_TRUE(timerRanFromCreation_);
    EXPECT_FALSE(form_->Timer1().isSingleShot());
    EXPECT_EQ(form_->Timer1().interval(), 1000);
    form_->Timer1().start();
    QTest::keyClick(form_.get(), Qt::Key_F2);
    commands_.clear();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !commands_.empty(); }, 3000));
    ASSERT_FALSE(commands_.empty());
    EXPECT_EQ(commands_.front(), "status " + Tune() + " mode");
}

}  // namespace quendle::testing

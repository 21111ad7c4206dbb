// Window tests of the tile game: start-up and closing with the settings file, the layout of the
// controls and the menu captions.
#include "tests/tiles/window/Form1Fixture.h"

namespace quendle::testing {

TEST_F(Form1Test, FirstStartShowsDefaultsAndCloseStoresThem) {
    Open();
    EXPECT_EQ(form_->windowTitle(), "Colvane");
    EXPECT_EQ(Score(), "0");
    EXPECT_EQ(HScore(), "0");
    EXPECT_TRUE(form_->Menu().MusicOn->isChecked());
    EXPECT_FALSE(form_->Menu().MusicOff->isChecked());
    EXPECT_TRUE(BoardIsWhite());
    EXPECT_FALSE(Game().playing);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) EXPECT_EQ(Game().board[x][y], quendle::TileGame::kEmpty);
    EXPECT_EQ(form_->AppFolder(), appFolder_);

    Close();
    EXPECT_EQ(Stored("Hiscore"), "0");
    EXPECT_EQ(Stored("Music"), "True");
    EXPECT_TRUE(commands_.empty());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Form1Test, StoredSettingsAreShownAndMusicOffStartsNoTune) {
    Store("Hiscore", "1234");
    Store("Music", "False");
    Open();
    EXPECT_EQ(HScore(), "1234");
    EXPECT_FALSE(form_->Menu().MusicOn->isChecked());
    EXPECT_TRUE(form_->Menu().MusicOff->isChecked());

    QTest::keyClick(form_.get(), Qt::Key_F2);
    EXPECT_TRUE(Game().playing);
    form_->Timer1_Timer();
    Close();
    EXPECT_TRUE(commands_.empty());
    EXPECT_EQ(Stored("Hiscore"), "1234");
    EXPECT_EQ(Stored("Music"), "False");
}

TEST_F(Form1Test, TheOtherProgramsSectionSurvivesAClose) {
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvoria");
        settings.setValue("Mirelda/PanelSize", "8");
    }
    Open();
    Close();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvoria");
    EXPECT_EQ(settings.value("Mirelda/PanelSize").toString(), "8");
    EXPECT_EQ(settings.value("Colvane/Music").toString(), "True");
}

TEST_F(Form1Test, LayoutOfTheControls) {
    Open();
    EXPECT_EQ(form_->centralWidget()->size(), QSize(520, 293));
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    EXPECT_FALSE(form_->windowIcon().isNull());

    struct Placed {
        const char* name;
        QWidget* widget;
        QRect geometry;
    };
    const Placed controls[] = {
        {"Picture1", &form_->Picture1(), QRect(0, 0, 521, 297)},
        {"GamePic", &form_->GamePicBox(), QRect(10, 10, 501, 251)},
        {"ScoreLbl", &form_->ScoreLbl(), QRect(48, 270, 89, 25)},
        {"HScoreLbl", &form_->HScoreLbl(), QRect(200, 270, 89, 25)},
    };
    for (const Placed& control : controls)
        EXPECT_EQ(control.widget->geometry(), control.geometry) << control.name;
    EXPECT_FALSE(form_->MoneyPicBox().isVisible());
    EXPECT_EQ(form_->MoneyPicBox().Picture().size(), QSize(103, 25));
    EXPECT_EQ(form_->MoneyPicBox().size(), QSize(107, 29));  // the strip inside a 2-pixel border

    for (halvoria::Label* label : {&form_->ScoreLbl(), &form_->HScoreLbl()}) {
        EXPECT_EQ(label->font().pixelSize(), 16);
        EXPECT_TRUE(label->font().bold());
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(39, 151, 209));
    }

    // The background picture shows around the board: its grey corner, and its white field.
    const QImage shown = form_->grab().toImage();
    const int top = form_->centralWidget()->y();
    const QImage background(QString::fromLatin1(halvoria::pictures::kBackground));
    for (QPoint at :
         {QPoint(0, 0), QPoint(5, 5), QPoint(515, 290), QPoint(20, 280), QPoint(300, 265)})
        EXPECT_EQ(shown.pixel(at.x(), at.y() + top) & 0xFFFFFF, background.pixel(at) & 0xFFFFFF)
            << at.x() << "," << at.y();
}

TEST_F(Form1Test, MenuCaptionsAndShortcuts) {
    Open();
    const auto& m = form_->Menu();
    struct Item {
        QAction* action;
        const char* caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {m.GameMenu->menuAction(), "ゲーム(&G)", {}},
        {m.GameStart, "開始", QKeySequence(Qt::Key_F2)},
        {m.GameReset, "ギブアップ", QKeySequence(Qt::Key_F3)},
        {m.ReturnGame, "元に戻す", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {m.GameExit, "終了", QKeySequence(Qt::Key_F4)},
        {m.SettingMenu->menuAction(), "設定(&S)", {}},
        {m.MusicMenu->menuAction(), "ミュージック", {}},
        {m.MusicOn, "鳴らす", {}},
        {m.MusicOff, "鳴らさない", {}},
        {m.HScoreClear, "ハイスコアクリア", {}},
        {m.VersionMenu->menuAction(), "バージョン情報(&V)", {}},
        {m.About, "About", {}},
    };
    for (const Item& item : items) {
        EXPECT_EQ(item.action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(item.action->shortcut(), item.shortcut) << item.caption;
    }
    const QList<QAction*> bar = form_->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0], m.GameMenu->menuAction());
    EXPECT_EQ(bar[1], m.SettingMenu->menuAction());
    EXPECT_EQ(bar[2], m.VersionMenu->menuAction());
    const QList<QAction*> game = m.GameMenu->actions();
    ASSERT_EQ(game.size(), 5);
    EXPECT_TRUE(game[3]->isSeparator());
    EXPECT_EQ(game[4], m.GameExit);
}

TEST_F(Form1Test, F4ClosesThroughTheClosingSteps) {
    Open(Checkerboard());
    QTest::keyClick(form_.get(), Qt::Key_F2);
    form_->Menu().MusicOff->trigger();
    commands_.clear();
    Store("Music", "True");  // the window's own state, not what the file held, is written back

    QTest::keyClick(form_.get(), Qt::Key_F4);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(Stored("Music"), "False");
    EXPECT_EQ(Stored("Hiscore"), "0");
    EXPECT_TRUE(commands_.empty());  // music was off, so no tune to close
}

// Each moment of the music table, with the command strings the window sends.

}  // namespace quendle::testing

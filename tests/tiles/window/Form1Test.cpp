// Tests of the tile game's window on the offscreen platform: start-up and closing with the settings
// file, shortcuts, presses on the board and the drawn pixels, give-up, clear, best score and music.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/toolkit/Label.h"
#include "common/toolkit/MsgBox.h"
#include "common/toolkit/PictureBox.h"
#include "resources/pictures/BuiltinPictures.h"
#include "tiles/window/Form1.h"

namespace {

QTemporaryDir* configDir = nullptr;

QString IniPath() { return configDir->path() + "/Halvoria.ini"; }

struct Box {
    std::string text;
    int code;
    std::string title;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.text << ", " << box.code << ", " << box.title << ")";
}

const std::string kCongratulations = "Congratuations! ゲームクリア";
const std::string kGiveUpQuestion = "ギブアップします。よろしいですか？";
const std::string kClearQuestion = "ハイスコアをクリアします。よろしいですか？";

// A board of 10 rows of 20 characters: digits for tile kinds, '.' for an empty cell.
using Layout = std::vector<std::string>;

// A checkerboard of kinds 2 and 3 has no group anywhere; tests put their groups of 0 and 1 on it.
Layout Checkerboard() {
    Layout rows(10, std::string(20, '2'));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) rows[y][x] = (x + y) % 2 == 0 ? '2' : '3';
    return rows;
}

class Form1Test : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(IniPath());
        ASSERT_TRUE(programDir_.isValid());
        // A space in the folder checks that the tune is named in quotes.
        appFolder_ = programDir_.path() + "/my games/";
        ASSERT_TRUE(QDir().mkpath(appFolder_));
        halvoria::SetMsgBoxHandler(
            [this](const std::string& text, int code, const std::string& title) {
                boxes_.push_back({text, code, title});
                if (code != 36) return 1;
                if (answers_.empty()) {
                    ADD_FAILURE() << "unexpected question: " << text;
                    return 7;
                }
                int answer = answers_.front();
                answers_.pop_front();
                return answer;
            });
    }

    void TearDown() override {
        form_.reset();
        halvoria::SetMsgBoxHandler({});
        QFile::remove(IniPath());
        EXPECT_TRUE(answers_.empty()) << "questions that were never asked";
    }

    static void Store(const QString& key, const QString& value) {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvoria");
        settings.setValue("Colvane/" + key, value);
        settings.sync();
    }

    static QString Stored(const QString& key) {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Halvoria");
        return settings.value("Colvane/" + key, "<absent>").toString();
    }

    // Opens the window; with a layout, the next new game deals exactly that board.
    void Open(const Layout& deal = {}) {
        quendle::QuendleEnvironment environment;
        environment.appFolder = appFolder_;
        environment.sendString = [this](const std::string& command, char* reply, int length) {
            commands_.push_back(command);
            if (reply && length > 0) {
                std::string answer = command.rfind("status ", 0) == 0 ? statusReply_ : "";
                answer = answer.substr(0, static_cast<std::size_t>(length - 1));
                std::copy(answer.begin(), answer.end(), reply);
                reply[answer.size()] = '\0';
            }
            return 0;
        };
        if (!deal.empty()) {
            environment.rnd = [this, deal] {
                const int cell = dealt_++ % 200;
                const char kind = deal[cell / 20][cell % 20];
                return (kind - '0' + 0.5) / 4.0;
            };
        }
        form_ = std::make_unique<quendle::Form1>(environment);
        // Ticks are given by the tests themselves, so none arrives at a random moment.
        timerRanFromCreation_ = form_->Timer1().isActive();
        form_->Timer1().stop();
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    void Close() {
        form_->close();
        form_.reset();
    }

    quendle::TileGame& Game() { return form_->Game(); }

    Layout BoardLayout() {
        Layout rows(10, std::string(20, '.'));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) {
                const int kind = Game().board[x][y];
                rows[y][x] =
                    kind == quendle::TileGame::kEmpty ? '.' : static_cast<char>('0' + kind);
            }
        return rows;
    }

    // Puts a layout straight into the engine, as if it had been dealt and drawn.
    void SetBoard(const Layout& rows) {
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) {
                const int kind = rows[y][x] == '.' ? quendle::TileGame::kEmpty : rows[y][x] - '0';
                Game().board[x][y] = Game().pendingBoard[x][y] = Game().previousBoard[x][y] = kind;
            }
    }

    void Press(int px, int py, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&form_->GamePicBox(), button, Qt::NoModifier, QPoint(px, py));
    }

    void PressCell(int x, int y) { Press(25 * x + 12, 25 * y + 12); }

    // Every cell of the board picture shows the engine's board: the tile strip's square of its
    // kind, or white; the spare column and row stay white.
    void ExpectBoardDrawn() {
        const QImage shown = form_->GamePicBox().Image();
        const QImage strip(QString::fromLatin1(halvoria::pictures::kTiles));
        ASSERT_EQ(strip.size(), QSize(103, 25));
        ASSERT_EQ(shown.width(), 501);
        ASSERT_EQ(shown.height(), 251);
        int wrong = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) {
                const int kind = Game().board[x][y];
                bool same = true;
                for (int j = 0; j < 25 && same; ++j)
                    for (int i = 0; i < 25 && same; ++i) {
                        const QRgb want = kind == quendle::TileGame::kEmpty
                                              ? qRgb(255, 255, 255)
                                              : strip.pixel(26 * kind + i, j);
                        same = qRgb(qRed(shown.pixel(25 * x + i, 25 * y + j)),
                                    qGreen(shown.pixel(25 * x + i, 25 * y + j)),
                                    qBlue(shown.pixel(25 * x + i, 25 * y + j))) ==
                               qRgb(qRed(want), qGreen(want), qBlue(want));
                    }
                if (!same && ++wrong <= 5) ADD_FAILURE() << "cell " << x << "," << y;
            }
        for (int i = 0; i < 501; ++i) EXPECT_EQ(shown.pixel(i, 250) & 0xFFFFFF, 0xFFFFFFu);
        for (int j = 0; j < 251; ++j) EXPECT_EQ(shown.pixel(500, j) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(wrong, 0);
    }

    bool BoardIsWhite() {
        const QImage shown = form_->GamePicBox().Image();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if ((shown.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return false;
        return true;
    }

    std::string Score() { return form_->ScoreLbl().Caption(); }
    std::string HScore() { return form_->HScoreLbl().Caption(); }

    std::string Tune() const { return "\"" + appFolder_.toStdString() + "music2.mid\""; }

    QTemporaryDir programDir_;
    QString appFolder_;
    std::unique_ptr<quendle::Form1> form_;
    std::vector<Box> boxes_;
    std::deque<int> answers_;
    std::vector<std::string> commands_;
    std::string statusReply_ = "playing";
    int dealt_ = 0;
    bool timerRanFromCreation_ = false;
};

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

// --- The keyboard, the group preview and the screen reader --------------------------------

// Rows 8 and 9 of a checkerboard: a pair of 0s at the left, ten 1s, and the rest without groups.
Layout KeyBoard() {
    Layout rows = Checkerboard();
    rows[9].replace(0, 12, "001111111111");
    return rows;
}

class Form1KeyTest : public Form1Test {
  protected:
    // A key as the player gives it: to the widget that has the keyboard focus.
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key);
    }
    void Hover(int x, int y) {
        QTest::mouseMove(&form_->GamePicBox(), QPoint(25 * x + 12, 25 * y + 12));
    }
    bool Marked(int x, int y) { return form_->Preview().member[x][y]; }
    // The board as the screen shows it, with the preview and the cursor over it.
    QImage OnScreen() {
        return form_->GamePicBox().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(Form1KeyTest, AGameFromF2ToAStoredBestByKeysAlone) {
    // The left half of one kind, the right half of another: two presses clear the board.
    Layout halves(10, std::string(10, '0') + std::string(10, '2'));
    Open(halves);
    EXPECT_EQ(QApplication::focusWidget(), &form_->GamePicBox()) << "the board takes the keyboard";
    Press(Qt::Key_F2);
    ASSERT_TRUE(Game().playing);
    EXPECT_FALSE(form_->Cursor().Shown());
    Press(Qt::Key_Return);  // no cursor yet: nothing is pressed
    EXPECT_EQ(Game().score, 0);

    Press(Qt::Key_Up);  // shows the cursor at the bottom-left cell
    ASSERT_TRUE(form_->Cursor().Shown());
    EXPECT_EQ(form_->Cursor().X(), 0);
    EXPECT_EQ(form_->Cursor().Y(), 9);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("100 枚 10000 点"));
    Press(Qt::Key_Right);
    Press(Qt::Key_Space);
    EXPECT_EQ(Game().score, 10000);
    EXPECT_EQ(form_->ScoreLbl().Caption(), "10000");
    // The preview follows the board: the other half has moved under the cursor.
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("100 枚 10000 点"));
    Press(Qt::Key_Return);
    EXPECT_FALSE(Game().playing);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, kCongratulations + "\r\n\r\nハイスコア！：25000");
    EXPECT_EQ(form_->HScoreLbl().Caption(), "25000");
    EXPECT_EQ(form_->PreviewText(), QString());
    Press(Qt::Key_F4);
    EXPECT_EQ(Stored("Hiscore"), "25000");
}

TEST_F(Form1KeyTest, TheCursorIsDrawnOverTheBoardAndHidesOnAMousePress) {
    Open(KeyBoard());
    Press(Qt::Key_F2);
    const QImage before = form_->GamePicBox().Image();
    const QImage plain = OnScreen();
    Press(Qt::Key_Left);
    Press(Qt::Key_Up);  // cell (0, 8)
    EXPECT_EQ(form_->Cursor().Y(), 8);
    EXPECT_EQ(form_->GamePicBox().Image(), before) << "the persistent board image is unchanged";
    const QImage withCursor = OnScreen();
    EXPECT_NE(withCursor.pixel(1, 8 * 25 + 12), plain.pixel(1, 8 * 25 + 12));
    EXPECT_EQ(withCursor.pixel(5 * 25 + 1, 3 * 25 + 12), plain.pixel(5 * 25 + 1, 3 * 25 + 12));

    PressCell(5, 3);  // a single tile: nothing removed, but the cursor goes
    EXPECT_FALSE(form_->Cursor().Shown());
    EXPECT_EQ(OnScreen().pixel(1, 8 * 25 + 12), plain.pixel(1, 8 * 25 + 12));
}

TEST_F(Form1KeyTest, PreviewMarksTheGroupUnderThePointerWithoutTouchingTheGame) {
    Open(KeyBoard());
    Hover(5, 9);
    EXPECT_EQ(form_->PreviewText(), QString()) << "no preview before a game";
    Press(Qt::Key_F2);
    Game().hiScore = 500;
    const QImage plain = form_->GamePicBox().Image();

    Hover(5, 9);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("10 枚 100 点"));
    EXPECT_TRUE(Marked(2, 9));
    EXPECT_TRUE(Marked(11, 9));
    EXPECT_FALSE(Marked(12, 9));
    EXPECT_FALSE(Marked(0, 9));
    // A wash over the group's tiles on the screen, never in the board's picture.
    EXPECT_EQ(form_->GamePicBox().Image(), plain);
    const QImage shown = OnScreen();
    EXPECT_NE(shown.pixel(5 * 25 + 12, 9 * 25 + 3), plain.pixel(5 * 25 + 12, 9 * 25 + 3));
    EXPECT_EQ(shown.pixel(13 * 25 + 12, 9 * 25 + 3), plain.pixel(13 * 25 + 12, 9 * 25 + 3));
    // Score, take-back and best are the game's alone.
    EXPECT_EQ(Game().score, 0);
    EXPECT_EQ(Game().previousScore, 0);
    EXPECT_EQ(Game().hiScore, 500);

    Hover(5, 3);  // a single tile
    EXPECT_EQ(form_->PreviewText(), QString());
    Hover(0, 9);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("2 枚 4 点"));
    PressCell(0, 9);
    EXPECT_EQ(Game().score, 4);
    // The preview follows the board: a lone tile fell into the pressed cell.
    EXPECT_EQ(form_->PreviewText(), QString());
    Press(Qt::Key_Z);  // not a command: the preview stays
    QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);  // take-back
    EXPECT_EQ(Game().score, 0);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("2 枚 4 点"));

    QTest::mouseMove(&form_->GamePicBox(), QPoint(500, 100));  // the spare column
    EXPECT_EQ(form_->PreviewText(), QString());
    Hover(0, 9);
    answers_.push_back(6);
    Press(Qt::Key_F3);  // giving up empties the board
    EXPECT_FALSE(Game().playing);
    EXPECT_EQ(form_->PreviewText(), QString());
    EXPECT_EQ(form_->Preview().size, 0);
}

TEST_F(Form1KeyTest, TheBoardAndTheCountersAsAScreenReaderReadsThem) {
    Open(KeyBoard());
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&form_->GamePicBox());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("コインの盤"));
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("コインはありません。スコア 0。F2 で新しいゲームを開始します。"));
    ASSERT_EQ(board->childCount(), 200);
    Press(Qt::Key_F2);
    Press(Qt::Key_Down);
    Press(Qt::Key_Right);
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("残り 200 枚。スコア 0。2 列 10 行：金貨（穴あき）、2 枚 4 点。"));
    QAccessibleInterface* cell = board->child(9 * 20 + 7);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("銅貨 10"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("8 列 10 行、10 枚 100 点"));
    EXPECT_EQ(cell->rect().topLeft() - form_->GamePicBox().mapToGlobal(QPoint(0, 0)),
              QPoint(175, 225));
    Press(Qt::Key_Space);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("銅貨 10"));
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("残り 198 枚。スコア 4。2 列 10 行：銀貨 500、消せません。"));
    const auto name = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(form_->ScoreLbl()), QStringLiteral("スコア 4"));
    EXPECT_EQ(name(form_->HScoreLbl()), QStringLiteral("ハイスコア 0"));
}

TEST_F(Form1KeyTest, OnlyTheCheckedMusicItemShowsAMark) {
    Open();
    QMenu* music = form_->Menu().MusicMenu;
    ASSERT_TRUE(form_->Menu().MusicOn->isChecked());
    EXPECT_TRUE(form_->Menu().MusicOff->isCheckable());
    emit music->aboutToShow();
    music->adjustSize();
    const QImage shown = music->grab().toImage();
    const auto markColumn = [&](QAction* item) {
        const QRect row = music->actionGeometry(item);
        int inked = 0;
        const QRgb ground = shown.pixel(row.left() + 2, row.top() + 1);
        for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
            for (int x = row.left() + 2; x < row.left() + 22; ++x)
                if (shown.pixel(x, y) != ground) ++inked;
        return inked;
    };
    EXPECT_GT(markColumn(form_->Menu().MusicOn), 10);
    EXPECT_EQ(markColumn(form_->Menu().MusicOff), 0);
}

}  // namespace

int main(int argc, char** argv) {
    // Qt caches the settings path, so the private settings folder must be set before anything else.
    QTemporaryDir dir;
    configDir = &dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

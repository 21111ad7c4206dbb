// Random runs of the tile game's window: menu items, handlers, presses on and off the board, clock
// ticks, shortcuts and closing with a fresh window from the stored settings. After every event the
// board's shape is checked, and the score against a model of what each event must add.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/qt/Label.h"
#include "common/qt/PictureBox.h"
#include "common/qt/SettingsStore.h"
#include "tests/monkey/MonkeyCommon.h"
#include "tiles/window/Form1.h"

namespace {

using quendle::TileGame;

const QString kSection = QStringLiteral("Colvane");
const std::string kGiveUpQuestion = "ギブアップします。よろしいですか？";
const std::string kClearQuestion = "ハイスコアをクリアします。よろしいですか？";
constexpr std::int32_t kClearBonus = 5000;
constexpr std::int32_t kGiveUpBase = 20;

struct MonkeyRun {
    std::uint32_t seed;
    int events;
};

std::ostream& operator<<(std::ostream& out, const MonkeyRun& run) {
    return out << "seed " << run.seed << ", " << run.events << " events";
}

// QueuedGiveUp is a give-up with a board press waiting in the event queue: the press runs
// during the give-up when it goes ahead, or right after it otherwise.
enum class Kind { Start, Press, GiveUp, QueuedGiveUp, TakeBack, ClearBest, Exit, Other };

int Tiles(const TileGame& game) {
    int tiles = 0;
    for (int x = 0; x < TileGame::kColumns; ++x)
        for (int y = 0; y < TileGame::kRows; ++y) tiles += game.board[x][y] != TileGame::kEmpty;
    return tiles;
}

class QuendleMonkey : public ::testing::TestWithParam<MonkeyRun> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        appFolder_ = folder_.path() + "/my games/";
        ASSERT_TRUE(QDir().mkpath(appFolder_));
        QFile::remove(halvoria::SettingsStore().FileName());
    }

    void TearDown() override {
        form_.reset();
        QFile::remove(halvoria::SettingsStore().FileName());
    }

    void Open() {
        quendle::QuendleEnvironment environment;
        environment.appFolder = appFolder_;
        environment.sendString = [this](const std::string& command, char* reply, int length) {
            if (reply != nullptr && length > 0) {
                std::string answer;
                if (command.rfind("status ", 0) == 0)
                    answer = chooser_->Chance(0.5) ? "playing" : "stopped";
                answer = answer.substr(0, static_cast<std::size_t>(length - 1));
                std::copy(answer.begin(), answer.end(), reply);
                reply[answer.size()] = '\0';
            }
            return 0;
        };
        // Deals use 1, 2 or 4 kinds, so boards get cleared now and then as well.
        environment.rnd = [this] {
            return (chooser_->Int(0, kinds_ - 1) + chooser_->Real(0.0, 1.0)) / 4.0;
        };
        form_ = std::make_unique<quendle::Form1>(environment);
        // Ticks come from the run itself, so none arrives at a moment the seed does not fix.
        form_->Timer1().stop();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        modelScore_ = 0;
        modelPrevious_ = 0;
    }

    void ChooseDeal() {
        static constexpr int kKinds[] = {1, 2, 4, 4, 4, 4};
        kinds_ = kKinds[chooser_->Int(0, 5)];
    }

    void Press() {
        TileGame& game = form_->Game();
        const double tppx = form_->TwipsPerPixelX();
        const double tppy = form_->TwipsPerPixelY();
        const int pick = chooser_->Int(0, 99);
        float x = 0;
        float y = 0;
        if (pick < 70) {
            // The middle of a cell, mostly one with a tile.
            int cx = chooser_->Int(0, TileGame::kColumns - 1);
            int cy = chooser_->Int(0, TileGame::kRows - 1);
            for (int tries = 0; tries < 20 && game.board[cx][cy] == TileGame::kEmpty; ++tries) {
                cx = chooser_->Int(0, TileGame::kColumns - 1);
                cy = chooser_->Int(0, TileGame::kRows - 1);
            }
            x = static_cast<float>((cx * 25 + chooser_->Real(0.0, 24.99)) * tppx);
            y = static_cast<float>((cy * 25 + chooser_->Real(0.0, 24.99)) * tppy);
        } else if (pick < 97) {
            // Anywhere, on and off the board, fractional.
            x = static_cast<float>(chooser_->Real(-2000.0, 10000.0));
            y = static_cast<float>(chooser_->Real(-2000.0, 6000.0));
        } else {
            static constexpr float kOdd[] = {std::numeric_limits<float>::quiet_NaN(),
                                             std::numeric_limits<float>::infinity(),
                                             -std::numeric_limits<float>::infinity(),
                                             1e30f,
                                             -1e30f,
                                             -0.0f};
            x = kOdd[chooser_->Int(0, 5)];
            y = kOdd[chooser_->Int(0, 5)];
        }
        std::ostringstream text;
        text << "GamePic_MouseDown(" << x << ", " << y << ")";
        log_.Add(text.str());
        game.GamePic_MouseDown(1 << chooser_->Int(0, 2), chooser_->Int(0, 7), x, y);
    }

    void RealClick() {
        halvoria::PictureBox& pic = form_->GamePicBox();
        const QPoint point(chooser_->Int(-5, pic.width() + 5), chooser_->Int(-5, pic.height() + 5));
        log_.Add("mouseClick(" + std::to_string(point.x()) + ", " + std::to_string(point.y()) +
                 ")");
        QTest::mouseClick(&pic, chooser_->Chance(0.8) ? Qt::LeftButton : Qt::RightButton, {},
                          point);
    }

    Kind Trigger() {
        const auto& menu = form_->Menu();
        struct Item {
            QAction* action;
            Kind kind;
        };
        const Item items[] = {
            {menu.GameStart, Kind::Start},     {menu.GameReset, Kind::GiveUp},
            {menu.ReturnGame, Kind::TakeBack}, {menu.MusicOn, Kind::Other},
            {menu.MusicOff, Kind::Other},      {menu.HScoreClear, Kind::ClearBest},
            {menu.About, Kind::Other}};
        if (chooser_->Chance(0.01)) {
            log_.Add("trigger GameExit");
            menu.GameExit->trigger();
            return Kind::Exit;
        }
        const Item& item = items[chooser_->Int(0, 6)];
        if (item.kind == Kind::Start) ChooseDeal();
        log_.Add("trigger " + item.action->text().toStdString());
        item.action->trigger();
        return item.kind;
    }

    Kind Handler() {
        quendle::Form1& f = *form_;
        switch (chooser_->Int(0, 9)) {
            case 0:
                ChooseDeal();
                log_.Add("GameStart_Click");
                f.GameStart_Click();
                return Kind::Start;
            case 1:
                log_.Add("GameReset_Click");
                f.GameReset_Click();
                return Kind::GiveUp;
            case 2:
                log_.Add("ReturnGame_Click");
                f.ReturnGame_Click();
                return Kind::TakeBack;
            case 3:
                log_.Add("MusicOn_Click");
                f.MusicOn_Click();
                return Kind::Other;
            case 4:
                log_.Add("MusicOff_Click");
                f.MusicOff_Click();
                return Kind::Other;
            case 5:
                log_.Add("HScoreClear_Click");
                f.HScoreClear_Click();
                return Kind::ClearBest;
            case 6:
                log_.Add("About_Click");
                f.About_Click();
                return Kind::Other;
            case 7:
                log_.Add("Timer1_Timer");
                f.Timer1_Timer();
                return Kind::Other;
            case 8: {
                halvoria::PictureBox& pic = f.GamePicBox();
                const QPointF point(chooser_->Int(0, pic.width() - 1),
                                    chooser_->Int(0, pic.height() - 1));
                log_.Add("queued press at " + std::to_string(point.x()) + "," +
                         std::to_string(point.y()) + ", GameReset_Click");
                QCoreApplication::postEvent(
                    &pic, new QMouseEvent(QEvent::MouseButtonPress, point, pic.mapToGlobal(point),
                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
                QCoreApplication::postEvent(
                    &pic, new QMouseEvent(QEvent::MouseButtonRelease, point, pic.mapToGlobal(point),
                                          Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
                f.GameReset_Click();
                QCoreApplication::sendPostedEvents();
                return Kind::QueuedGiveUp;
            }
            default:
                if (chooser_->Chance(0.1)) {
                    log_.Add("GameExit_Click");
                    f.GameExit_Click();
                    return Kind::Exit;
                }
                log_.Add("About_Click");
                f.About_Click();
                return Kind::Other;
        }
    }

    Kind Key() {
        const int pick = chooser_->Int(0, 99);
        if (pick < 2) {
            log_.Add("key F4");
            QTest::keyClick(form_.get(), Qt::Key_F4);
            return Kind::Exit;
        }
        if (pick < 12) {
            ChooseDeal();
            log_.Add("key F2");
            QTest::keyClick(form_.get(), Qt::Key_F2);
            return Kind::Start;
        }
        if (pick < 50) {
            log_.Add("key F3");
            QTest::keyClick(form_.get(), Qt::Key_F3);
            return Kind::GiveUp;
        }
        log_.Add("key Ctrl+Z");
        QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
        return Kind::TakeBack;
    }

    // The stored settings hold the closed window's values, and a new window takes them up.
    std::string Reopen() {
        if (form_->isVisible()) return "the window is still open after Exit";
        const std::int32_t best = form_->Game().hiScore;
        const bool music = form_->Game().musicOn;
        {
            const halvoria::SettingsStore store;
            if (store.GetWholeNumber(kSection, "Hiscore", -1) != best)
                return "stored Hiscore differs from " + std::to_string(best);
            if (store.GetBoolean(kSection, "Music", !music) != music) return "stored Music differs";
        }
        form_.reset();
        if (chooser_->Chance(0.25)) {
            // A hand-edited file: the new window must still start in a consistent state, which
            // the checks after this event look at.
            static const std::pair<const char*, const char*> kEdits[] = {
                {"Hiscore", "abc"}, {"Hiscore", ""},    {"Hiscore", "99999999999"},
                {"Hiscore", "12x"}, {"Music", "maybe"}, {"Music", ""}};
            const auto& [key, value] = kEdits[chooser_->Int(0, 5)];
            log_.Add(std::string("stored ") + key + "=\"" + value + "\"");
            halvoria::SettingsStore store;
            store.SaveSetting(kSection, key, value);
            store.Flush();
            Open();
            editedSettings_ = true;
            return "";
        }
        Open();
        if (form_->Game().hiScore != best || form_->Game().musicOn != music ||
            form_->Game().playing || Tiles(form_->Game()) != 0)
            return "the new window does not start from the stored settings";
        return "";
    }

    std::string CheckBoard() {
        const TileGame& game = form_->Game();
        for (int x = 0; x <= TileGame::kColumns; ++x) {
            for (int y = 0; y <= TileGame::kRows; ++y) {
                const std::string at = " at " + std::to_string(x) + "," + std::to_string(y);
                if (x == TileGame::kColumns || y == TileGame::kRows) {
                    if (game.board[x][y] != 0 || game.pendingBoard[x][y] != 0 ||
                        game.previousBoard[x][y] != 0)
                        return "spare cell not 0" + at;
                    continue;
                }
                const int kind = game.board[x][y];
                if (!((kind >= 0 && kind <= 3) || kind == TileGame::kEmpty))
                    return "cell holds " + std::to_string(kind) + at;
                if (game.pendingBoard[x][y] != kind) return "pendingBoard differs" + at;
            }
        }
        bool emptyColumnSeen = false;
        for (int x = 0; x < TileGame::kColumns; ++x) {
            bool tileAbove = false;
            for (int y = 0; y < TileGame::kRows; ++y) {
                const bool tile = game.board[x][y] != TileGame::kEmpty;
                if (tileAbove && !tile) return "gap under a tile in column " + std::to_string(x);
                tileAbove = tileAbove || tile;
            }
            if (!tileAbove) emptyColumnSeen = true;
            if (tileAbove && emptyColumnSeen)
                return "empty column left of column " + std::to_string(x);
        }
        return "";
    }

    QTemporaryDir folder_;
    QString appFolder_;
    std::unique_ptr<quendle::Form1> form_;
    monkey::Chooser* chooser_ = nullptr;
    monkey::EventLog log_;
    int kinds_ = 4;
    // Set when the event closed the window and the stored best was edited before reopening.
    bool editedSettings_ = false;
    // The score the events so far must have given, and the one a take-back returns to.
    std::int32_t modelScore_ = 0;
    std::int32_t modelPrevious_ = 0;
};

TEST_P(QuendleMonkey, RandomEventsKeepBoardAndScoreConsistent) {
    const MonkeyRun run = GetParam();
    monkey::Chooser chooser(run.seed);
    chooser_ = &chooser;
    monkey::RandomBoxes boxes(chooser);
    Open();
    int games = 0, removals = 0, clears = 0, giveUps = 0, takeBacks = 0, reopened = 0,
        queuedRemovals = 0;
    for (int i = 0; i < run.events; ++i) {
        const TileGame& before = form_->Game();
        const bool wasPlaying = before.playing;
        const int tilesBefore = Tiles(before);
        const std::int32_t bestBefore = before.hiScore;
        boxes.Clear();
        editedSettings_ = false;

        Kind kind = Kind::Other;
        const int pick = chooser.Int(0, 99);
        if (pick < 45) {
            Press();
            kind = Kind::Press;
        } else if (pick < 52) {
            RealClick();
            kind = Kind::Press;
        } else if (pick < 62) {
            log_.Add("tick");
            form_->Timer1_Timer();
        } else if (pick < 77) {
            kind = Trigger();
        } else if (pick < 90) {
            kind = Handler();
        } else {
            kind = Key();
        }

        std::string fault;
        if (kind == Kind::Exit) {
            fault = Reopen();
            ++reopened;
        }
        const TileGame& game = form_->Game();
        const int tilesAfter = Tiles(game);
        if (fault.empty()) fault = CheckBoard();
        if (kind == Kind::QueuedGiveUp && tilesAfter < tilesBefore && tilesAfter > 0)
            ++queuedRemovals;
        if (kind == Kind::QueuedGiveUp) {
            // A give-up empties the board before the queue runs, so the press then finds nothing.
            kind = wasPlaying && boxes.AnsweredYes(kGiveUpQuestion) ? Kind::GiveUp : Kind::Press;
        }
        if (fault.empty()) {
            switch (kind) {
                case Kind::Start:
                    ++games;
                    modelScore_ = 0;
                    modelPrevious_ = 0;
                    if (tilesAfter != TileGame::kColumns * TileGame::kRows)
                        fault = "a new game dealt " + std::to_string(tilesAfter) + " tiles";
                    break;
                case Kind::Press: {
                    const int removed = tilesBefore - tilesAfter;
                    if (removed < 0 || removed == 1) {
                        fault = "a press changed the tile count by " + std::to_string(-removed);
                    } else if (removed > 0) {
                        ++removals;
                        modelPrevious_ = modelScore_;
                        modelScore_ += removed * removed;
                        if (tilesAfter == 0) {
                            ++clears;
                            modelScore_ += kClearBonus;
                        }
                    }
                    break;
                }
                case Kind::GiveUp:
                    if (wasPlaying && boxes.AnsweredYes(kGiveUpQuestion)) {
                        ++giveUps;
                        const std::int32_t rest = std::max(0, kGiveUpBase - tilesBefore);
                        modelScore_ += rest * rest;
                        if (tilesAfter != 0) fault = "tiles left after giving up";
                    } else if (!wasPlaying && boxes.Asked(kGiveUpQuestion)) {
                        fault = "give-up asked with no game running";
                    }
                    break;
                case Kind::TakeBack:
                    modelScore_ = modelPrevious_;
                    if (tilesAfter > tilesBefore) ++takeBacks;
                    break;
                default:
                    break;
            }
        }
        if (fault.empty()) {
            if (game.score != modelScore_)
                fault = "score " + std::to_string(game.score) + ", expected " +
                        std::to_string(modelScore_);
            else if (form_->ScoreLbl().Caption() != std::to_string(game.score))
                fault = "ScoreLbl \"" + form_->ScoreLbl().Caption() + "\"";
            else if (form_->HScoreLbl().Caption() != std::to_string(game.hiScore))
                fault = "HScoreLbl \"" + form_->HScoreLbl().Caption() + "\"";
            else if (game.hiScore < 0)
                fault = "negative best score";
            else if (game.hiScore < bestBefore && !editedSettings_ &&
                     !(kind == Kind::ClearBest && boxes.AnsweredYes(kClearQuestion)))
                fault = "best score went down from " + std::to_string(bestBefore);
            else if (kind == Kind::ClearBest && boxes.AnsweredYes(kClearQuestion) &&
                     game.hiScore != 0)
                fault = "best score not cleared";
            else if (form_->Menu().MusicOn->isChecked() == form_->Menu().MusicOff->isChecked())
                fault = "music marks";
            else if (form_->Menu().MusicOn->isChecked() != game.musicOn)
                fault = "music mark differs from the setting";
        }
        if (!fault.empty()) {
            ADD_FAILURE() << "seed " << run.seed << ", event " << i << ": " << fault
                          << "\nlast events:" << log_.Text();
            break;
        }
    }
    // What the run reached, so a change that starves a path shows in the log.
    std::cout << "seed " << run.seed << ": " << games << " games, " << removals << " removals, "
              << clears << " clears, " << giveUps << " give-ups, " << takeBacks << " take-backs, "
              << queuedRemovals << " queued removals after a give-up that did not go ahead, "
              << reopened << " reopenings\n";
    // A run that never got this far checked nothing of it: a change that stops removals, ends
    // of games or take-backs fails here.
    EXPECT_GT(games, 0) << "no game started";
    EXPECT_GT(removals, 0) << "no group removed";
    EXPECT_GT(clears, 0) << "no board cleared";
    EXPECT_GT(giveUps, 0) << "no game given up";
    EXPECT_GT(takeBacks, 0) << "no removal taken back";
    EXPECT_GT(reopened, 0) << "the window was never reopened";
    form_.reset();
    chooser_ = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Seeds, QuendleMonkey,
                         ::testing::Values(MonkeyRun{7, 15000}, MonkeyRun{31337, 15000},
                                           MonkeyRun{20261210, 15000}));

}  // namespace

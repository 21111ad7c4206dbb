// Random runs of the sliding puzzle's window: menu items, handlers, presses on and off the board,
// clock ticks, shortcuts and closing with a fresh window from the stored settings, with the board,
// the labels and the check marks checked after every event.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/core/Twips.h"
#include "common/qt/Label.h"
#include "common/qt/PictureBox.h"
#include "common/qt/SettingsStore.h"
#include "puzzle/engine/BestScoreTable.h"
#include "puzzle/window/ZorvatFrm.h"
#include "tests/monkey/MonkeyCommon.h"

namespace {

const QString kSection = QStringLiteral("Mirelda");

struct MonkeyRun {
    std::uint32_t seed;
    int events;
    std::uint32_t clockStart;  // one run starts just before the millisecond counter wraps
    int shuffles;              // stored before the first window; few shuffles let games finish
};

std::ostream& operator<<(std::ostream& out, const MonkeyRun& run) {
    return out << "seed " << run.seed << ", " << run.events << " events";
}

class ZorvatMonkey : public ::testing::TestWithParam<MonkeyRun> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        appFolder_ = folder_.path() + "/game folder/";
        ASSERT_TRUE(QDir().mkpath(appFolder_));
        // Pictures of different sizes and shapes, and one that cannot be read.
        auto paint = [](int width, int height, QColor colour) {
            QImage image(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    image.setPixelColor(x, y,
                                        QColor((colour.red() + x * 7) % 256,
                                               (colour.green() + y * 5) % 256, colour.blue()));
            return image;
        };
        ASSERT_TRUE(paint(48, 30, Qt::red).save(appFolder_ + "wide.bmp", "BMP"));
        ASSERT_TRUE(paint(64, 64, Qt::blue).save(appFolder_ + "square.jpg", "JPEG"));
        ASSERT_TRUE(paint(21, 77, Qt::green).save(appFolder_ + "tall & thin.jpg", "JPEG"));
        QFile broken(appFolder_ + "broken.bmp");
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        static constexpr char kDamaged[] = "BM\x10\x00\x00\x00 not a picture at all";
        broken.write(kDamaged, sizeof kDamaged - 1);
        broken.close();
        QFile::remove(halvoria::SettingsStore().FileName());
    }

    void TearDown() override {
        window_.reset();
        QFile::remove(halvoria::SettingsStore().FileName());
    }

    zorvat::ZorvatEnvironment Environment() {
        zorvat::ZorvatEnvironment environment;
        environment.appFolder = appFolder_;
        environment.sendString = [this](const std::string& command, char* reply, int length) {
            if (reply != nullptr && length > 0) {
                std::string answer;
                if (command.rfind("status ", 0) == 0)
                    answer = chooser_->Chance(0.5) ? "playing" : "stopped";
                answer = answer.substr(0, static_cast<std::size_t>(length - 1));
                std::memcpy(reply, answer.c_str(), answer.size() + 1);
            }
            return 0;
        };
        environment.playSound = [](const std::string&, int) { return true; };
        environment.tickCount = [this] { return now_; };
        // The shuffles' dice come from the run as well, so a seed replays every board exactly.
        environment.rnd = [this] { return chooser_->Real(0.0, 1.0); };
        return environment;
    }

    void Open() {
        window_ = std::make_unique<zorvat::ZorvatFrm>(Environment());
        // Ticks come from the run itself, so none arrives at a moment the seed does not fix.
        window_->Timer1().stop();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    // Every menu item, in the order the run picks them by number.
    std::vector<QAction*> Actions() const {
        const auto& menu = window_->Menu();
        std::vector<QAction*> actions = {menu.Game_Start, menu.Game_Reset,   menu.ShowHiscore,
                                         menu.SoundOn,    menu.SoundOff,     menu.MusicOn,
                                         menu.MusicOff,   menu.HiscoreClear, menu.About};
        for (QAction* item : menu.MassSize) actions.push_back(item);
        for (QAction* item : menu.PicName) actions.push_back(item);
        return actions;
    }

    // A press of the given cell's middle, in twips; the cell may lie off the board.
    std::pair<float, float> CellMiddle(int x, int y) {
        const int n = window_->Game().panelSize;
        const double w = window_->PicBox().Width() / n;
        const double h = window_->PicBox().Height() / n;
        return {static_cast<float>((x - 0.5) * w), static_cast<float>((y - 0.5) * h)};
    }

    void Press() {
        zorvat::PuzzleGame& game = window_->Game();
        const int n = game.panelSize;
        int x = chooser_->Int(1, n);
        int y = chooser_->Int(1, n);
        if (game.playing && chooser_->Chance(0.8)) {
            // Next to the gap most of the time, so panels really slide.
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j)
                    if (game.board[i][j] == n * n) x = i, y = j;
            static constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            const int step = chooser_->Int(0, 3);
            x += kSteps[step][0];
            y += kSteps[step][1];
        }
        const auto [tx, ty] = CellMiddle(x, y);
        const int button = 1 << chooser_->Int(0, 2);
        log_.Add("Pic_MouseDown(" + std::to_string(button) + ", cell " + std::to_string(x) + "," +
                 std::to_string(y) + ")");
        window_->Pic_MouseDown(button, chooser_->Int(0, 7), tx, ty);
    }

    void WildPress() {
        const float x = static_cast<float>(chooser_->Real(-3000.0, 9000.0));
        const float y = static_cast<float>(chooser_->Real(-3000.0, 9000.0));
        std::ostringstream text;
        text << "Pic_MouseDown(1, 0, " << x << ", " << y << ")";
        log_.Add(text.str());
        window_->Pic_MouseDown(1, 0, x, y);
    }

    void RealClick() {
        halvoria::PictureBox& pic = window_->PicBox();
        const QPoint point(chooser_->Int(-5, pic.width() + 5), chooser_->Int(-5, pic.height() + 5));
        const Qt::MouseButton button = chooser_->Chance(0.8) ? Qt::LeftButton : Qt::RightButton;
        log_.Add("mouseClick(" + std::to_string(point.x()) + ", " + std::to_string(point.y()) +
                 ")");
        QTest::mouseClick(&pic, button, {}, point);
    }

    void Tick() {
        const std::uint32_t step = chooser_->Chance(0.02)
                                       ? static_cast<std::uint32_t>(chooser_->Int(0, 600000))
                                       : static_cast<std::uint32_t>(chooser_->Int(0, 2500));
        now_ += step;  // wraps like the real counter
        log_.Add("tick +" + std::to_string(step) + " -> " + std::to_string(now_));
        window_->Timer1_Timer();
    }

    // Returns true when the event closed the window.
    bool Trigger() {
        const std::vector<QAction*> actions = Actions();
        if (chooser_->Chance(0.01)) {
            log_.Add("trigger Game_Exit");
            window_->Menu().Game_Exit->trigger();
            return true;
        }
        QAction* action = actions[static_cast<std::size_t>(
            chooser_->Int(0, static_cast<int>(actions.size()) - 1))];
        log_.Add("trigger " + action->text().toStdString());
        if (action == window_->Menu().Game_Start) startedGame_ = true;
        action->trigger();
        return false;
    }

    bool Handler() {
        zorvat::ZorvatFrm& w = *window_;
        const int pictures = static_cast<int>(w.Menu().PicName.size());
        switch (chooser_->Int(0, 12)) {
            case 0:
                log_.Add("Game_Start_Click");
                startedGame_ = true;
                w.Game_Start_Click();
                break;
            case 1:
                log_.Add("Game_Reset_Click");
                w.Game_Reset_Click();
                break;
            case 2:
                log_.Add("ShowHiscore_Click");
                w.ShowHiscore_Click();
                break;
            case 3:
                log_.Add("HiscoreClear_Click");
                w.HiscoreClear_Click();
                break;
            case 4:
                log_.Add("About_Click");
                w.About_Click();
                break;
            case 5:
                log_.Add("SoundOn_Click");
                w.SoundOn_Click();
                break;
            case 6:
                log_.Add("SoundOff_Click");
                w.SoundOff_Click();
                break;
            case 7:
                log_.Add("MusicOn_Click");
                w.MusicOn_Click();
                break;
            case 8:
                log_.Add("MusicOff_Click");
                w.MusicOff_Click();
                break;
            case 9:
            case 10: {
                // Out-of-range indices too, which must do nothing.
                const int index = chooser_->Int(-2, 5);
                log_.Add("MassSize_Click(" + std::to_string(index) + ")");
                w.MassSize_Click(index);
                break;
            }
            case 11: {
                const int index = chooser_->Int(-2, pictures + 1);
                log_.Add("PicName_Click(" + std::to_string(index) + ")");
                w.PicName_Click(index);
                break;
            }
            default:
                if (chooser_->Chance(0.1)) {
                    log_.Add("Game_Exit_Click");
                    w.Game_Exit_Click();
                    return true;
                }
                log_.Add("About_Click");
                w.About_Click();
                break;
        }
        return false;
    }

    bool Key() {
        const int pick = chooser_->Int(0, 99);
        if (pick < 2) {
            log_.Add("key F4");
            QTest::keyClick(window_.get(), Qt::Key_F4);
            return true;
        }
        if (pick < 25) {
            log_.Add("key F2");
            startedGame_ = true;
            QTest::keyClick(window_.get(), Qt::Key_F2);
        } else if (pick < 85) {
            log_.Add("key F3");
            QTest::keyClick(window_.get(), Qt::Key_F3);
        } else {
            log_.Add("key Ctrl+Z");
            QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
        }
        return false;
    }

    // The stored settings hold the closed window's last values, and a new window takes them up.
    std::string Reopen() {
        if (window_->isVisible()) return "the window is still open after Exit";
        zorvat::ZorvatFrm& old = *window_;
        const std::int32_t panelSize = old.Game().panelSize;
        const bool sound = old.SoundOn();
        const bool music = old.Game().musicOn;
        const QString picture = old.PictureName();
        const std::int32_t shuffles = old.Game().shuffleCount;
        std::int32_t best[zorvat::kBestScoreSlots + 1] = {};
        for (int slot = 1; slot <= zorvat::kBestScoreSlots; ++slot)
            best[slot] = old.HiScores().hiScores[slot];
        {
            const halvoria::SettingsStore store;
            std::ostringstream fault;
            if (store.GetWholeNumber(kSection, "PanelSize", -1) != panelSize) fault << " PanelSize";
            if (store.GetBoolean(kSection, "Sound", !sound) != sound) fault << " Sound";
            if (store.GetBoolean(kSection, "Music", !music) != music) fault << " Music";
            if (store.GetText(kSection, "Picture", "<absent>") != picture) fault << " Picture";
            if (store.GetWholeNumber(kSection, "RefreshTimes", -1) != shuffles)
                fault << " RefreshTimes";
            for (int slot = 1; slot <= zorvat::kBestScoreSlots; ++slot) {
                const QString key = QString::fromStdString(zorvat::BestScoreKey(slot));
                if (store.GetWholeNumber(kSection, key, -1) != best[slot])
                    fault << " " << key.toStdString();
            }
            if (!fault.str().empty())
                return "stored settings differ from the window:" + fault.str();
        }
        window_.reset();
        if (chooser_->Chance(0.25)) {
            // A hand-edited file: the new window must still start in a consistent state, which
            // the checks after this event look at.
            static const std::pair<const char*, const char*> kEdits[] = {
                {"PanelSize", "6"},         {"PanelSize", "0"},
                {"PanelSize", "11"},        {"PanelSize", "-3"},
                {"PanelSize", "abc"},       {"Picture", "broken.bmp"},
                {"Picture", "missing.jpg"}, {"Picture", "../wide.bmp"},
                {"Sound", "maybe"},         {"Music", ""},
                {"RefreshTimes", "-7"},     {"HiScore2", "x"}};
            const auto& [key, value] = kEdits[chooser_->Int(0, 11)];
            log_.Add(std::string("stored ") + key + "=\"" + value + "\"");
            halvoria::SettingsStore store;
            store.SaveSetting(kSection, key, value);
            store.Flush();
            Open();
            return "";
        }
        Open();
        zorvat::ZorvatFrm& w = *window_;
        if (w.Game().panelSize != panelSize || w.SoundOn() != sound || w.Game().musicOn != music ||
            w.PictureName() != picture || w.Game().shuffleCount != shuffles || w.Game().playing)
            return "the new window does not take up the stored settings";
        for (int slot = 1; slot <= zorvat::kBestScoreSlots; ++slot)
            if (w.HiScores().hiScores[slot] != best[slot])
                return "the new window lost best score " + std::to_string(slot);
        return "";
    }

    std::string Check(bool wasPlaying, std::int32_t movesBefore) {
        zorvat::ZorvatFrm& w = *window_;
        const zorvat::PuzzleGame& game = w.Game();
        const int n = game.panelSize;
        if (n < zorvat::kMinPanelSize || n > zorvat::kMaxPanelSize)
            return "panelSize " + std::to_string(n);
        if (game.playing) {
            std::vector<bool> seen(static_cast<std::size_t>(n * n + 1), false);
            for (int x = 1; x <= n; ++x)
                for (int y = 1; y <= n; ++y) {
                    const int value = game.board[x][y];
                    if (value < 1 || value > n * n || seen[static_cast<std::size_t>(value)])
                        return "board is not a permutation at " + std::to_string(x) + "," +
                               std::to_string(y) + ": " + std::to_string(value);
                    seen[static_cast<std::size_t>(value)] = true;
                    if (game.pendingBoard[x][y] != value)
                        return "pendingBoard differs from board at " + std::to_string(x) + "," +
                               std::to_string(y);
                }
            if (wasPlaying && !startedGame_ && game.moveCount < movesBefore)
                return "moveCount went down from " + std::to_string(movesBefore) + " to " +
                       std::to_string(game.moveCount);
        }
        const std::string times = w.TimesLbl().Caption();
        const std::string time = w.TimeLbl().Caption();
        const std::string score = w.ScoreLbl().Caption();
        if (!monkey::Matches(times, "^[ -]?[0-9]+ $")) return "TimesLbl \"" + times + "\"";
        if (!monkey::Matches(time, "^[ -]?[0-9]+ $")) return "TimeLbl \"" + time + "\"";
        // No "-" is allowed before the score: it is never negative. Before the first game the
        // label still shows its start-up "0 ".
        if (score != "0 ") {
            if (!monkey::Matches(score, "^ ?[0-9]+-[0-9]+% $")) return "ScoreLbl \"" + score + "\"";
            const int percent = std::stoi(score.substr(score.find('-') + 1));
            if (percent > 100) return "ScoreLbl percent \"" + score + "\"";
        }
        for (int slot = 1; slot <= zorvat::kBestScoreSlots; ++slot)
            if (w.HiScores().hiScores[slot] < 0) return "negative best score";

        const auto& menu = w.Menu();
        if (menu.SoundOn->isChecked() == menu.SoundOff->isChecked()) return "sound marks";
        if (menu.SoundOn->isChecked() != w.SoundOn()) return "sound mark differs from the setting";
        if (menu.MusicOn->isChecked() == menu.MusicOff->isChecked()) return "music marks";
        if (menu.MusicOn->isChecked() != game.musicOn) return "music mark differs from the setting";
        static constexpr int kSizes[4] = {4, 5, 8, 10};
        int sizeMarks = 0;
        for (std::size_t i = 0; i < menu.MassSize.size(); ++i) {
            if (!menu.MassSize[i]->isChecked()) continue;
            ++sizeMarks;
            if (kSizes[i] != n) return "size mark on a size that is not the board's";
        }
        const bool offered = n == 4 || n == 5 || n == 8 || n == 10;
        if (sizeMarks > 1 || (offered && sizeMarks != 1))
            return std::to_string(sizeMarks) + " size marks for size " + std::to_string(n);
        int pictureMarks = 0;
        std::size_t marked = 0;
        for (std::size_t i = 0; i < menu.PicName.size(); ++i) {
            if (!menu.PicName[i]->isChecked()) continue;
            ++pictureMarks;
            marked = i;
        }
        if (pictureMarks != 1) return std::to_string(pictureMarks) + " picture marks";
        // The mark names the picture in use: the built-in one has no file name.
        const QString markedFile = marked == 0 ? QString() : w.PictureFiles()[marked];
        if (markedFile != w.PictureName())
            return "picture mark on \"" + markedFile.toStdString() + "\" while \"" +
                   w.PictureName().toStdString() + "\" is in use";
        return "";
    }

    QTemporaryDir folder_;
    QString appFolder_;
    std::unique_ptr<zorvat::ZorvatFrm> window_;
    monkey::Chooser* chooser_ = nullptr;
    monkey::EventLog log_;
    std::uint32_t now_ = 0;
    bool startedGame_ = false;
};

TEST_P(ZorvatMonkey, RandomEventsKeepTheGameConsistent) {
    const MonkeyRun run = GetParam();
    monkey::Chooser chooser(run.seed);
    chooser_ = &chooser;
    monkey::RandomBoxes boxes(chooser);
    now_ = run.clockStart;
    {
        halvoria::SettingsStore store;
        store.SaveWholeNumber(kSection, "RefreshTimes", run.shuffles);
        store.Flush();
    }
    Open();
    int reopened = 0, games = 0, slides = 0, wins = 0;
    std::set<int> sizes;
    for (int i = 0; i < run.events; ++i) {
        const bool wasPlaying = window_->Game().playing;
        const std::int32_t movesBefore = window_->Game().moveCount;
        startedGame_ = false;
        bool closed = false;
        const int pick = chooser.Int(0, 99);
        if (pick < 35) {
            Press();
        } else if (pick < 45) {
            WildPress();
        } else if (pick < 50) {
            RealClick();
        } else if (pick < 65) {
            Tick();
        } else if (pick < 80) {
            closed = Trigger();
        } else if (pick < 90) {
            closed = Handler();
        } else {
            closed = Key();
        }
        std::string fault;
        if (closed) {
            fault = Reopen();
            ++reopened;
        }
        if (fault.empty()) fault = Check(wasPlaying, movesBefore);
        const zorvat::PuzzleGame& game = window_->Game();
        if (game.playing && (!wasPlaying || startedGame_)) ++games;
        if (game.playing && wasPlaying && game.moveCount > movesBefore) ++slides;
        if (wasPlaying && !game.playing && !closed && game.moveCount > 0 &&
            boxes.asked.size() > 0 && boxes.asked.back().first.rfind("Congrat", 0) == 0)
            ++wins;
        if (game.playing) sizes.insert(game.panelSize);
        boxes.Clear();
        if (!fault.empty()) {
            ADD_FAILURE() << "seed " << run.seed << ", event " << i << ": " << fault
                          << "\nlast events:" << log_.Text();
            break;
        }
    }
    // What the run reached, so a change that starves a path shows in the log.
    std::cout << "seed " << run.seed << ": " << games << " games, " << slides << " slides, " << wins
              << " completed, " << reopened << " reopenings, " << window_->PictureFiles().size() - 1
              << " picture files, sizes played:";
    for (int size : sizes) std::cout << " " << size;
    std::cout << "\n";
    // A run that never got this far checked nothing of it: a change that stops slides or
    // completions fails here.
    EXPECT_GT(games, 0) << "no game started";
    EXPECT_GT(slides, 0) << "no panel slid";
    if (run.shuffles <= 3) {
        EXPECT_GT(wins, 0) << "no board completed";
    }
    EXPECT_GT(reopened, 0) << "the window was never reopened";
    window_.reset();
    chooser_ = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Seeds, ZorvatMonkey,
                         ::testing::Values(MonkeyRun{1, 15000, 100000, 100},
                                           MonkeyRun{20261210, 15000, 0xFFFFF000u, 3},
                                           MonkeyRun{4242, 15000, 5, 1}));

}  // namespace

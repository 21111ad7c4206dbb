// The fixture of the tile game's window tests on the offscreen platform: the window with a
// recorder of media commands, scripted message boxes, boards written as text and checks of the
// drawn board.
#pragma once

#include <gtest/gtest.h>

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

#include "common/qt/Label.h"
#include "common/qt/MsgBox.h"
#include "common/qt/PictureBox.h"
#include "resources/pictures/BuiltinPictures.h"
#include "tests/support/QtTestMain.h"
#include "tiles/window/Form1.h"

namespace quendle::testing {

inline QString IniPath() { return halvoria::testing::ConfigFolder() + "/Halvoria.ini"; }

struct Box {
    std::string text;
    int code;
    std::string title;
    bool operator==(const Box&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.text << ", " << box.code << ", " << box.title << ")";
}

inline const std::string kCongratulations = "Congratuations! ゲームクリア";
inline const std::string kGiveUpQuestion = "ギブアップします。よろしいですか？";
inline const std::string kClearQuestion = "ハイスコアをクリアします。よろしいですか？";

// A board of 10 rows of 20 characters: digits for tile kinds, '.' for an empty cell.
using Layout = std::vector<std::string>;

// A checkerboard of kinds 2 and 3 has no group anywhere; tests put their groups of 0 and 1 on it.
inline Layout Checkerboard() {
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

}  // namespace quendle::testing

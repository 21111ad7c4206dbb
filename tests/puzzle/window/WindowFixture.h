// The window tests' outside world: a private program folder, a settings file removed between
// tests, scripted message boxes, a recorder of media commands and sounds, and a scripted clock.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/core/Twips.h"
#include "common/qt/MsgBox.h"
#include "common/qt/PictureBox.h"
#include "common/qt/SettingsStore.h"
#include "puzzle/window/ZorvatFrm.h"

namespace zorvat::testing {

struct Box {
    std::string text;
    int code;
    std::string title;
    std::size_t commandsBefore = 0;  // media commands sent before the box opened
};

inline bool operator==(const Box& a, const Box& b) {
    return a.text == b.text && a.code == b.code && a.title == b.title;
}

inline std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "{\"" << box.text << "\", " << box.code << ", \"" << box.title << "\"}";
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // A space in the folder shows that every command quotes the tune's path.
        appFolder_ = folder_.path() + "/game folder/";
        ASSERT_TRUE(QDir().mkpath(appFolder_));
        RemoveStore();
        RemovePlayerPictures();
        halvoria::SetMsgBoxHandler(
            [this](const std::string& text, int code, const std::string& title) {
                boxes.push_back({text, code, title, commands.size()});
                if (answers.empty()) return code == 36 ? 6 : 1;
                const int answer = answers.front();
                answers.pop_front();
                return answer;
            });
    }

    void TearDown() override {
        window_.reset();
        halvoria::SetMsgBoxHandler({});
        RemoveStore();
        RemovePlayerPictures();
    }

    // The player's own picture folder; the test program keeps the data folder private.
    static QString PlayerPictures() {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               "/halvoria/pictures/";
    }

    static void RemovePlayerPictures() {
        // Never the player's real pictures: only a data folder the test program made.
        ASSERT_TRUE(PlayerPictures().startsWith(QDir::tempPath() + "/"))
            << PlayerPictures().toStdString();
        QDir(PlayerPictures()).removeRecursively();
        ASSERT_FALSE(QFileInfo::exists(PlayerPictures()));
    }

    static void RemoveStore() {
        const QString file = halvoria::SettingsStore().FileName();
        QFile::remove(file);
        ASSERT_FALSE(QFile::exists(file));
    }

    // Writes settings of the puzzle's section before the window is made.
    static void Store(const std::map<QString, QString>& values) {
        halvoria::SettingsStore store;
        for (const auto& [key, value] : values) store.SaveSetting("Mirelda", key, value);
        store.Flush();
    }

    static QString Stored(const QString& key) {
        return halvoria::SettingsStore().GetSetting("Mirelda", key, "<absent>");
    }

    ZorvatEnvironment Environment() {
        ZorvatEnvironment environment;
        environment.appFolder = appFolder_;
        environment.sendString = [this](const std::string& command, char* reply, int length) {
            commands.push_back(command);
            if (reply != nullptr && length > 0) {
                const std::string answer =
                    command.rfind("status ", 0) == 0 ? statusReply.substr(0, length - 1) : "";
                std::memcpy(reply, answer.c_str(), answer.size() + 1);
            }
            return 0;
        };
        environment.playSound = [this](const std::string& name, int flags) {
            sounds.push_back(name + "|" + std::to_string(flags));
            return true;
        };
        environment.tickCount = [this] { return now; };
        environment.chooseFile = [this] {
            ++fileDialogs;
            if (chosenFiles.empty()) return QString();
            const QString file = chosenFiles.front();
            chosenFiles.pop_front();
            return file;
        };
        return environment;
    }

    ZorvatFrm& Open() {
        window_ = std::make_unique<ZorvatFrm>(Environment());
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }

    ZorvatFrm& Window() { return *window_; }

    void Key(Qt::Key key) { QTest::keyClick(window_.get(), key); }

    // A press in the middle of board cell (x, y) for an N x N board on Pic's current size.
    void PressCell(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        halvoria::PictureBox& pic = window_->PicBox();
        const int n = window_->Game().panelSize;
        const double w = pic.Width() / n;
        const double h = pic.Height() / n;
        const QPoint point(static_cast<int>(((x - 0.5) * w) / halvoria::kTwipsPerPixel),
                           static_cast<int>(((y - 0.5) * h) / halvoria::kTwipsPerPixel));
        QTest::mouseClick(&pic, button, {}, point);
    }

    std::string TuneCommand(const std::string& verb, const std::string& tail = "") const {
        return verb + " \"" + appFolder_.toStdString() + "music.mid\"" + tail;
    }

    QString ProgramFolder() const { return appFolder_; }

    std::vector<Box> boxes;
    std::deque<int> answers;
    std::deque<QString> chosenFiles;  // the file dialog's answers; none left: cancelled
    int fileDialogs = 0;
    std::vector<std::string> commands;
    std::vector<std::string> sounds;
    std::string statusReply = "playing";
    std::uint32_t now = 100000;

  private:
    QTemporaryDir folder_;
    QString appFolder_;
    std::unique_ptr<ZorvatFrm> window_;
};

inline QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// Where two images first differ, or "" when they are the same.
inline std::string FirstDifference(const QImage& actual, const QImage& expected) {
    const QImage a = Rgb(actual);
    const QImage e = Rgb(expected);
    if (a.size() != e.size()) {
        return "size " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " vs " +
               std::to_string(e.width()) + "x" + std::to_string(e.height());
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != e.pixel(x, y)) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + QColor(a.pixel(x, y)).name().toStdString() + " vs " +
                       QColor(e.pixel(x, y)).name().toStdString();
            }
        }
    }
    return "";
}

inline std::vector<std::string> Captions(const QMenu* menu) {
    std::vector<std::string> captions;
    for (const QAction* action : menu->actions()) captions.push_back(action->text().toStdString());
    return captions;
}

}  // namespace zorvat::testing

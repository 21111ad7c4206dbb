// Runs the window tests inside one QApplication, with the settings store and the player's
// picture folder in a private folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    // Qt caches the settings path on first use, so the private folder is set before anything else.
    std::string config = QDir::tempPath().toStdString() + "/zorvat-window-test-XXXXXX";
    if (mkdtemp(config.data()) == nullptr) return 2;
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    // The player's own picture folder lies under the data folder; keep it private as well.
    setenv("XDG_DATA_HOME", (config + "/data").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(QString::fromStdString(config)).removeRecursively();
    return result;
}

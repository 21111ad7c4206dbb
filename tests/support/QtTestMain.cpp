// Runs a test program of windows inside one QApplication on the offscreen platform, with the
// settings store and the player's picture folder in a private folder and no sound device, and
// removes the folder at the end.
#include "tests/support/QtTestMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QString configFolder;
}

namespace halvoria::testing {
QString ConfigFolder() { return configFolder; }
}  // namespace halvoria::testing

int main(int argc, char** argv) {
    // Qt caches the settings path on first use, so the private folder is set before anything else.
    QTemporaryDir config(QDir::tempPath() + "/halvoria-test-XXXXXX");
    if (!config.isValid()) return 2;
    configFolder = config.path();
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    // The player's own picture folder lies under the data folder; keep it private as well.
    setenv("XDG_DATA_HOME", (config.path() + "/data").toLocal8Bit().constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The main() of both games: one fixed-size window that closes normally on a termination signal,
// and the media device shut down once the window is gone.
#pragma once

#include <QApplication>

#include "common/qt/MediaDevice.h"
#include "common/qt/TerminationSignals.h"

namespace halvoria {

template <typename Window>
int RunGame(int argc, char** argv) {
    QApplication app(argc, argv);
    int result = 0;
    {
        Window window;
        CloseOnTerminationSignals(window);
        window.show();
        result = QApplication::exec();
    }
    ShutdownMediaDevice();
    return result;
}

}  // namespace halvoria

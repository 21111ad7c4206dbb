// The main() of both games: the command line and desktop identity, one fixed-size window that
// closes normally on a termination signal, and the media device shut down once the window is gone.
#pragma once

#include <QApplication>

#include "common/qt/MediaDevice.h"
#include "common/qt/ProgramStart.h"
#include "common/qt/TerminationSignals.h"

namespace halvoria {

template <typename Window>
int RunGame(int argc, char** argv, const ProgramIdentity& identity) {
    const ProgramStart start = StartProgram(argc, argv, identity);
    if (!start.application) return start.exitStatus;
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

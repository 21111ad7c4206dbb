// Starts Quendle: one fixed-size window titled "Colvane"; the media device is shut down at the end.
#include <QApplication>

#include "common/media/MediaDevice.h"
#include "common/toolkit/ProgramStart.h"
#include "common/toolkit/TerminationSignals.h"
#include "tiles/window/Form1.h"

int main(int argc, char** argv) {
    const halvoria::ProgramStart start = halvoria::StartProgram(
        argc, argv,
        {"Quendle", "org.halvoria.Quendle",
         "The tile-clearing game: remove groups of like coins until the board is empty."});
    if (!start.application) return start.exitStatus;
    int result = 0;
    {
        quendle::Form1 window;
        halvoria::CloseOnTerminationSignals(window);
        window.show();
        result = QApplication::exec();
    }
    halvoria::ShutdownMediaDevice();
    return result;
}

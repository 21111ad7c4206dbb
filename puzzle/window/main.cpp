// Starts Zorvat: the sliding picture puzzle in its one fixed-size window "Mirelda".
#include <QApplication>

#include "common/media/MediaDevice.h"
#include "common/toolkit/ProgramStart.h"
#include "common/toolkit/TerminationSignals.h"
#include "puzzle/window/ZorvatFrm.h"

int main(int argc, char** argv) {
    const halvoria::ProgramStart start = halvoria::StartProgram(
        argc, argv,
        {"Zorvat", "org.halvoria.Zorvat",
         "The sliding picture puzzle: slide the panels back until the picture is whole."});
    if (!start.application) return start.exitStatus;
    int result = 0;
    {
        zorvat::ZorvatFrm window;
        halvoria::CloseOnTerminationSignals(window);
        window.show();
        result = QApplication::exec();
    }
    halvoria::ShutdownMediaDevice();
    return result;
}

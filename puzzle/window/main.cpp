// Starts Zorvat: the sliding picture puzzle in its one fixed-size window "Mirelda".
#include <QApplication>

#include "common/qt/MediaDevice.h"
#include "common/qt/TerminationSignals.h"
#include "puzzle/window/ZorvatFrm.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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

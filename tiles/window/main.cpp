// Starts Quendle: one fixed-size window titled "Colvane"; the media device is shut down at the end.
#include <QApplication>

#include "common/qt/MediaDevice.h"
#include "common/qt/TerminationSignals.h"
#include "tiles/window/Form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int result = 0;
    {
        quendle::Form1 window;
        halvoria::CloseOnTerminationSignals(window);
        window.show();
        result = app.exec();
    }
    halvoria::ShutdownMediaDevice();
    return result;
}

// DoEvents on the Qt event loop.
#include "common/qt/DoEvents.h"

#include <QCoreApplication>

namespace halvoria {

void DoEvents() {
    if (QCoreApplication::instance() == nullptr) return;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace halvoria

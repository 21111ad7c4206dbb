// A signal handler may do almost nothing, so it only writes a byte into a pipe; the event loop
// notices the byte and closes the window like a click on Exit would.
#include "common/qt/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace halvoria {

namespace {

int wakeFds[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = write(wakeFds[1], &byte, 1);
    errno = saved;
}

// Dismisses any open box first: the game's code waiting on it runs on with the way-out answer,
// and the window is closed once nothing modal is left.
void CloseWhenNoBoxIsOpen(const QPointer<QWidget>& window) {
    if (!window) return;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        QTimer::singleShot(10, window, [window] { CloseWhenNoBoxIsOpen(window); });
        return;
    }
    window->close();
}

}  // namespace

void CloseOnTerminationSignals(QWidget& window) {
    if (wakeFds[0] < 0 && pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakeFds[0] = wakeFds[1] = -1;
        return;
    }
    auto* notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, &window);
    QPointer<QWidget> target(&window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [target] {
        char drained[64];
        while (read(wakeFds[0], drained, sizeof drained) > 0) {
        }
        CloseWhenNoBoxIsOpen(target);
    });

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace halvoria

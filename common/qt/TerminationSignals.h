// Closing a game window when the system asks the program to end (logout, kill, Ctrl+C).
#pragma once

class QWidget;

namespace halvoria {

// From now on SIGTERM, SIGINT and SIGHUP close `window` through its normal close path, so the
// settings are written as on Exit. An open message box is dismissed first with its way-out
// answer. Call once, after the window exists; the window must outlive the event loop.
void CloseOnTerminationSignals(QWidget& window);

}  // namespace halvoria

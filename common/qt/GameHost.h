// What both game windows do alike around their engine: find the program folder, show message
// boxes, loop the tune, draw random numbers and run their closing steps once. A window owns one
// GameHost and keeps only what is its own.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "common/core/MusicLoop.h"
#include "common/core/RandomSource.h"

class QAction;

namespace halvoria {

// The outside world a game window talks to; tests replace it. Empty members take the real thing.
struct HostEnvironment {
    QString appFolder;            // empty: the program's own folder
    SendStringFn sendString;      // empty: the process-wide media device
    std::function<double()> rnd;  // empty: a clock-seeded random source; set: a fixed sequence
};

class GameHost {
  public:
    // window parents the message boxes; tuneFile is the tune's name in the program folder.
    GameHost(QWidget& window, HostEnvironment environment, const char* tuneFile);

    // The folder of pictures, tunes and sounds, ending with '/'.
    const QString& AppFolder() const { return appFolder_; }

    int MsgBox(const std::string& text, int code, const std::string& title);

    MusicLoop& Music() { return music_; }

    // The random source: a fresh seed, and the next number in [0, 1).
    void Randomize();
    double Rnd();

    // True the first time only, so the closing steps run once whether Exit, the title bar or a
    // termination signal started them.
    bool BeginClosing();

  private:
    QWidget& window_;
    HostEnvironment environment_;
    QString appFolder_;
    MusicLoop music_;
    RandomSource random_;
    bool closing_ = false;
};

// Sets the check marks of an on/off menu pair.
void SetMarks(QAction* onItem, QAction* offItem, bool onChecked, bool offChecked);

}  // namespace halvoria

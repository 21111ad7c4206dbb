// The duties both game windows share around their engine.
#include "common/qt/GameHost.h"

#include <QAction>
#include <utility>

#include "common/qt/MediaDevice.h"
#include "common/qt/MsgBox.h"
#include "common/qt/ProgramFolder.h"

namespace halvoria {

namespace {

QString FolderOf(const HostEnvironment& environment) {
    return WithTrailingSeparator(environment.appFolder.isEmpty() ? ProgramFolder()
                                                                 : environment.appFolder);
}

}  // namespace

GameHost::GameHost(QWidget& window, HostEnvironment environment, const char* tuneFile)
    : window_(window),
      environment_(std::move(environment)),
      appFolder_(FolderOf(environment_)),
      music_(environment_.sendString ? environment_.sendString : SendStringFn(SendMediaCommand),
             appFolder_.toStdString(), tuneFile) {}

int GameHost::MsgBox(const std::string& text, int code, const std::string& title) {
    return halvoria::MsgBox(&window_, text, code, title);
}

void GameHost::Randomize() {
    if (!environment_.rnd) random_.Randomize();
}

double GameHost::Rnd() { return environment_.rnd ? environment_.rnd() : random_.Rnd(); }

bool GameHost::BeginClosing() {
    if (closing_) return false;
    closing_ = true;
    return true;
}

void SetMarks(QAction* onItem, QAction* offItem, bool onChecked, bool offChecked) {
    onItem->setChecked(onChecked);
    offItem->setChecked(offChecked);
}

}  // namespace halvoria

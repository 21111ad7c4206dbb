// A Qt input plugin for the Wayland runs: a headless compositor has no seat to script, so this
// plugin, loaded into the real program through QT_QPA_GENERIC_PLUGINS, plays the steps of
// HALVORIA_SCRIPTED_INPUT with Qt's own test input. Steps, separated by ";":
//   key:F2         a key (QKeySequence text, e.g. "F4", "Ctrl+Z") to the main window
//   click:X,Y      a left click at X,Y pixels below the main window's menu bar
//   answer         Return to the next message box
// Each step waits for its window to be shown by the compositor (and for no box to be open,
// except "answer"); a step that cannot be played within 60 s ends the program with status 3.
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QKeySequence>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace {

bool Shown(const QWidget* widget) {
    return widget != nullptr && widget->isVisible() && widget->windowHandle() != nullptr &&
           widget->windowHandle()->isExposed();
}

// The game's window: the shown top-level window that is no menu, tooltip or box.
QWidget* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (Shown(widget) && widget->windowType() == Qt::Window && !widget->isModal())
            return widget;
    }
    return nullptr;
}

class ScriptedInput : public QObject {
  public:
    explicit ScriptedInput(const QString& script)
        : steps_(script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        connect(&timer_, &QTimer::timeout, this, &ScriptedInput::Tick);
        timer_.start(20);
        sinceStep_.start();
    }

  private:
    void Tick() {
        if (next_ >= steps_.size()) {
            timer_.stop();
            return;
        }
        const QString step = steps_[next_];
        if (TryStep(step)) {
            sinceStep_.restart();
        } else if (sinceStep_.elapsed() > 60000) {
            std::fprintf(stderr, "scripted input: could not play \"%s\"\n", qPrintable(step));
            std::fflush(stderr);
            std::_Exit(3);
        }
    }

    // Sends input from a call of its own: input that opens a box blocks in the box's loop, and
    // the ticks of the following steps must not wait inside this timer's own call, which Qt
    // would not enter again.
    template <typename Send>
    void SendSoon(QWidget* target, Send send) {
        QTimer::singleShot(0, this, [target = QPointer<QWidget>(target), send] {
            if (target) send(target.data());
        });
    }

    // Plays the step if its window is ready.
    bool TryStep(const QString& step) {
        if (step == QLatin1String("answer")) {
            QWidget* box = QApplication::activeModalWidget();
            if (!Shown(box) || box == answered_) return false;
            ++next_;
            answered_ = box;
            QApplication::setActiveWindow(box);
            SendSoon(box, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
            return true;
        }
        QWidget* window = MainWindow();
        if (window == nullptr || QApplication::activeModalWidget() != nullptr) return false;
        // Without a seat the compositor gives no window the keyboard; shortcuts need it.
        QApplication::setActiveWindow(window);
        if (step.startsWith(QLatin1String("key:"))) {
            const QKeySequence sequence(step.mid(4));
            if (sequence.isEmpty()) return false;
            ++next_;
            const QKeyCombination combination = sequence[0];
            SendSoon(window, [combination](QWidget* w) {
                QTest::keyClick(w, combination.key(), combination.keyboardModifiers());
            });
            return true;
        }
        if (step.startsWith(QLatin1String("click:"))) {
            const QStringList xy = step.mid(6).split(QLatin1Char(','));
            if (xy.size() != 2) return false;
            const auto* bar = window->findChild<QMenuBar*>();
            const QPoint at(xy[0].toInt(), xy[1].toInt() + (bar != nullptr ? bar->height() : 0));
            QWidget* target = window->childAt(at);
            if (target == nullptr) target = window;
            ++next_;
            const QPoint local = target->mapFrom(window, at);
            SendSoon(target, [local](QWidget* w) {
                QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, local);
            });
            return true;
        }
        return false;
    }

    QStringList steps_;
    int next_ = 0;
    QPointer<QWidget> answered_;
    QTimer timer_;
    QElapsedTimer sinceStep_;
};

}  // namespace

class ScriptedInputPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "scripted-input.json")

  public:
    QObject* create(const QString& key, const QString& parameters) override {
        Q_UNUSED(key);
        Q_UNUSED(parameters);
        return new ScriptedInput(qEnvironmentVariable("HALVORIA_SCRIPTED_INPUT"));
    }
};

#include "ScriptedInput.moc"

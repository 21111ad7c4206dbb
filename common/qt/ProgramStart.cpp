// Start-up shared by both programs: --help and --version, the desktop identity, no display.
#include "common/qt/ProgramStart.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifndef HALVORIA_VERSION
#error "HALVORIA_VERSION must be defined by the build"
#endif

namespace halvoria {
namespace {

// What Qt says while it opens the display is held back: if it fails, one line of our own takes
// the place of its warnings and its abort.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};
std::vector<HeldMessage>* heldMessages = nullptr;
const char* openingProgram = nullptr;

QString NoDisplayReason() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (!platform.isEmpty())
        return QStringLiteral("cannot open a window on the \"%1\" platform")
            .arg(QString::fromLocal8Bit(platform));
    if (x11.isEmpty() && wayland.isEmpty())
        return QStringLiteral(
            "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set)");
    return QStringLiteral("cannot open a window on the display \"%1\"")
        .arg(QString::fromLocal8Bit(x11.isEmpty() ? wayland : x11));
}

void HoldWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", openingProgram, qPrintable(NoDisplayReason()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages->push_back({type, QByteArray(context.file), QByteArray(context.function),
                             QByteArray(context.category), context.line, text});
}

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv, const char* program) {
    std::vector<HeldMessage> held;
    heldMessages = &held;
    openingProgram = program;
    const QtMessageHandler previous = qInstallMessageHandler(HoldWhileOpening);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    heldMessages = nullptr;
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(message.file.constData(), message.line,
                                         message.function.constData(),
                                         message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return application;
}

}  // namespace

ProgramStart StartProgram(int& argc, char** argv, const ProgramIdentity& identity) {
    QCoreApplication::setApplicationName(QString::fromUtf8(identity.name));
    QCoreApplication::setApplicationVersion(QStringLiteral(HALVORIA_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(identity.desktopFileName));

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // "-reverse" and Qt's other single-dash options stay whole words, never "-r -e -v ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf8(identity.description));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Unknown options and other arguments are no error: the games take none and ignore them.
    parser.parse(arguments);
    if (parser.isSet(help)) {
        // The help text names the program as it was called, which it learns from an application.
        const QCoreApplication core(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return {nullptr, 0};
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", identity.name, HALVORIA_VERSION);
        return {nullptr, 0};
    }
    return {OpenApplication(argc, argv, identity.name), 0};
}

}  // namespace halvoria

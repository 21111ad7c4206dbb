// Cost of a new puzzle game in the real window (offscreen): the shuffle of 100 slides and the
// full draw onto the window's picture box, from the built-in picture and from a 4000 x 3000 JPEG
// in the program folder. Choosing that JPEG (decoding it) is measured on its own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/toolkit/MsgBox.h"
#include "puzzle/window/ZorvatFrm.h"

namespace {

QTemporaryDir* programFolder = nullptr;

// A busy 4000 x 3000 photograph stand-in: gradients and circles, so JPEG decoding does real work.
void WriteLargeJpeg(const QString& path) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = qRgb((x * 255) / 4000, (y * 255) / 3000, ((x ^ y) & 0xFF));
        }
    }
    QPainter painter(&image);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 200, 230));
        painter.drawEllipse((i * 613) % 3800, (i * 419) % 2800, 200 + i * 5, 200 + i * 3);
    }
    painter.end();
    image.save(path, "JPEG", 90);
}

std::unique_ptr<zorvat::ZorvatFrm> OpenWindow() {
    zorvat::ZorvatEnvironment environment;
    environment.appFolder = programFolder->path() + QLatin1Char('/');
    environment.sendString = [](const std::string&, char* reply, int length) {
        if (reply != nullptr && length > 0) reply[0] = 0;
        return 0;
    };
    environment.playSound = [](const std::string&, int) { return true; };
    auto window = std::make_unique<zorvat::ZorvatFrm>(environment);
    window->show();
    QApplication::processEvents();
    return window;
}

// Arguments: grid size index (0: 4 x 4 ... 3: 10 x 10), picture (0: built-in, 1: the JPEG).
void BM_NewGameInWindow(benchmark::State& state) {
    auto window = OpenWindow();
    window->MassSize_Click(static_cast<int>(state.range(0)));
    window->PicName_Click(static_cast<int>(state.range(1)));
    window->Game().shuffleCount = 100;
    if (state.range(1) == 1 && window->PictureName().isEmpty()) {
        state.SkipWithError("the JPEG did not load");
        return;
    }
    for (auto _ : state) {
        window->Game_Start_Click();
        benchmark::DoNotOptimize(window->Game().board);
    }
    window->close();
}
BENCHMARK(BM_NewGameInWindow)
    ->ArgNames({"size", "jpeg"})
    ->Args({0, 0})
    ->Args({3, 0})
    ->Args({0, 1})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ChooseLargeJpeg(benchmark::State& state) {
    auto window = OpenWindow();
    for (auto _ : state) {
        window->PicName_Click(1);
        state.PauseTiming();
        window->PicName_Click(0);
        state.ResumeTiming();
    }
    window->close();
}
BENCHMARK(BM_ChooseLargeJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

// The offscreen platform warns on every window shown; the warning says nothing about the game.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints"))) return;
    std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "",
                 message.toLocal8Bit().constData());
}

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietOffscreenWarnings);
    // A private settings store and no audio, so the benchmark leaves the player's files alone.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    programFolder = &folder;
    WriteLargeJpeg(folder.path() + QStringLiteral("/large.jpg"));
    // Any question (a running game when the picture changes) is answered Yes.
    halvoria::SetMsgBoxHandler(
        [](const std::string&, int, const std::string&) { return halvoria::kMsgBoxYes; });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

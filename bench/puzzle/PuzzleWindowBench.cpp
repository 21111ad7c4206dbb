// Cost of a new puzzle game and of a slide in the real window (offscreen): the shuffle of 100
// slides and the full draw onto the window's picture box, from the built-in picture and from a
// 4000 x 3000 JPEG in the program folder. Choosing a photo (decoding it to fit the board) is
// measured on its own, for that JPEG and for an 8000 x 6000 one, with the memory it takes at its
// peak above what the process held before.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/qt/MsgBox.h"
#include "common/qt/PictureBox.h"
#include "puzzle/window/ZorvatFrm.h"

namespace {

QTemporaryDir* programFolder = nullptr;

// A busy photograph stand-in: gradients and circles, so JPEG decoding does real work. With grain,
// fine noise as a camera sensor leaves it, the file is as large as a real photo's (about 3 bits a
// pixel), and decoding its many coded bits costs what a real photo costs.
void WriteLargeJpeg(const QString& path, int width, int height, bool grain) {
    std::uint32_t noise = 12345;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            int shift = 0;
            if (grain) {
                noise = noise * 1664525u + 1013904223u;
                shift = static_cast<int>(noise >> 27) - 16;
            }
            line[x] = qRgb(qBound(0, (x * 255) / width + shift, 255),
                           qBound(0, (y * 255) / height + shift, 255), ((x ^ y) & 0xFF));
        }
    }
    QPainter painter(&image);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 200, 230));
        painter.drawEllipse((i * 613) % (width - 200), (i * 419) % (height - 200),
                            (200 + i * 5) * width / 4000, (200 + i * 3) * width / 4000);
    }
    painter.end();
    image.save(path, "JPEG", 90);
}

// A field of /proc/self/status in KiB (VmRSS, VmHWM), or -1.
long StatusKib(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Starts counting the process's peak memory afresh (Linux: "5" to clear_refs).
bool ResetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
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

// Argument: grid size index; the picture is the built-in one (0) or the 4000 x 3000 JPEG (1).
// One press slides a panel next to the blank, the next one slides it back.
void BM_SlideInWindow(benchmark::State& state) {
    auto window = OpenWindow();
    window->MassSize_Click(static_cast<int>(state.range(0)));
    window->PicName_Click(static_cast<int>(state.range(1)));
    zorvat::PuzzleGame& game = window->Game();
    game.shuffleCount = 100;
    game.Game_Start_Click();
    const int n = game.panelSize;
    const double w = window->PicBox().Width() / n;
    const double h = window->PicBox().Height() / n;
    for (auto _ : state) {
        int blankX = 1, blankY = 1;
        for (int x = 1; x <= n; ++x) {
            for (int y = 1; y <= n; ++y) {
                if (game.board[x][y] == n * n) blankX = x, blankY = y;
            }
        }
        const int x = blankX > 1 ? blankX - 1 : blankX + 1;
        window->Pic_MouseDown(1, 0, static_cast<float>((x - 0.5) * w),
                              static_cast<float>((blankY - 0.5) * h));
        if (!game.playing) {
            state.PauseTiming();
            game.Game_Start_Click();
            state.ResumeTiming();
        }
    }
    window->close();
}
BENCHMARK(BM_SlideInWindow)
    ->ArgNames({"size", "jpeg"})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMicrosecond);

// Argument: the picture item, 1 for the 4000 x 3000 JPEG, 2 for the 8000 x 6000 one with grain,
// 3 for a 4000 x 3000 one with grain.
void BM_ChooseLargeJpeg(benchmark::State& state) {
    auto window = OpenWindow();
    const int item = static_cast<int>(state.range(0));
    double peakAboveMib = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window->PicName_Click(0);
        const long before = StatusKib("VmRSS");
        const bool peakReset = ResetPeakMemory();
        state.ResumeTiming();
        window->PicName_Click(item);
        state.PauseTiming();
        if (peakReset && before > 0) {
            peakAboveMib =
                std::max(peakAboveMib, static_cast<double>(StatusKib("VmHWM") - before) / 1024.0);
        }
        state.ResumeTiming();
    }
    if (window->PictureName().isEmpty()) state.SkipWithError("the JPEG did not load");
    state.counters["peak_MiB_above"] = peakAboveMib;
    state.counters["file_MiB"] =
        static_cast<double>(QFileInfo(programFolder->path() + "/" + window->PictureName()).size()) /
        (1024.0 * 1024.0);
    window->close();
}
BENCHMARK(BM_ChooseLargeJpeg)
    ->ArgName("picture")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// The offscreen platform warns on every window shown; the warning says nothing about the game.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints"))) return;
    std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "",
                 message.toLocal8Bit().constData());
}

int main(int argc, char** argv) {
    // Large blocks always come from the system and go back to it when freed, so the peak memory
    // of a choice is what it allocates, not what earlier frees left in the heap.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    qInstallMessageHandler(QuietOffscreenWarnings);
    // A private settings store and no audio, so the benchmark leaves the player's files alone.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", config.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    programFolder = &folder;
    WriteLargeJpeg(folder.path() + QStringLiteral("/large.jpg"), 4000, 3000, false);
    WriteLargeJpeg(folder.path() + QStringLiteral("/large_48mp.jpg"), 8000, 6000, true);
    WriteLargeJpeg(folder.path() + QStringLiteral("/large_grain.jpg"), 4000, 3000, true);
    // Any question (a running game when the picture changes) is answered Yes.
    halvoria::SetMsgBoxHandler(
        [](const std::string&, int, const std::string&) { return halvoria::kMsgBoxYes; });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

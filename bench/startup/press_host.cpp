// Runs one of the real game windows for the press-to-screen benchmark, with a dice that deals a
// known board, and tells the timing tool where to press and which keys put the board back.
// usage: press_host zorvat N [photo]   a slide at grid size N with the built-in picture, or with
//                                      the first picture file of the program's folder
//        press_host quendle large|pair          the removal of a 180-tile group or of a pair
// Prints "window ID", "board X Y W H" (the board's visible part, in window pixels) and one
// "step click X Y" or "step key KEYS" line per step of the repeated cycle, then "go".
#include <QApplication>
#include <QCoreApplication>
#include <QRect>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/qt/MediaDevice.h"
#include "common/qt/PictureBox.h"
#include "puzzle/window/ZorvatFrm.h"
#include "tiles/window/Form1.h"

namespace {

// The part of a widget that is on screen, in its window's coordinates.
QRect VisibleInWindow(const QWidget& widget) {
    QRect rect = widget.rect();
    const QWidget* w = &widget;
    while (!w->isWindow() && w->parentWidget() != nullptr) {
        rect = rect.translated(w->pos()) & w->parentWidget()->rect();
        w = w->parentWidget();
    }
    return rect;
}

void PrintBoard(const QWidget& window, const QRect& board) {
    std::printf("window %lu\nboard %d %d %d %d\n", static_cast<unsigned long>(window.winId()),
                board.x(), board.y(), board.width(), board.height());
}

// The visible part of a rectangle given in the board widget's coordinates, in window pixels.
QRect VisiblePart(const QWidget& board, const QRect& cell) {
    return VisibleInWindow(board) & cell.translated(board.mapTo(board.window(), QPoint(0, 0)));
}

int RunZorvat(int n, bool photo) {
    if (n < 4 || n > 10) return 2;
    // Every new game walks the blank from (N, N) N - 1 cells left and N - 2 up, to (1, 2): a slide
    // of (1, 1) down and back up is then always on screen and never solves the board.
    const int steps = 2 * n - 3;
    int call = 0;
    zorvat::ZorvatEnvironment environment;
    environment.rnd = [&call, n, steps] {
        const int k = call++ % steps;
        return k < n - 1 ? 0.6 : 0.1;  // 3: left, 1: up
    };
    zorvat::ZorvatFrm window(environment);
    const int sizeIndex = n == 4 ? 0 : n == 5 ? 1 : n == 8 ? 2 : 3;
    window.Menu().MassSize[static_cast<std::size_t>(sizeIndex)]->trigger();
    if (window.Game().panelSize != n) return 2;
    if (photo) {
        if (window.Menu().PicName.size() < 2) return 2;
        window.Menu().PicName[1]->trigger();
    }
    window.Game().shuffleCount = steps;
    window.show();
    window.Menu().Game_Start->trigger();
    QCoreApplication::processEvents();

    const halvoria::PictureBox& pic = window.PicBox();
    const int w = pic.width();
    const int h = pic.height();
    const QRect cell11(0, 0, w / n, h / n);
    const QRect cell12(0, h / n, w / n, h / n);
    PrintBoard(window, VisibleInWindow(pic));
    const QPoint first = VisiblePart(pic, cell11).center();
    const QRect second = VisiblePart(pic, cell12);
    std::printf("step click %d %d\n", first.x(), first.y());
    if (second.width() >= 8 && second.height() >= 8) {
        // (1, 2) is on screen: slide back with a second press.
        std::printf("step click %d %d\n", second.center().x(), second.center().y());
    } else {
        // Only (1, 1) is on screen (a large picture at a small grid size): a new game puts the
        // blank back beside it.
        std::printf("step key F2\n");
    }
    std::printf("go\n");
    std::fflush(stdout);
    const int result = QApplication::exec();
    return result;
}

int RunQuendle(bool large) {
    // Columns 0..17 all of kind 0 (one group of 180); columns 18 and 19 alternate kinds 1 and 2,
    // but for a pair of kind 3 at the foot of column 18.
    std::vector<double> deal;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            int kind = x < 18 ? 0 : 1 + ((x + y) & 1);
            if (x == 18 && y >= 8) kind = 3;
            deal.push_back((kind + 0.5) / 4.0);
        }
    }
    std::size_t call = 0;
    quendle::QuendleEnvironment environment;
    environment.rnd = [&call, &deal] { return deal[call++ % deal.size()]; };
    quendle::Form1 window(environment);
    window.show();
    window.Menu().GameStart->trigger();
    QCoreApplication::processEvents();

    const halvoria::PictureBox& board = window.GamePicBox();
    const int inset = board.ContentInset();
    const QRect cell =
        large ? QRect(inset, inset, 25, 25) : QRect(inset + 18 * 25, inset + 9 * 25, 25, 25);
    PrintBoard(window, VisibleInWindow(board));
    const QPoint point = VisiblePart(board, cell).center();
    std::printf("step click %d %d\nstep key ctrl+z\ngo\n", point.x(), point.y());
    std::fflush(stdout);
    const int result = QApplication::exec();
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int result = 2;
    if (argc >= 3 && std::strcmp(argv[1], "zorvat") == 0) {
        result = RunZorvat(std::atoi(argv[2]), argc >= 4 && std::strcmp(argv[3], "photo") == 0);
    } else if (argc >= 3 && std::strcmp(argv[1], "quendle") == 0) {
        result = RunQuendle(std::strcmp(argv[2], "large") == 0);
    } else {
        std::fprintf(stderr, "usage: press_host zorvat N [photo] | quendle large|pair\n");
    }
    halvoria::ShutdownMediaDevice();
    return result;
}

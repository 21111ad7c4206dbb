// Reads a sliding-puzzle board off two screenshots and prints the presses that solve it.
// usage: board_solver SOLVED.png DEALT.png N LEFT TOP WIDTH HEIGHT
// SOLVED shows the whole picture, DEALT the board after a new game; the board lies at LEFT, TOP
// and is WIDTH x HEIGHT pixels in both. Each cell of DEALT is matched to the home cell of SOLVED
// it looks most like (the cell that looks least like any panel is the blank); then an iterative
// deepening search finds the shortest row of slides. Output: one "column row" line a press,
// 1-based, in order.
#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

struct Board {
    int n = 0;
    std::vector<int> cells;  // cells[y * n + x]: the panel there, n * n - 1 for the blank
};

// Mean difference of two cells' inner parts (away from grid lines and rounded edges).
double CellDistance(const QImage& a, const QRect& ra, const QImage& b, const QRect& rb) {
    const int margin = 4;
    const int w = std::min(ra.width(), rb.width()) - 2 * margin;
    const int h = std::min(ra.height(), rb.height()) - 2 * margin;
    double sum = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = a.pixel(ra.left() + margin + x, ra.top() + margin + y);
            const QRgb q = b.pixel(rb.left() + margin + x, rb.top() + margin + y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (w * h);
}

QRect Cell(const QRect& board, int n, int x, int y) {
    const int left = board.left() + (board.width() * x + n / 2) / n;
    const int top = board.top() + (board.height() * y + n / 2) / n;
    const int right = board.left() + (board.width() * (x + 1) + n / 2) / n;
    const int bottom = board.top() + (board.height() * (y + 1) + n / 2) / n;
    return QRect(left, top, right - left, bottom - top);
}

Board ReadBoard(const QImage& solved, const QImage& dealt, int n, const QRect& area) {
    Board board{n, std::vector<int>(n * n)};
    const int blank = n * n - 1;
    std::vector<double> worst(n * n);
    for (int i = 0; i < n * n; ++i) {
        const QRect here = Cell(area, n, i % n, i / n);
        double best = std::numeric_limits<double>::max();
        for (int panel = 0; panel < blank; ++panel) {
            const double d = CellDistance(dealt, here, solved, Cell(area, n, panel % n, panel / n));
            if (d < best) {
                best = d;
                board.cells[i] = panel;
            }
        }
        worst[i] = best;
    }
    board.cells[std::max_element(worst.begin(), worst.end()) - worst.begin()] = blank;
    return board;
}

int Manhattan(const Board& b) {
    int sum = 0;
    for (int i = 0; i < b.n * b.n; ++i) {
        const int panel = b.cells[i];
        if (panel == b.n * b.n - 1) continue;
        sum += std::abs(panel % b.n - i % b.n) + std::abs(panel / b.n - i / b.n);
    }
    return sum;
}

// Depth-first search below a bound on slides made plus the Manhattan distance left.
bool Search(Board& b, int blankAt, int made, int bound, int cameFrom, std::vector<int>& path,
            int& nextBound) {
    const int estimate = made + Manhattan(b);
    if (estimate > bound) {
        nextBound = std::min(nextBound, estimate);
        return false;
    }
    if (estimate == made) return true;
    const int x = blankAt % b.n;
    const int y = blankAt / b.n;
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : steps) {
        const int nx = x + step[0];
        const int ny = y + step[1];
        if (nx < 0 || ny < 0 || nx >= b.n || ny >= b.n) continue;
        const int from = ny * b.n + nx;
        if (from == cameFrom) continue;
        std::swap(b.cells[from], b.cells[blankAt]);
        path.push_back(from);
        if (Search(b, from, made + 1, bound, blankAt, path, nextBound)) return true;
        path.pop_back();
        std::swap(b.cells[from], b.cells[blankAt]);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 8) {
        std::fprintf(stderr, "usage: board_solver SOLVED.png DEALT.png N LEFT TOP WIDTH HEIGHT\n");
        return 2;
    }
    const QImage solved(QString::fromLocal8Bit(argv[1]));
    const QImage dealt(QString::fromLocal8Bit(argv[2]));
    const int n = std::atoi(argv[3]);
    const QRect area(std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                     std::atoi(argv[7]));
    if (solved.isNull() || dealt.isNull() || n < 2 || n > 10 || !solved.rect().contains(area) ||
        !dealt.rect().contains(area)) {
        std::fprintf(stderr, "board_solver: unreadable screenshots or a board outside them\n");
        return 2;
    }
    Board board = ReadBoard(solved, dealt, n, area);
    std::vector<int> seen(board.cells);
    std::sort(seen.begin(), seen.end());
    for (int i = 0; i < n * n; ++i) {
        if (seen[i] != i) {
            std::fprintf(
                stderr, "board_solver: panel %d seen %s\n", i,
                std::count(board.cells.begin(), board.cells.end(), i) ? "twice" : "nowhere");
            return 1;
        }
    }
    const int blankAt = static_cast<int>(
        std::find(board.cells.begin(), board.cells.end(), n * n - 1) - board.cells.begin());
    std::vector<int> path;
    for (int bound = Manhattan(board); bound <= 200;) {
        int nextBound = std::numeric_limits<int>::max();
        if (Search(board, blankAt, 0, bound, -1, path, nextBound)) {
            for (const int cell : path) std::printf("%d %d\n", cell % n + 1, cell / n + 1);
            return 0;
        }
        bound = nextBound;
    }
    std::fprintf(stderr, "board_solver: no solution within 200 slides\n");
    return 1;
}

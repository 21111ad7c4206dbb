// Text boards, the raster board picture and the recording window operations of the engine tests.
#include "tests/tiles/engine/TileTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quendle::test {

namespace {
constexpr int kPicWidth = 501;
constexpr int kPicHeight = 251;

char CellChar(std::int32_t value) {
    if (value == TileGame::kEmpty) return '.';
    if (value >= 0 && value <= 3) return static_cast<char>('0' + value);
    return '?';
}
}  // namespace

void Load(Cells& cells, const Rows& rows) {
    ASSERT_EQ(rows.size(), 10u) << "a board has 10 rows";
    for (int y = 0; y < 10; ++y) {
        const std::string& line = rows[static_cast<size_t>(y)];
        ASSERT_EQ(line.size(), 20u) << "row " << y << " has 20 cells: " << line;
        for (int x = 0; x < 20; ++x) {
            const char c = line[static_cast<size_t>(x)];
            ASSERT_TRUE(c == '.' || (c >= '0' && c <= '3')) << "bad cell '" << c << "'";
            cells[x][y] = c == '.' ? TileGame::kEmpty : c - '0';
        }
    }
}

Rows Text(const Cells& cells) {
    Rows rows(10, std::string(20, '.'));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = CellChar(cells[x][y]);
    return rows;
}

void SetAll(TileGame& game, const Rows& rows) {
    Load(game.board, rows);
    Load(game.pendingBoard, rows);
    Load(game.previousBoard, rows);
}

Rows EmptyRows() { return Rows(10, std::string(20, '.')); }

void StripSurface::PaintPicture(const PictureSurface&, float, float, double, double, double, double,
                                double, double) {
    ADD_FAILURE() << "the tile strip is never drawn on";
}
void StripSurface::FillBox(float, float, float, float, halvoria::Colour) {
    ADD_FAILURE() << "the tile strip is never drawn on";
}
void StripSurface::ClearPicture() { ADD_FAILURE() << "the tile strip is never cleared"; }

BoardSurface::BoardSurface(double twipsPerPixel, bool keepRaster)
    : tpp_(twipsPerPixel),
      keepRaster_(keepRaster),
      pixels_(keepRaster ? kPicWidth * kPicHeight : 0, kWhitePixel),
      shown_(EmptyRows()) {}

int BoardSurface::Edge(double twips) const {
    return static_cast<int>(std::floor(twips / tpp_ + 0.5));
}

void BoardSurface::SetPixel(int px, int py, int value) {
    if (px >= 0 && px < kPicWidth && py >= 0 && py < kPicHeight)
        pixels_[static_cast<size_t>(py * kPicWidth + px)] = value;
}

void BoardSurface::PaintPicture(const PictureSurface& source, float destLeft, float destTop,
                                double destWidth, double destHeight, double srcLeft, double srcTop,
                                double srcWidth, double srcHeight) {
    const bool fromStrip = dynamic_cast<const StripSurface*>(&source) != nullptr;
    EXPECT_TRUE(fromStrip) << "tiles come from the tile strip";
    EXPECT_EQ(destWidth, srcWidth) << "tiles are copied unscaled";
    EXPECT_EQ(destHeight, srcHeight) << "tiles are copied unscaled";

    const double cw = 25 * tpp_;
    Call call{Call::kTile};
    const double cx = destLeft / cw, cy = destTop / cw;
    const double k = srcLeft / (26 * tpp_);
    if (cx == std::floor(cx) && cy == std::floor(cy) && cx >= 0 && cx < 20 && cy >= 0 && cy < 10 &&
        destWidth == cw && destHeight == cw && srcTop == 0 && k == std::floor(k) && k >= 0 &&
        k <= 3) {
        call.x = static_cast<int>(cx);
        call.y = static_cast<int>(cy);
        call.kind = static_cast<int>(k);
        shown_[static_cast<size_t>(call.y)][static_cast<size_t>(call.x)] =
            static_cast<char>('0' + call.kind);
    }
    calls.push_back(call);
    if (!keepRaster_) return;

    const int dx0 = Edge(destLeft), dy0 = Edge(destTop);
    const int w = Edge(destLeft + destWidth) - dx0, h = Edge(destTop + destHeight) - dy0;
    const int sx0 = Edge(srcLeft), sy0 = Edge(srcTop);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const int sx = sx0 + i, sy = sy0 + j;
            const bool inside = fromStrip && sx >= 0 && sx < 103 && sy >= 0 && sy < 25;
            SetPixel(dx0 + i, dy0 + j, inside ? StripPixel(sx, sy) : kUnknownPixel);
        }
    }
}

void BoardSurface::FillBox(float x1, float y1, float x2, float y2, halvoria::Colour colour) {
    EXPECT_EQ(colour, halvoria::kWhite) << "an empty cell is white";
    const double cw = 25 * tpp_;
    Call call{Call::kEmpty};
    const double cx = x1 / cw, cy = y1 / cw;
    if (cx == std::floor(cx) && cy == std::floor(cy) && cx >= 0 && cx < 20 && cy >= 0 && cy < 10 &&
        x2 - x1 == cw && y2 - y1 == cw) {
        call.x = static_cast<int>(cx);
        call.y = static_cast<int>(cy);
        shown_[static_cast<size_t>(call.y)][static_cast<size_t>(call.x)] = '.';
    }
    calls.push_back(call);
    if (!keepRaster_) return;
    for (int py = Edge(y1); py < Edge(y2); ++py)
        for (int px = Edge(x1); px < Edge(x2); ++px)
            SetPixel(px, py, colour == halvoria::kWhite ? kWhitePixel : kUnknownPixel);
}

void BoardSurface::ClearPicture() {
    calls.push_back(Call{Call::kClear});
    if (log) log->push_back("Clear");
    shown_ = EmptyRows();
    std::fill(pixels_.begin(), pixels_.end(), kWhitePixel);
}

void BoardSurface::Show(const Rows& rows) {
    shown_ = rows;
    if (!keepRaster_) return;
    std::fill(pixels_.begin(), pixels_.end(), kWhitePixel);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const char c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            if (c == '.') continue;
            for (int j = 0; j < 25; ++j)
                for (int i = 0; i < 25; ++i)
                    SetPixel(25 * x + i, 25 * y + j, StripPixel(26 * (c - '0') + i, j));
        }
    }
}

std::string BoardSurface::RasterMismatch(const Rows& expected) const {
    for (int py = 0; py < kPicHeight; ++py) {
        for (int px = 0; px < kPicWidth; ++px) {
            int want = kWhitePixel;
            if (px < 500 && py < 250) {
                const char c = expected[static_cast<size_t>(py / 25)][static_cast<size_t>(px / 25)];
                if (c != '.') want = StripPixel(26 * (c - '0') + px % 25, py % 25);
            }
            if (Pixel(px, py) != want)
                return "pixel (" + std::to_string(px) + ", " + std::to_string(py) + ") is " +
                       std::to_string(Pixel(px, py)) + ", expected " + std::to_string(want);
        }
    }
    return "";
}

RecordingOps::RecordingOps(double twipsPerPixel, bool keepRaster)
    : tppX(twipsPerPixel),
      tppY(twipsPerPixel),
      board(twipsPerPixel, keepRaster),
      strip(twipsPerPixel) {
    board.log = &log;
}

void RecordingOps::SetScoreCaption(const std::string& text) {
    scoreCaption = text;
    log.push_back("Score:" + text);
}

void RecordingOps::SetHScoreCaption(const std::string& text) {
    hScoreCaption = text;
    log.push_back("HScore:" + text);
}

int RecordingOps::MsgBox(const std::string& text, int code, const std::string& title) {
    boxes.push_back({text, code, title});
    log.push_back("Box:" + std::to_string(code));
    if (code != 36) return 6;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return 7;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingOps::DoEvents() {
    log.push_back("DoEvents");
    if (onDoEvents) onDoEvents();
}

double RecordingOps::Rnd() {
    if (!rnd.empty()) {
        const double value = rnd.front();
        rnd.pop_front();
        return value;
    }
    return std::generate_canonical<double, 53>(engine);
}

void Click(TileGame& game, int x, int y, double twipsPerPixel) {
    game.GamePic_MouseDown(1, 0, static_cast<float>((25 * x + 12.5) * twipsPerPixel),
                           static_cast<float>((25 * y + 12.5) * twipsPerPixel));
}

}  // namespace quendle::test

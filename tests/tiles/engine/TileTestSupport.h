// Test helpers for the tile engine: boards as text, a raster picture surface that decodes each
// drawing call to a cell, and window operations that record captions, boxes and music calls.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/core/PictureSurface.h"
#include "tiles/engine/TileGame.h"
#include "tiles/engine/TileWindowOps.h"

namespace quendle::test {

// A layout as 10 lines of 20 characters, top row first: digits for kinds, '.' for empty, '?' for
// any other value.
using Rows = std::vector<std::string>;
using Cells = std::int32_t[21][11];

// Writes the 200 used cells from text; a malformed board fails the test.
void Load(Cells& cells, const Rows& rows);
Rows Text(const Cells& cells);
// The same layout in board, pendingBoard and previousBoard, as after a deal.
void SetAll(TileGame& game, const Rows& rows);
Rows EmptyRows();

// Picture element values of the raster: white, or an element copied from the tile strip.
inline constexpr int kWhitePixel = -1;
inline constexpr int kUnknownPixel = -2;
// The strip's element (sx, sy) has value StripPixel(sx, sy), so every copied element shows where
// it came from.
constexpr int StripPixel(int sx, int sy) { return 1000 + sx * 32 + sy; }

// The hidden tile strip: 103 x 25 pixels.
class StripSurface : public halvoria::PictureSurface {
  public:
    explicit StripSurface(double twipsPerPixel) : tpp_(twipsPerPixel) {}
    void PaintPicture(const PictureSurface&, float, float, double, double, double, double, double,
                      double) override;
    void FillBox(float, float, float, float, halvoria::Colour) override;
    void ClearPicture() override;
    double Width() const override { return 103 * tpp_; }
    double Height() const override { return 25 * tpp_; }
    halvoria::Colour BackColor() const override { return halvoria::kWhite; }

  private:
    double tpp_;
};

// The board picture, 501 x 251 pixels, white at start. Each edge in twips maps to the pixel edge
// round-half-up(twips / tpp); a box covers its first corner's edge up to, not including, the
// second's. Every call is also decoded to the cell it is meant for.
class BoardSurface : public halvoria::PictureSurface {
  public:
    struct Call {
        enum Type { kTile, kEmpty, kClear } type;
        int x = -1, y = -1;  // the cell, -1 when the call does not fit one cell exactly
        int kind = -1;       // tile kind for kTile
        bool operator==(const Call&) const = default;
    };

    BoardSurface(double twipsPerPixel, bool keepRaster = true);

    void PaintPicture(const PictureSurface& source, float destLeft, float destTop, double destWidth,
                      double destHeight, double srcLeft, double srcTop, double srcWidth,
                      double srcHeight) override;
    void FillBox(float x1, float y1, float x2, float y2, halvoria::Colour colour) override;
    void ClearPicture() override;
    double Width() const override { return 501 * tpp_; }
    double Height() const override { return 251 * tpp_; }
    halvoria::Colour BackColor() const override { return halvoria::kWhite; }

    int Pixel(int px, int py) const { return pixels_[static_cast<size_t>(py * 501 + px)]; }
    // The layout the picture shows, cell by cell, from the decoded calls ('?' for a cell never
    // drawn as one piece since the last clear).
    const Rows& Shown() const { return shown_; }
    // Checks every pixel against the layout shown (tile elements in place, white for empty, the
    // spare right column and bottom row white); returns the first mismatch or "".
    std::string RasterMismatch(const Rows& expected) const;
    // Sets the picture to show a layout without recording calls, as if it had been drawn.
    void Show(const Rows& rows);

    std::vector<Call> calls;
    // Where a cleared picture is noted as "Clear", in order with the window operations.
    std::vector<std::string>* log = nullptr;

  private:
    int Edge(double twips) const;
    void SetPixel(int px, int py, int value);

    double tpp_;
    bool keepRaster_;
    std::vector<int> pixels_;
    Rows shown_;
};

struct Box {
    std::string text;
    int code;
    std::string title;
    bool operator==(const Box&) const = default;
};

class RecordingOps : public TileWindowOps {
  public:
    explicit RecordingOps(double twipsPerPixel = 15.0, bool keepRaster = true);

    halvoria::PictureSurface& GamePic() override { return board; }
    const halvoria::PictureSurface& MoneyPic() override { return strip; }
    double TwipsPerPixelX() override { return tppX; }
    double TwipsPerPixelY() override { return tppY; }
    void SetScoreCaption(const std::string& text) override;
    void SetHScoreCaption(const std::string& text) override;
    int MsgBox(const std::string& text, int code, const std::string& title) override;
    void DoEvents() override;
    void PlayMusic() override { log.push_back("PlayMusic"); }
    void CloseMusic() override { log.push_back("CloseMusic"); }
    void PollMusic() override { log.push_back("PollMusic"); }
    void Randomize() override { log.push_back("Randomize"); }
    double Rnd() override;

    // Seeds the default random source (a Mersenne twister) used when no script is given.
    void Seed(std::uint32_t seed) { engine.seed(seed); }

    double tppX, tppY;
    BoardSurface board;
    StripSurface strip;
    std::string scoreCaption = "0", hScoreCaption = "0";
    std::vector<Box> boxes;
    // Answers for question boxes (code 36); an unscripted question fails the test and answers No.
    std::deque<int> answers;
    // Runs inside DoEvents, standing for the events the player queued.
    std::function<void()> onDoEvents;
    // Values for Rnd; once used up, the Mersenne twister takes over.
    std::deque<double> rnd;
    // Everything in call order: "Score:n", "HScore:n", "Box:<code>", "DoEvents", music calls,
    // "Randomize", "Clear" for a cleared picture.
    std::vector<std::string> log;

  private:
    std::mt19937 engine{1};
};

// A press in the middle of cell (x, y) at the given twips per pixel.
void Click(TileGame& game, int x, int y, double twipsPerPixel = 15.0);

}  // namespace quendle::test

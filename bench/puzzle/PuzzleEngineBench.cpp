// Cost of the puzzle engine's own work with window operations that do nothing: one slide press
// (refresh, evaluation, score text) and one new game (shuffle of 100 slides and the full draw).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "common/core/PictureSurface.h"
#include "puzzle/engine/PuzzleGame.h"
#include "puzzle/engine/PuzzleWindowOps.h"

namespace {

class NullSurface : public halvoria::PictureSurface {
  public:
    void PaintPicture(const halvoria::PictureSurface&, float, float, double, double, double, double,
                      double, double) override {}
    void FillBox(float, float, float, float, halvoria::Colour) override {}
    void ClearPicture() override {}
    double Width() const override { return 5985; }
    double Height() const override { return 5985; }
    halvoria::Colour BackColor() const override { return halvoria::kWhite; }
};

class NullOps : public zorvat::PuzzleWindowOps {
  public:
    halvoria::PictureSurface& Pic() override { return pic_; }
    const halvoria::PictureSurface& PicSurface() override { return surface_; }
    void ShowWholePicture() override {}
    void ShowGridLine(zorvat::GridLineArray, int, int, int, int, int) override {}
    void HideGridLine(zorvat::GridLineArray, int) override {}
    void SetTimesCaption(const std::string& text) override { benchmark::DoNotOptimize(text); }
    void SetTimeCaption(const std::string& text) override { benchmark::DoNotOptimize(text); }
    void SetScoreCaption(const std::string& text) override { benchmark::DoNotOptimize(text); }
    int MsgBox(const std::string&, int, const std::string&) override { return 6; }
    void PlayMusic() override {}
    void CloseMusic() override {}
    void PollMusic() override {}
    void PlayMoveSound() override {}
    bool RecordBestScore(int, int) override { return false; }
    std::uint32_t TickCount() override { return ++tick_; }
    void Randomize() override {}
    double Rnd() override { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

  private:
    NullSurface pic_;
    NullSurface surface_;
    std::uint32_t tick_ = 0;
    std::mt19937_64 random_{7};
};

// Slides one panel to and fro next to the blank of a shuffled board; every press slides.
void BM_SlidePress(benchmark::State& state) {
    NullOps ops;
    zorvat::PuzzleGame game{ops};
    game.panelSize = static_cast<std::int32_t>(state.range(0));
    const std::int32_t n = game.panelSize;
    game.Game_Start_Click();
    int bx = 0, by = 0;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (game.board[x][y] == n * n) bx = x, by = y;
        }
    }
    const int px = bx == 1 ? 2 : bx - 1;
    const double w = 5985.0 / n;
    const float cells[2][2] = {
        {static_cast<float>((px - 0.5) * w), static_cast<float>((by - 0.5) * w)},
        {static_cast<float>((bx - 0.5) * w), static_cast<float>((by - 0.5) * w)}};
    int turn = 0;
    for (auto _ : state) {
        game.Pic_MouseDown(1, 0, cells[turn][0], cells[turn][1]);
        turn ^= 1;
        if (!game.playing) {
            state.SkipWithError("the to-and-fro slide solved the board");
            break;
        }
    }
    benchmark::DoNotOptimize(game.moveCount);
}
BENCHMARK(BM_SlidePress)->Arg(4)->Arg(10);

void BM_NewGame(benchmark::State& state) {
    NullOps ops;
    zorvat::PuzzleGame game{ops};
    game.panelSize = static_cast<std::int32_t>(state.range(0));
    game.shuffleCount = 100;
    game.musicOn = false;
    for (auto _ : state) {
        game.Game_Start_Click();
        benchmark::DoNotOptimize(game.board);
    }
}
BENCHMARK(BM_NewGame)->Arg(4)->Arg(10);

}  // namespace

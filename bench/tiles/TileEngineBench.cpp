// Cost of a press in the tile game: the largest possible removal (all 200 tiles, with settling
// and redrawing) and a typical press on a dealt board, drawing onto surfaces that do nothing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "tiles/engine/TileGame.h"

namespace {

class NullSurface : public halvoria::PictureSurface {
  public:
    void PaintPicture(const PictureSurface&, float, float, double, double, double, double, double,
                      double) override {
        ++calls;
    }
    void FillBox(float, float, float, float, halvoria::Colour) override { ++calls; }
    void ClearPicture() override { ++calls; }
    double Width() const override { return 501 * 15; }
    double Height() const override { return 251 * 15; }
    halvoria::Colour BackColor() const override { return halvoria::kWhite; }
    long calls = 0;
};

class NullOps : public quendle::TileWindowOps {
  public:
    halvoria::PictureSurface& GamePic() override { return board; }
    const halvoria::PictureSurface& MoneyPic() override { return strip; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    void SetScoreCaption(const std::string&) override {}
    void SetHScoreCaption(const std::string&) override {}
    int MsgBox(const std::string&, int, const std::string&) override { return 6; }
    void DoEvents() override {}
    void PlayMusic() override {}
    void CloseMusic() override {}
    void PollMusic() override {}
    void Randomize() override {}
    double Rnd() override { return std::generate_canonical<double, 53>(engine); }

    NullSurface board, strip;
    std::mt19937 engine{12345};
};

// Puts the layout back and the score to 0, so the score never grows across iterations.
void Restore(quendle::TileGame& game, const std::int32_t (&layout)[21][11]) {
    std::memcpy(game.board, layout, sizeof layout);
    std::memcpy(game.pendingBoard, layout, sizeof layout);
    game.score = 0;
}

// One click removes a board of one kind: 200-deep search, settling, 200 cells redrawn.
void BM_RemoveWholeBoard(benchmark::State& state) {
    NullOps ops;
    quendle::TileGame game(ops);
    std::int32_t full[21][11] = {};
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) full[x][y] = 2;
    for (auto _ : state) {
        Restore(game, full);
        game.GamePic_MouseDown(1, 0, 7 * 375 + 100, 4 * 375 + 100);
        benchmark::DoNotOptimize(game.board);
    }
    if (game.groupSize != 200) state.SkipWithError("the click did not remove the whole board");
    state.counters["draws/click"] = benchmark::Counter(static_cast<double>(ops.board.calls),
                                                       benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RemoveWholeBoard);

// A click on a tile with a partner on a freshly dealt board, cycling over all such tiles.
void BM_TypicalClick(benchmark::State& state) {
    NullOps ops;
    quendle::TileGame game(ops);
    game.GameStart_Click();
    std::int32_t dealt[21][11];
    std::memcpy(dealt, game.board, sizeof dealt);
    std::vector<std::pair<int, int>> targets;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 10; ++y) {
            const bool right = x < 19 && dealt[x + 1][y] == dealt[x][y];
            const bool below = y < 9 && dealt[x][y + 1] == dealt[x][y];
            if (right || below) targets.push_back({x, y});
        }
    }
    size_t next = 0;
    for (auto _ : state) {
        Restore(game, dealt);
        const auto [x, y] = targets[next];
        next = (next + 1) % targets.size();
        game.GamePic_MouseDown(1, 0, static_cast<float>(x * 375 + 100),
                               static_cast<float>(y * 375 + 100));
        benchmark::DoNotOptimize(game.board);
    }
    state.counters["draws/click"] = benchmark::Counter(static_cast<double>(ops.board.calls),
                                                       benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TypicalClick);

}  // namespace

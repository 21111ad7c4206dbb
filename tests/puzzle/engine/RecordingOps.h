// A recorder of the puzzle's window operations for engine tests: picture surfaces that log what is
// drawn, grid lines with their state, captions, scripted message boxes, clock and random source.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/core/PictureSurface.h"
#include "puzzle/engine/PuzzleWindowOps.h"

namespace zorvat::test {

class RecordingSurface : public halvoria::PictureSurface {
  public:
    struct Paint {
        const halvoria::PictureSurface* source;
        float destLeft, destTop;
        double destWidth, destHeight, srcLeft, srcTop, srcWidth, srcHeight;
    };
    struct Fill {
        float x1, y1, x2, y2;
        halvoria::Colour colour;
    };

    RecordingSurface(std::vector<std::string>& log, double w, double h)
        : width(w), height(h), log_(log) {}

    void PaintPicture(const halvoria::PictureSurface& source, float destLeft, float destTop,
                      double destWidth, double destHeight, double srcLeft, double srcTop,
                      double srcWidth, double srcHeight) override {
        log_.push_back("PaintPicture");
        paints.push_back({&source, destLeft, destTop, destWidth, destHeight, srcLeft, srcTop,
                          srcWidth, srcHeight});
    }
    void FillBox(float x1, float y1, float x2, float y2, halvoria::Colour colour) override {
        log_.push_back("FillBox");
        fills.push_back({x1, y1, x2, y2, colour});
    }
    void ClearPicture() override {
        log_.push_back("ClearPicture");
        ++clears;
    }
    double Width() const override { return width; }
    double Height() const override { return height; }
    halvoria::Colour BackColor() const override { return backColor; }

    void Forget() {
        paints.clear();
        fills.clear();
        clears = 0;
    }

    std::vector<Paint> paints;
    std::vector<Fill> fills;
    int clears = 0;
    double width;
    double height;
    halvoria::Colour backColor = halvoria::kWhite;

  private:
    std::vector<std::string>& log_;
};

class RecordingOps : public PuzzleWindowOps {
  public:
    struct Line {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bool visible = false;
    };
    struct Box {
        std::string text;
        int code;
        std::string title;
    };

    halvoria::PictureSurface& Pic() override { return pic; }
    const halvoria::PictureSurface& PicSurface() override { return picSurface; }
    void ShowWholePicture() override {
        log.push_back("ShowWholePicture");
        pic.width = picSurface.width;
        pic.height = picSurface.height;
    }

    void ShowGridLine(GridLineArray array, int index, int x1, int y1, int x2, int y2) override {
        log.push_back("ShowGridLine");
        lines[{array, index}] = {x1, y1, x2, y2, true};
    }
    void HideGridLine(GridLineArray array, int index) override {
        log.push_back("HideGridLine");
        lines[{array, index}].visible = false;
    }

    void SetTimesCaption(const std::string& text) override {
        log.push_back("SetTimesCaption");
        timesCaptions.push_back(text);
    }
    void SetTimeCaption(const std::string& text) override {
        log.push_back("SetTimeCaption");
        timeCaptions.push_back(text);
    }
    void SetScoreCaption(const std::string& text) override {
        log.push_back("SetScoreCaption");
        scoreCaptions.push_back(text);
    }

    int MsgBox(const std::string& text, int code, const std::string& title) override {
        log.push_back("MsgBox");
        boxes.push_back({text, code, title});
        if (onMsgBox) onMsgBox();
        if (answers.empty()) return 6;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void PlayMusic() override { log.push_back("PlayMusic"); }
    void CloseMusic() override { log.push_back("CloseMusic"); }
    void PollMusic() override { log.push_back("PollMusic"); }
    void PlayMoveSound() override { log.push_back("PlayMoveSound"); }

    bool RecordBestScore(int panelSize, int score) override {
        log.push_back("RecordBestScore");
        recordedScores.emplace_back(panelSize, score);
        return keepScore;
    }

    std::uint32_t TickCount() override {
        log.push_back("TickCount");
        return now;
    }
    void Randomize() override {
        log.push_back("Randomize");
        random.seed(seed);
    }
    // Scripted values first, then the seeded generator: 53 random bits, always inside [0, 1).
    double Rnd() override {
        log.push_back("Rnd");
        if (onRnd) onRnd();
        if (!scriptedRnd.empty()) {
            const double r = scriptedRnd.front();
            scriptedRnd.pop_front();
            return r;
        }
        return static_cast<double>(random() >> 11) * 0x1.0p-53;
    }

    // Forgets everything recorded so far; scripts and state (clock, lines, sizes) stay.
    void Forget() {
        log.clear();
        pic.Forget();
        picSurface.Forget();
        timesCaptions.clear();
        timeCaptions.clear();
        scoreCaptions.clear();
        boxes.clear();
        recordedScores.clear();
    }

    int Count(const std::string& op) const {
        int n = 0;
        for (const auto& entry : log) n += entry == op ? 1 : 0;
        return n;
    }

    const Line& LineAt(GridLineArray array, int index) { return lines[{array, index}]; }

    std::vector<std::string> log;
    RecordingSurface pic{log, 5985, 5985};
    RecordingSurface picSurface{log, 5985, 5985};
    std::map<std::pair<GridLineArray, int>, Line> lines;
    std::vector<std::string> timesCaptions, timeCaptions, scoreCaptions;
    std::vector<Box> boxes;
    std::deque<int> answers;
    std::function<void()> onMsgBox;
    std::vector<std::pair<int, int>> recordedScores;
    bool keepScore = false;
    std::uint32_t now = 0;
    std::uint64_t seed = 1;
    std::mt19937_64 random{1};
    std::deque<double> scriptedRnd;
    std::function<void()> onRnd;
};

}  // namespace zorvat::test

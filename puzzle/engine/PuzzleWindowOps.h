// Everything the sliding puzzle engine asks of its window: the picture boxes it draws on, the grid
// lines, the three labels, message boxes, music and sound, the best-score table, clock and dice.
// The window implements it; tests implement it with a recorder.
#pragma once

#include <cstdint>
#include <string>

#include "common/core/PictureSurface.h"

namespace zorvat {

// The two arrays of grid-line controls inside the board: horizontal XLine and vertical YLINE.
enum class GridLineArray { XLine, YLINE };

class PuzzleWindowOps {
  public:
    virtual ~PuzzleWindowOps();

    // The board picture box `Pic` and the hidden holder of the current puzzle picture `PicSurface`.
    virtual halvoria::PictureSurface& Pic() = 0;
    virtual const halvoria::PictureSurface& PicSurface() = 0;
    // Assigns the picture of `PicSurface` to `Pic`: the whole picture shows and `Pic` takes its
    // size.
    virtual void ShowWholePicture() = 0;

    // Grid line element `index` (1..15) of one array: place it (twips inside `Pic`) and show it, or
    // hide it.
    virtual void ShowGridLine(GridLineArray array, int index, int x1, int y1, int x2, int y2) = 0;
    virtual void HideGridLine(GridLineArray array, int index) = 0;

    virtual void SetTimesCaption(const std::string& text) = 0;
    virtual void SetTimeCaption(const std::string& text) = 0;
    virtual void SetScoreCaption(const std::string& text) = 0;

    // Modal box; code 64 = information + OK, 36 = question + Yes/No. Returns 6 (Yes) or 7 (No);
    // texts are UTF-8 with CR LF line breaks.
    virtual int MsgBox(const std::string& text, int code, const std::string& title) = 0;

    virtual void PlayMusic() = 0;
    virtual void CloseMusic() = 0;
    virtual void PollMusic() = 0;
    // Plays the move sound when the sound option is on.
    virtual void PlayMoveSound() = 0;

    // Keeps score as the best of the grid size when strictly greater; answers whether it did.
    virtual bool RecordBestScore(int panelSize, int score) = 0;

    // Milliseconds from a monotonic clock, as a 32-bit counter that wraps.
    virtual std::uint32_t TickCount() = 0;
    // Reseed the random source from the clock; next value uniform in [0, 1).
    virtual void Randomize() = 0;
    virtual double Rnd() = 0;
};

}  // namespace zorvat

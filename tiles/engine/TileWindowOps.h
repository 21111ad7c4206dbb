// Everything the tile-clearing engine asks of its window: the board picture and the tile strip,
// the screen's twips per pixel, the two labels, message boxes, queued events, music and dice.
// The window implements it; tests implement it with a recorder.
#pragma once

#include <string>

#include "common/toolkit/PictureSurface.h"

namespace quendle {

class TileWindowOps {
  public:
    virtual ~TileWindowOps();

    // The board picture box `GamePic` and the hidden tile strip holder `MoneyPic`.
    virtual halvoria::PictureSurface& GamePic() = 0;
    virtual const halvoria::PictureSurface& MoneyPic() = 0;

    // Screen.TwipsPerPixelX / Y (15 at 96 dots per inch).
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;

    virtual void SetScoreCaption(const std::string& text) = 0;
    virtual void SetHScoreCaption(const std::string& text) = 0;

    // Modal box; code 64 = information + OK, 36 = question + Yes/No. Returns 6 (Yes) or 7 (No);
    // texts are UTF-8 with CR LF line breaks.
    virtual int MsgBox(const std::string& text, int code, const std::string& title) = 0;
    // Lets the events queued so far run, then returns.
    virtual void DoEvents() = 0;

    virtual void PlayMusic() = 0;
    virtual void CloseMusic() = 0;
    virtual void PollMusic() = 0;

    // Reseed the random source from the clock; next value uniform in [0, 1).
    virtual void Randomize() = 0;
    virtual double Rnd() = 0;
};

}  // namespace quendle

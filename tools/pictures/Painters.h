// The painters of every built-in picture. Each returns a finished image of its exact size; the
// same program on the same machine always paints the same pixels.
#pragma once

#include <QImage>
#include <QString>

#include "tools/pictures/BitmapFiles.h"

namespace halvoria::picturegen {

// Puzzle window.
QImage PaintPuzzlePicture();                // 399 x 399 landscape
QImage PaintFrame();                        // 410 x 410 shadowed frame behind the board
QImage PaintPlate();                        // 140 x 26 counter plate
QImage PaintCaption(const QString& words);  // 150 x 30 green heading on black

// Tile game window.
QImage PaintTileBackground();  // 520 x 294 window background with the score fields
QImage PaintTileStrip();       // 103 x 25 strip of the four coins

// Window icon of both games.
const IconPalette& EmblemPalette();
QImage PaintEmblemPixels();    // 32 x 32, only palette colours and full transparency
QImage PaintEmblem(int size);  // the same emblem drawn at `size` pixels, full colour

// Launcher icons of the desktop entries, drawn at `size` pixels: Zorvat's sliding panels and
// Quendle's coins.
QImage PaintPuzzleLauncher(int size);
QImage PaintCoinLauncher(int size);

// The font faces the pictures are lettered in; false (with the missing family in `missing`)
// when fontconfig would silently substitute another face.
bool FontsAvailable(QString* missing);

}  // namespace halvoria::picturegen

// Resource paths of the built-in pictures and the window icon that both games carry inside them,
// and the icon as a ready QIcon.
#pragma once

#include <QIcon>
#include <QImage>

namespace halvoria::pictures {

// Puzzle window: board picture, frame behind the board, counter plate and the four headings.
inline constexpr char kPuzzle[] = ":/pictures/puzzle.bmp";
inline constexpr char kFrame[] = ":/pictures/frame.bmp";
inline constexpr char kPlate[] = ":/pictures/plate.bmp";
inline constexpr char kCaptionSample[] = ":/pictures/caption_sample.bmp";
inline constexpr char kCaptionTimes[] = ":/pictures/caption_times.bmp";
inline constexpr char kCaptionTime[] = ":/pictures/caption_time.bmp";
inline constexpr char kCaptionScore[] = ":/pictures/caption_score.bmp";

// Tile game window: background with the score fields, and the strip of four 25 x 25 tiles at
// x = 0, 26, 52 and 78.
inline constexpr char kBackground[] = ":/pictures/background.bmp";
inline constexpr char kTiles[] = ":/pictures/tiles.bmp";

// Window icon of both games: the 32 x 32, 16-colour icon file, and the same emblem as PNGs.
inline constexpr char kIcon[] = ":/pictures/icon.ico";
inline constexpr char kIcon32[] = ":/pictures/icon-32.png";
inline constexpr char kIcon48[] = ":/pictures/icon-48.png";
inline constexpr char kIcon64[] = ":/pictures/icon-64.png";
inline constexpr char kIcon128[] = ":/pictures/icon-128.png";
inline constexpr char kIcon256[] = ":/pictures/icon-256.png";

// Registers the embedded pictures. Linking halvoria_pictures registers them already; calling
// this as well is harmless and keeps them reachable if a linker ever drops the registration.
void InitBuiltinPictures();

// One of the bitmaps above in 32-bit RGB, exactly as QImage would read it, but decoded directly:
// the games read these at every start, where Qt's general bitmap reader is several times slower.
// A null image for a path that is not among them.
QImage BuiltinPicture(const char* path);

// The window icon at the sizes a title bar and a task switcher draw (32, 48 and 64 pixels). The
// larger ones serve the desktop's launchers through the installed icon theme instead.
QIcon WindowIcon();

}  // namespace halvoria::pictures

// The two shipped tunes, composed here note by note: the puzzle's calm one and the tile game's
// bouncy one, each a whole Standard MIDI File.
#pragma once

#include <cstdint>
#include <vector>

namespace halvoria::media {

// "music.mid": F major, 72 beats a minute, flute over an electric piano, pad and bass.
std::vector<std::uint8_t> ComposePuzzleTune();

// "music2.mid": G major, 132 beats a minute, marimba over pizzicato strings, bass and drums.
std::vector<std::uint8_t> ComposeTileTune();

}  // namespace halvoria::media

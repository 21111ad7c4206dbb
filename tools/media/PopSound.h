// The puzzle's move sound, a short synthesised pop, as a whole WAV file.
#pragma once

#include <cstdint>
#include <vector>

namespace halvoria::media {

// "poka!.wav": 0.12 s, 44100 Hz, 16-bit PCM mono; a sine falling quickly in pitch under a fast
// decay, peaking at 80% of full scale.
std::vector<std::uint8_t> MakePopSound();

}  // namespace halvoria::media

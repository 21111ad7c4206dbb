// Random values from a 64-bit Mersenne Twister; the top 53 bits make one double.
#include "common/core/RandomSource.h"

#include <chrono>

namespace halvoria {

RandomSource::RandomSource() : engine_(std::mt19937_64::default_seed) {}

void RandomSource::Randomize() {
    // The wall clock differs between runs; the steady clock differs between calls within a run.
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seeds{static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32),
                        static_cast<std::uint32_t>(steady),
                        static_cast<std::uint32_t>(steady >> 32)};
    engine_.seed(seeds);
}

double RandomSource::Rnd() {
    // 53 random bits scaled by 2^-53: exactly representable, so the result stays below 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void RandomSource::Seed(std::uint64_t seed) { engine_.seed(seed); }

}  // namespace halvoria

// The games' random source: reseeded from the clock, uniform values in [0, 1).
#pragma once

#include <cstdint>
#include <random>

namespace halvoria {

class RandomSource {
  public:
    // Starts from a fixed seed, so a source nobody randomizes is reproducible.
    RandomSource();

    // Reseeds from the clock.
    void Randomize();

    // Uniform in [0, 1); never returns 1.
    double Rnd();

    void Seed(std::uint64_t seed);

  private:
    std::mt19937_64 engine_;
};

}  // namespace halvoria

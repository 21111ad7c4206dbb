// Synthesis of the move sound: a pitch-dropping sine with a soft attack and a quick decay.
#include "tools/media/PopSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace halvoria::media {

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 0.12;

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> MakePopSound() {
    const int count = static_cast<int>(kRate * kSeconds);
    std::vector<double> wave(static_cast<std::size_t>(count));
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // The pitch falls from about 1100 Hz towards 180 Hz within the first few hundredths.
        const double frequency = 180 + 920 * std::exp(-t / 0.018);
        phase += 2 * std::numbers::pi * frequency / kRate;
        const double attack = std::min(1.0, t / 0.0015);
        const double fadeOut = std::min(1.0, (kSeconds - t) / 0.01);  // ends exactly on silence
        const double envelope = attack * std::exp(-t / 0.028) * fadeOut;
        wave[static_cast<std::size_t>(i)] =
            envelope * (std::sin(phase) + 0.15 * std::sin(2 * phase));
    }
    double peak = 0;
    for (double sample : wave) peak = std::max(peak, std::abs(sample));
    const double scale = 0.8 * 32767 / peak;

    std::vector<std::uint8_t> file;
    const auto dataBytes = static_cast<std::uint32_t>(count * 2);
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    Put(file, 36 + dataBytes, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put(file, 16, 4);
    Put(file, 1, 2);  // PCM
    Put(file, 1, 2);  // mono
    Put(file, kRate, 4);
    Put(file, kRate * 2, 4);  // bytes a second
    Put(file, 2, 2);          // bytes a frame
    Put(file, 16, 2);         // bits a sample
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    Put(file, dataBytes, 4);
    for (double sample : wave) {
        const auto value = static_cast<std::int16_t>(std::lround(sample * scale));
        Put(file, static_cast<std::uint16_t>(value), 2);
    }
    return file;
}

}  // namespace halvoria::media

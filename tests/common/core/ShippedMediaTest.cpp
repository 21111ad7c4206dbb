// The shipped tunes and move sound: well-formed, of the right length and shape, and exactly what
// the generator in tools/media makes.
#include <gtest/gtest.h>

#include <bitset>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/core/MidiFile.h"
#include "tests/support/MediaTestFiles.h"

namespace halvoria {
namespace {

using namespace test;

const std::filesystem::path kResources = HALVORIA_RESOURCES_DIR;

TEST(ShippedTunes, AreStandardMidiFilesOfFortyToOneHundredTwentySeconds) {
    for (const char* file : {"music.mid", "music2.mid"}) {
        SCOPED_TRACE(file);
        const Bytes bytes = ReadFile(kResources / file);
        const auto info = ReadMidiFile(bytes);
        ASSERT_TRUE(info.has_value());
        std::printf("%s: %.2f s\n", file, info->lengthSeconds);
        EXPECT_GE(info->lengthSeconds, 40.0);
        EXPECT_LE(info->lengthSeconds, 120.0);
        // Pleasant to loop: the music sounds right up to the end.
        EXPECT_GE(info->lastNoteEndSeconds, info->lengthSeconds - 0.5);
        // General MIDI: instruments chosen, a tempo given, melody, chords and bass at least.
        EXPECT_GE(info->programChanges, 3);
        EXPECT_GE(info->tempoChanges, 1);
        EXPECT_GE(std::bitset<16>(info->noteChannels).count(), 3u);
        EXPECT_GE(info->noteCount, 200);
    }
    EXPECT_NE(ReadFile(kResources / "music.mid"), ReadFile(kResources / "music2.mid"));
}

std::uint32_t Little(const Bytes& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(at + static_cast<std::size_t>(i));
    return value;
}

TEST(ShippedMoveSound, IsAShortUnclippedPcmPop) {
    const Bytes wav = ReadFile(kResources / "poka!.wav");
    ASSERT_GE(wav.size(), 12u);
    ASSERT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
    ASSERT_EQ(std::memcmp(wav.data() + 8, "WAVE", 4), 0);
    ASSERT_EQ(Little(wav, 4, 4), wav.size() - 8);

    std::uint32_t rate = 0, channels = 0, bits = 0, format = 0;
    std::vector<std::int16_t> samples;
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        const std::uint32_t size = Little(wav, at + 4, 4);
        ASSERT_LE(at + 8 + size, wav.size());
        if (std::memcmp(wav.data() + at, "fmt ", 4) == 0) {
            format = Little(wav, at + 8, 2);
            channels = Little(wav, at + 10, 2);
            rate = Little(wav, at + 12, 4);
            bits = Little(wav, at + 22, 2);
        } else if (std::memcmp(wav.data() + at, "data", 4) == 0) {
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                samples.push_back(static_cast<std::int16_t>(Little(wav, at + 8 + i, 2)));
            }
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(format, 1u);
    EXPECT_EQ(channels, 1u);
    EXPECT_EQ(bits, 16u);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    ASSERT_FALSE(samples.empty());
    EXPECT_LT(static_cast<double>(samples.size()) / rate, 0.3);

    int peak = 0;
    for (std::int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    EXPECT_GT(peak, 8000);   // clearly audible
    EXPECT_LT(peak, 32767);  // not clipped
    // Starts and ends on silence, so it does not click.
    EXPECT_LT(std::abs(int{samples.front()}), 500);
    EXPECT_LT(std::abs(int{samples.back()}), 500);
}

TEST(ShippedMedia, IsWhatTheGeneratorMakes) {
    TempFolder folder;
    const std::string command =
        std::string("'") + HALVORIA_MAKE_MEDIA + "' '" + folder.path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* file : {"music.mid", "music2.mid", "poka!.wav"}) {
        SCOPED_TRACE(file);
        const Bytes made = ReadFile(folder.path() / file);
        ASSERT_FALSE(made.empty());
        EXPECT_TRUE(made == ReadFile(kResources / file))
            << "resources/" << file << " is out of date: run ./dev resources";
    }
}

}  // namespace
}  // namespace halvoria

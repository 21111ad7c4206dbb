// Small files for the media tests: hand-assembled MIDI bytes, WAV tones and temporary folders.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace halvoria::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutBigEndian(Bytes& out, std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline Bytes MidiHeader(int format, int tracks, int division) {
    Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    PutBigEndian(out, static_cast<std::uint32_t>(format), 2);
    PutBigEndian(out, static_cast<std::uint32_t>(tracks), 2);
    PutBigEndian(out, static_cast<std::uint32_t>(division), 2);
    return out;
}

// A track chunk around raw event bytes (deltas included).
inline Bytes MidiTrack(const Bytes& events) {
    Bytes out{'M', 'T', 'r', 'k'};
    PutBigEndian(out, static_cast<std::uint32_t>(events.size()), 4);
    out.insert(out.end(), events.begin(), events.end());
    return out;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// One second of piano: C4 E4 G4 C5, a quarter note each at 240 beats a minute.
inline Bytes ShortTune() {
    Bytes events{0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90, 0x00, 0xC0, 0x00};
    for (std::uint8_t key : Bytes{0x3C, 0x40, 0x43, 0x48}) {
        events.insert(events.end(), {0x00, 0x90, key, 0x64, 0x60, 0x80, key, 0x40});
    }
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    return Join({MidiHeader(0, 1, 96), MidiTrack(events)});
}

// A 16-bit mono PCM WAV of a square wave (amplitude 0 gives silence).
inline Bytes SquareWav(double seconds, int amplitude, int rate = 22050) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    auto little = [](Bytes& out, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    Bytes out{'R', 'I', 'F', 'F'};
    little(out, 36 + frames * 2, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    little(out, 16, 4);
    little(out, 1, 2);
    little(out, 1, 2);
    little(out, static_cast<std::uint32_t>(rate), 4);
    little(out, static_cast<std::uint32_t>(rate) * 2, 4);
    little(out, 2, 2);
    little(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    little(out, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const int value = (i / 25) % 2 == 0 ? amplitude : -amplitude;
        little(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A fresh folder under the system's temporary folder, removed with this object.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "halvoria-media-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace halvoria::test

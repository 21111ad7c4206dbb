// Reading Standard MIDI Files event by event, with a tempo map for the times of events.
#include "common/core/MidiFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace halvoria {

namespace {

// Bounds-checked reading of big-endian fields and variable-length quantities.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t Left() const { return bytes_.size() - pos_; }

    bool Byte(std::uint8_t& value) {
        if (AtEnd()) return false;
        value = bytes_[pos_++];
        return true;
    }
    bool Bytes(std::size_t count, std::span<const std::uint8_t>& out) {
        if (count > Left()) return false;
        out = bytes_.subspan(pos_, count);
        pos_ += count;
        return true;
    }
    bool Skip(std::size_t count) {
        std::span<const std::uint8_t> ignored;
        return Bytes(count, ignored);
    }
    bool BigEndian(int size, std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < size; ++i) {
            std::uint8_t byte = 0;
            if (!Byte(byte)) return false;
            value = (value << 8) | byte;
        }
        return true;
    }
    // At most four bytes, as the file format allows.
    bool VariableLength(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t byte = 0;
            if (!Byte(byte)) return false;
            value = (value << 7) | (byte & 0x7Fu);
            if ((byte & 0x80u) == 0) return true;
        }
        return false;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t microsPerQuarter;
};

// What one track contributes, in ticks.
struct TrackTimes {
    std::uint64_t endTick = 0;
    std::uint64_t lastNoteEndTick = 0;
    bool hasNotes = false;
    std::vector<TempoChange> tempos;
};

bool ReadTrack(std::span<const std::uint8_t> chunk, MidiFileInfo& info, TrackTimes& times) {
    Reader in(chunk);
    std::uint64_t tick = 0;
    std::uint8_t runningStatus = 0;
    // Notes still sounding per channel and key, so a note left on ends with its track.
    std::array<std::uint32_t, std::size_t{16} * 128> sounding{};
    int soundingTotal = 0;

    while (!in.AtEnd()) {
        std::uint32_t delta = 0;
        if (!in.VariableLength(delta)) return false;
        tick += delta;

        std::uint8_t first = 0;
        if (!in.Byte(first)) return false;
        std::uint8_t status = first;
        bool haveFirstData = false;
        if (first < 0x80) {
            if (runningStatus == 0) return false;
            status = runningStatus;
            haveFirstData = true;
        }

        // Meta and system exclusive events leave the running status alone: the file format
        // says they cancel it, but files that rely on it carrying on are common and play fine.
        if (status == 0xFF) {
            std::uint8_t type = 0;
            std::uint32_t length = 0;
            std::span<const std::uint8_t> data;
            if (!in.Byte(type) || !in.VariableLength(length) || !in.Bytes(length, data)) {
                return false;
            }
            if (type == 0x2F) break;  // end of track; anything after it is ignored
            if (type == 0x51) {
                if (length < 3) return false;
                const std::uint32_t micros =
                    (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | data[2];
                times.tempos.push_back({tick, micros});
                ++info.tempoChanges;
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length = 0;
            if (!in.VariableLength(length) || !in.Skip(length)) return false;
            continue;
        }
        if (status >= 0xF0) return false;  // no other system message belongs in a file

        runningStatus = status;
        const std::uint8_t kind = status & 0xF0;
        const int channel = status & 0x0F;
        const int dataCount = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        std::array<std::uint8_t, 2> data{};
        for (int i = 0; i < dataCount; ++i) {
            if (i == 0 && haveFirstData) {
                data[0] = first;
            } else if (!in.Byte(data[static_cast<std::size_t>(i)])) {
                return false;
            }
            if (data[static_cast<std::size_t>(i)] >= 0x80) return false;
        }

        const std::size_t slot = static_cast<std::size_t>(channel) * 128 + data[0];
        if (kind == 0x90 && data[1] > 0) {
            ++info.noteCount;
            info.noteChannels = static_cast<std::uint16_t>(info.noteChannels | (1u << channel));
            times.hasNotes = true;
            ++sounding[slot];
            ++soundingTotal;
        } else if (kind == 0x80 || kind == 0x90) {
            if (sounding[slot] > 0) {
                --sounding[slot];
                --soundingTotal;
                times.lastNoteEndTick = std::max(times.lastNoteEndTick, tick);
            }
        } else if (kind == 0xC0) {
            ++info.programChanges;
        }
    }
    times.endTick = tick;
    if (soundingTotal > 0) times.lastNoteEndTick = tick;
    return true;
}

// Seconds of a tick along a tempo map (sorted by tick); 120 beats a minute until the first change.
class TempoMap {
  public:
    TempoMap(std::vector<TempoChange> tempos, std::uint32_t ticksPerQuarter)
        : tempos_(std::move(tempos)), ticksPerQuarter_(ticksPerQuarter) {
        std::stable_sort(
            tempos_.begin(), tempos_.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    }

    double Seconds(std::uint64_t tick) const {
        double seconds = 0;
        std::uint64_t from = 0;
        std::uint32_t micros = 500000;
        for (const TempoChange& change : tempos_) {
            if (change.tick >= tick) break;
            seconds += Span(change.tick - from, micros);
            from = change.tick;
            micros = change.microsPerQuarter;
        }
        return seconds + Span(tick - from, micros);
    }

  private:
    double Span(std::uint64_t ticks, std::uint32_t micros) const {
        return static_cast<double>(ticks) * micros / 1e6 / ticksPerQuarter_;
    }

    std::vector<TempoChange> tempos_;
    std::uint32_t ticksPerQuarter_;
};

}  // namespace

std::optional<MidiFileInfo> ReadMidiFile(std::span<const std::uint8_t> bytes) {
    Reader in(bytes);
    std::span<const std::uint8_t> tag;
    std::uint32_t headerLength = 0;
    std::uint32_t format = 0;
    std::uint32_t declaredTracks = 0;
    std::uint32_t division = 0;
    if (!in.Bytes(4, tag) || !std::equal(tag.begin(), tag.end(), "MThd") ||
        !in.BigEndian(4, headerLength) || headerLength < 6 || !in.BigEndian(2, format) ||
        !in.BigEndian(2, declaredTracks) || !in.BigEndian(2, division) ||
        !in.Skip(headerLength - 6)) {
        return std::nullopt;
    }
    if (format > 2 || declaredTracks == 0 || division == 0) return std::nullopt;

    // Ticks per second with SMPTE time, ticks per quarter note otherwise.
    double smpteTicksPerSecond = 0;
    if (division & 0x8000u) {
        const int framesPerSecond = 256 - static_cast<int>(division >> 8);
        const std::uint32_t ticksPerFrame = division & 0xFFu;
        if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 &&
            framesPerSecond != 30) {
            return std::nullopt;
        }
        if (ticksPerFrame == 0) return std::nullopt;
        smpteTicksPerSecond =
            (framesPerSecond == 29 ? 29.97 : framesPerSecond) * static_cast<double>(ticksPerFrame);
    }

    MidiFileInfo info;
    info.format = static_cast<int>(format);
    std::vector<TrackTimes> tracks;
    while (tracks.size() < declaredTracks) {
        std::uint32_t length = 0;
        std::span<const std::uint8_t> chunk;
        if (!in.Bytes(4, tag) || !in.BigEndian(4, length) || !in.Bytes(length, chunk)) {
            return std::nullopt;
        }
        if (!std::equal(tag.begin(), tag.end(), "MTrk")) continue;  // chunks of other kinds
        TrackTimes times;
        if (!ReadTrack(chunk, info, times)) return std::nullopt;
        tracks.push_back(std::move(times));
    }
    info.trackCount = static_cast<int>(tracks.size());

    // Format 2 plays its tracks one after another, each with its own tempo; the others together.
    auto seconds = [&](const std::vector<TempoChange>& tempos, std::uint64_t tick) {
        if (smpteTicksPerSecond > 0) return static_cast<double>(tick) / smpteTicksPerSecond;
        return TempoMap(tempos, division).Seconds(tick);
    };
    if (format == 2) {
        double offset = 0;
        for (const TrackTimes& track : tracks) {
            if (track.hasNotes) {
                info.lastNoteEndSeconds = offset + seconds(track.tempos, track.lastNoteEndTick);
            }
            offset += seconds(track.tempos, track.endTick);
        }
        info.lengthSeconds = offset;
    } else {
        std::vector<TempoChange> tempos;
        std::uint64_t endTick = 0;
        std::uint64_t lastNoteEndTick = 0;
        for (const TrackTimes& track : tracks) {
            tempos.insert(tempos.end(), track.tempos.begin(), track.tempos.end());
            endTick = std::max(endTick, track.endTick);
            if (track.hasNotes) lastNoteEndTick = std::max(lastNoteEndTick, track.lastNoteEndTick);
        }
        info.lengthSeconds = seconds(tempos, endTick);
        info.lastNoteEndSeconds = seconds(tempos, lastNoteEndTick);
    }
    return info;
}

}  // namespace halvoria

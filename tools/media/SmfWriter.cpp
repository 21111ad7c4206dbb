// Serialising MIDI tracks into a Standard MIDI File.
#include "tools/media/SmfWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace halvoria::media {

namespace {

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t DataByte(int value) {
    if (value < 0 || value > 127) throw std::out_of_range("MIDI data byte out of range");
    return static_cast<std::uint8_t>(value);
}

std::uint8_t Status(int kind, int channel) {
    if (channel < 0 || channel > 15) throw std::out_of_range("MIDI channel out of range");
    return static_cast<std::uint8_t>(kind | channel);
}

}  // namespace

void MidiTrack::Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
    events_.push_back({tick, order, std::move(bytes)});
}

void MidiTrack::Name(std::uint32_t tick, const std::string& name) {
    std::vector<std::uint8_t> bytes{0xFF, 0x03};
    PutVariableLength(bytes, static_cast<std::uint32_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
    Add(tick, 1, std::move(bytes));
}

void MidiTrack::Tempo(std::uint32_t tick, double beatsPerMinute) {
    const auto micros = static_cast<std::uint32_t>(std::lround(60e6 / beatsPerMinute));
    std::vector<std::uint8_t> bytes{0xFF, 0x51, 0x03};
    PutBigEndian(bytes, micros, 3);
    Add(tick, 1, std::move(bytes));
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
    Add(tick, 1, {0xFF, 0x58, 0x04, DataByte(numerator), DataByte(denominatorPower), 24, 8});
}

void MidiTrack::KeySignature(std::uint32_t tick, int sharps, bool minor) {
    Add(tick, 1,
        {0xFF, 0x59, 0x02, static_cast<std::uint8_t>(static_cast<std::int8_t>(sharps)),
         static_cast<std::uint8_t>(minor ? 1 : 0)});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
    Add(tick, 1, {Status(0xC0, channel), DataByte(program)});
}

void MidiTrack::Controller(std::uint32_t tick, int channel, int controller, int value) {
    Add(tick, 1, {Status(0xB0, channel), DataByte(controller), DataByte(value)});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t duration, int channel, int key,
                     int velocity) {
    if (duration == 0 || velocity < 1) throw std::out_of_range("silent MIDI note");
    Add(tick, 2, {Status(0x90, channel), DataByte(key), DataByte(velocity)});
    Add(tick + duration, 0, {Status(0x80, channel), DataByte(key), 0x40});
}

std::vector<std::uint8_t> MidiTrack::Chunk() const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const Event& event : sorted) {
        if (event.tick > endTick_) throw std::logic_error("MIDI event after the end of its track");
        PutVariableLength(body, event.tick - now);
        now = event.tick;
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
    }
    PutVariableLength(body, endTick_ - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<std::uint8_t> WriteMidiFile(int ticksPerQuarter, const std::vector<MidiTrack>& tracks) {
    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
    PutBigEndian(file, 6, 4);
    PutBigEndian(file, 1, 2);
    PutBigEndian(file, static_cast<std::uint32_t>(tracks.size()), 2);
    PutBigEndian(file, static_cast<std::uint32_t>(ticksPerQuarter), 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<std::uint8_t> chunk = track.Chunk();
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace halvoria::media

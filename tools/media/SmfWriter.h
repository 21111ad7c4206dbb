// A small writer of Standard MIDI Files (format 1): tracks of timed events, serialised with
// note-offs before note-ons at the same tick so repeated notes are not cut.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace halvoria::media {

class MidiTrack {
  public:
    void Name(std::uint32_t tick, const std::string& name);
    void Tempo(std::uint32_t tick, double beatsPerMinute);
    void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
    void KeySignature(std::uint32_t tick, int sharps, bool minor);
    void Program(std::uint32_t tick, int channel, int program);
    void Controller(std::uint32_t tick, int channel, int controller, int value);
    void Note(std::uint32_t tick, std::uint32_t duration, int channel, int key, int velocity);
    // The end-of-track event; every track of a file should end at the same tick.
    void EndAt(std::uint32_t tick) { endTick_ = tick; }

    // The "MTrk" chunk with its header.
    std::vector<std::uint8_t> Chunk() const;

  private:
    struct Event {
        std::uint32_t tick;
        int order;  // at one tick: note-offs, then settings, then note-ons
        std::vector<std::uint8_t> bytes;
    };
    void Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

    std::vector<Event> events_;
    std::uint32_t endTick_ = 0;
};

// A whole format-1 file with the given ticks per quarter note.
std::vector<std::uint8_t> WriteMidiFile(int ticksPerQuarter, const std::vector<MidiTrack>& tracks);

}  // namespace halvoria::media

// A checking reader of Standard MIDI Files: walks every event of every track and reports the
// tune's length in seconds along the tempo map, or that the file is damaged.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace halvoria {

struct MidiFileInfo {
    int format = 0;                 // 0, 1 or 2
    int trackCount = 0;             // "MTrk" chunks read
    double lengthSeconds = 0;       // to the latest end of track
    double lastNoteEndSeconds = 0;  // when the last note stops sounding
    int noteCount = 0;
    std::uint16_t noteChannels = 0;  // bit c set when channel c (0-based) plays a note
    int programChanges = 0;
    int tempoChanges = 0;
};

// Reads a whole file. Gives nullopt for anything a player could stumble on: a bad header, a
// track chunk running past the end of the file, an event cut off or with a data byte out of
// range, a running status with nothing to run on, a length field past its chunk.
std::optional<MidiFileInfo> ReadMidiFile(std::span<const std::uint8_t> bytes);

}  // namespace halvoria

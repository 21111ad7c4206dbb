// The checking MIDI file reader: lengths along tempo maps, and damaged files refused.
#include <gtest/gtest.h>

#include <string>

#include "common/core/MidiFile.h"
#include "tests/support/MediaTestFiles.h"

namespace halvoria {
namespace {

using test::Bytes;
using test::Join;
using test::MidiHeader;
using test::MidiTrack;

const Bytes kEnd{0x00, 0xFF, 0x2F, 0x00};

Bytes Events(std::initializer_list<Bytes> parts) { return Join(parts); }

TEST(ReadMidiFile, MeasuresLengthAlongTheTempoMap) {
    const struct {
        const char* name;
        Bytes file;
        double length;
        double lastNoteEnd;
        int notes;
    } cases[] = {
        {"default tempo: 96 ticks a quarter at 120 a minute",
         Join({MidiHeader(0, 1, 96),
               MidiTrack(Events({{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0}, kEnd}))}),
         0.5, 0.5, 1},
        {"the short test tune at 240 a minute", test::ShortTune(), 1.0, 1.0, 4},
        {"tempo halved after one quarter, in the conductor track of format 1",
         Join({MidiHeader(1, 2, 96),
               MidiTrack(Events({{0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40}, kEnd})),
               MidiTrack(Events({{0x00, 0x90, 60, 100, 0x81, 0x40, 0x80, 60, 0}, kEnd}))}),
         0.5 + 1.0, 1.5, 1},
        {"running status, kept across a meta event, and a note-on of velocity 0 as note-off",
         Join({MidiHeader(0, 1, 96), MidiTrack(Events({{0x00, 0x90, 60, 100, 0x00, 64, 100, 0x00,
                                                        0xFF, 0x01, 0x00, 0x60, 60, 0, 0x00, 64, 0},
                                                       {0x60, 0xFF, 0x2F, 0x00}}))}),
         1.0, 0.5, 2},
        {"a note left sounding ends with its track",
         Join({MidiHeader(0, 1, 96),
               MidiTrack(Events({{0x00, 0x90, 60, 100, 0x60, 0xFF, 0x2F, 0}}))}),
         0.5, 0.5, 1},
        {"SMPTE: 25 frames of 40 ticks",
         Join({MidiHeader(0, 1, 0xE728),
               MidiTrack(Events({{0x00, 0x90, 60, 100, 0x87, 0x68, 0x80, 60, 0}, kEnd}))}),
         1.0, 1.0, 1},
        {"format 2 plays its tracks one after another",
         Join({MidiHeader(2, 2, 96),
               MidiTrack(Events({{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0}, kEnd})),
               MidiTrack(Events({{0x00, 0x90, 62, 100, 0x60, 0x80, 62, 0}, kEnd}))}),
         1.0, 1.0, 2},
        {"a chunk of another kind is skipped; events after the end of track are ignored",
         Join({MidiHeader(0, 1, 96), Bytes{'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2},
               MidiTrack(Events({{0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x60, 0xFF, 0x2F, 0x00, 0xFF}}))}),
         0.5, 0.0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto info = ReadMidiFile(c.file);
        ASSERT_TRUE(info.has_value());
        EXPECT_NEAR(info->lengthSeconds, c.length, 1e-9);
        EXPECT_NEAR(info->lastNoteEndSeconds, c.lastNoteEnd, 1e-9);
        EXPECT_EQ(info->noteCount, c.notes);
    }
}

TEST(ReadMidiFile, CountsProgramsTemposAndChannels) {
    const Bytes file =
        Join({MidiHeader(1, 2, 96),
              MidiTrack(Events({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}, kEnd})),
              MidiTrack(Events({{0x00, 0xC0, 0x05, 0x00, 0xC9, 0x00, 0x00, 0x90, 60,   100, 0x00,
                                 0x99, 36,   100,  0x60, 0x80, 60,   0,    0x00, 0x89, 36,  0},
                                kEnd}))});
    const auto info = ReadMidiFile(file);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->format, 1);
    EXPECT_EQ(info->trackCount, 2);
    EXPECT_EQ(info->programChanges, 2);
    EXPECT_EQ(info->tempoChanges, 1);
    EXPECT_EQ(info->noteChannels, (1u << 0) | (1u << 9));
}

TEST(ReadMidiFile, RefusesDamagedFiles) {
    const Bytes note{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0};
    Bytes trackTooLong = MidiTrack(Events({note, kEnd}));
    trackTooLong[7] += 1;
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"not a MIDI file", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}},
        {"header cut short", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}},
        {"header length below 6", Join({Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 0, 0, 1}})},
        {"format 3", Join({MidiHeader(3, 1, 96), MidiTrack(kEnd)})},
        {"no tracks declared", MidiHeader(0, 0, 96)},
        {"division 0", Join({MidiHeader(0, 1, 0), MidiTrack(kEnd)})},
        {"SMPTE at 23 frames a second", Join({MidiHeader(0, 1, 0xE928), MidiTrack(kEnd)})},
        {"fewer tracks than declared", Join({MidiHeader(1, 2, 96), MidiTrack(kEnd)})},
        {"track chunk past the end of the file", Join({MidiHeader(0, 1, 96), trackTooLong})},
        {"running status with nothing to run on",
         Join({MidiHeader(0, 1, 96), MidiTrack(Events({{0x00, 60, 100}, kEnd}))})},
        {"data byte out of range",
         Join({MidiHeader(0, 1, 96), MidiTrack(Events({{0x00, 0x90, 60, 0x80}, kEnd}))})},
        {"event cut off by the end of its chunk",
         Join({MidiHeader(0, 1, 96), MidiTrack(Bytes{0x00, 0x90, 60})})},
        {"delta time of five bytes",
         Join({MidiHeader(0, 1, 96), MidiTrack(Events({{0x81, 0x81, 0x81, 0x81, 0x01}, kEnd}))})},
        {"meta event longer than its chunk",
         Join({MidiHeader(0, 1, 96), MidiTrack(Bytes{0x00, 0xFF, 0x01, 0x10, 'a'})})},
        {"system exclusive longer than its chunk",
         Join({MidiHeader(0, 1, 96), MidiTrack(Bytes{0x00, 0xF0, 0x05, 0x7E})})},
        {"a real-time message in a file",
         Join({MidiHeader(0, 1, 96), MidiTrack(Events({{0x00, 0xF8}, kEnd}))})},
        {"tempo of two bytes",
         Join({MidiHeader(0, 1, 96),
               MidiTrack(Events({{0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}, kEnd}))})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ReadMidiFile(c.file).has_value());
    }
}

TEST(ReadMidiFile, RefusesEveryCutOffCopyOfASoundFile) {
    const Bytes file = test::ShortTune();
    ASSERT_TRUE(ReadMidiFile(file).has_value());
    for (std::size_t size = 0; size < file.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(ReadMidiFile(std::span(file.data(), size)).has_value());
    }
}

}  // namespace
}  // namespace halvoria

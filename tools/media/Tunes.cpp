// The notes of the two tunes, written in a compact text form ("A4:q." is a dotted quarter A4,
// "r:e" an eighth rest) and laid out bar by bar over their chords.
#include "tools/media/Tunes.h"

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/media/SmfWriter.h"

namespace halvoria::media {

namespace {

constexpr std::uint32_t kQuarter = 480;
constexpr std::uint32_t kBar = 4 * kQuarter;  // both tunes are in 4/4

// "C4" is 60; a '#' or 'b' after the letter raises or lowers it.
int Key(std::string_view name) {
    static constexpr int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
        throw std::invalid_argument("bad note " + std::string(name));
    }
    int key = kSteps[name[0] - 'A'];
    std::size_t pos = 1;
    if (name[pos] == '#')
        ++key, ++pos;
    else if (name[pos] == 'b')
        --key, ++pos;
    if (pos + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[pos]))) {
        throw std::invalid_argument("bad note " + std::string(name));
    }
    return key + 12 * (name[pos] - '0' + 1);
}

std::uint32_t Duration(std::string_view text) {
    std::uint32_t ticks = 0;
    switch (text.empty() ? ' ' : text[0]) {
        case 'w':
            ticks = 4 * kQuarter;
            break;
        case 'h':
            ticks = 2 * kQuarter;
            break;
        case 'q':
            ticks = kQuarter;
            break;
        case 'e':
            ticks = kQuarter / 2;
            break;
        case 's':
            ticks = kQuarter / 4;
            break;
        default:
            throw std::invalid_argument("bad duration " + std::string(text));
    }
    if (text.size() == 2 && text[1] == '.') return ticks * 3 / 2;
    if (text.size() != 1) throw std::invalid_argument("bad duration " + std::string(text));
    return ticks;
}

struct Step {
    int key;  // -1 for a rest
    std::uint32_t ticks;
};

// One bar of melody; it must fill the bar exactly.
std::vector<Step> Bar(std::string_view line) {
    std::vector<Step> steps;
    std::istringstream words{std::string(line)};
    std::string word;
    std::uint32_t total = 0;
    while (words >> word) {
        const std::size_t colon = word.find(':');
        if (colon == std::string::npos) throw std::invalid_argument("bad step " + word);
        const std::string_view pitch = std::string_view(word).substr(0, colon);
        const Step step{pitch == "r" ? -1 : Key(pitch), Duration(word.substr(colon + 1))};
        steps.push_back(step);
        total += step.ticks;
    }
    if (total != kBar) throw std::invalid_argument("bar does not fill 4/4: " + std::string(line));
    return steps;
}

std::vector<int> Keys(std::string_view names) {
    std::vector<int> keys;
    std::istringstream words{std::string(names)};
    std::string word;
    while (words >> word) keys.push_back(Key(word));
    return keys;
}

// A chord held for some beats: its bass note and the notes above it, lowest first.
struct Harmony {
    int bass;
    std::vector<int> tones;
    std::uint32_t ticks;
};

Harmony Chord(std::string_view bass, std::string_view tones, int beats = 4) {
    return {Key(bass), Keys(tones), static_cast<std::uint32_t>(beats) * kQuarter};
}

// The tune's first track: its name, tempo, metre and key.
MidiTrack Conductor(const char* title, double beatsPerMinute, int sharps) {
    MidiTrack track;
    track.Name(0, title);
    track.Tempo(0, beatsPerMinute);
    track.TimeSignature(0, 4, 2);
    track.KeySignature(0, sharps, false);
    return track;
}

MidiTrack Instrument(const char* name, int channel, int program, int volume, int pan, int reverb) {
    MidiTrack track;
    track.Name(0, name);
    if (program >= 0) track.Program(0, channel, program);
    track.Controller(0, channel, 7, volume);
    track.Controller(0, channel, 10, pan);
    track.Controller(0, channel, 91, reverb);
    return track;
}

// Plays bars of melody from startTick; gate is the sounding share of each note's length, and
// downbeats are a little louder than the rest.
std::uint32_t PlayMelody(MidiTrack& track, int channel, std::uint32_t startTick,
                         const std::vector<std::string_view>& bars, double gate, int loud,
                         int soft) {
    std::uint32_t tick = startTick;
    for (std::string_view line : bars) {
        for (const Step& step : Bar(line)) {
            if (step.key >= 0) {
                const bool onBeat = (tick - startTick) % kQuarter == 0;
                const auto sounding = static_cast<std::uint32_t>(step.ticks * gate);
                track.Note(tick, sounding, channel, step.key, onBeat ? loud : soft);
            }
            tick += step.ticks;
        }
    }
    return tick;
}

// ---- "music.mid": calm and thoughtful -------------------------------------------------------

std::vector<Harmony> PuzzleHarmony() {
    const Harmony fMaj7 = Chord("F2", "F3 A3 C4 E4");
    const Harmony aMin7 = Chord("A2", "A3 C4 E4 G4");
    const Harmony bbMaj7 = Chord("Bb2", "F3 Bb3 D4 A4");
    const Harmony c = Chord("C3", "G3 C4 E4 G4");
    const Harmony dMin7 = Chord("D3", "A3 C4 D4 F4");
    const Harmony gMin7 = Chord("G2", "G3 Bb3 D4 F4");
    const Harmony c7 = Chord("C3", "G3 Bb3 C4 E4");
    const Harmony dMin = Chord("D3", "A3 D4 F4 A4");
    const Harmony bb = Chord("Bb2", "F3 Bb3 D4 F4");
    const Harmony f = Chord("F2", "F3 A3 C4 F4");
    return {// first phrase, ending on the dominant
            fMaj7, aMin7, bbMaj7, c, dMin7, gMin7, bbMaj7, c7,
            // the middle phrase, in the relative minor's colour
            dMin, bb, f, c, dMin, bb, gMin7, Chord("C3", "G3 C4 F4 G4", 2),
            Chord("C3", "G3 C4 E4 G4", 2),
            // the first phrase again, closing on the tonic
            fMaj7, aMin7, bbMaj7, c, dMin7, gMin7, c7, f};
}

const std::vector<std::string_view> kPuzzleMelody = {
    "A4:q. G4:e A4:q C5:q",      "E5:h. D5:q",
    "D5:q. C5:e Bb4:q A4:q",     "G4:h. A4:e Bb4:e",
    "C5:q. D5:e C5:q A4:q",      "Bb4:h. A4:e G4:e",
    "F4:q G4:q A4:q D5:q",       "C5:w",

    "F5:q. E5:e D5:q A4:q",      "Bb4:q. C5:e D5:h",
    "C5:q. Bb4:e A4:q F4:q",     "G4:h. r:q",
    "D5:q. E5:e F5:q A5:q",      "G5:q. F5:e D5:h",
    "Bb4:q D5:q F5:q E5:e D5:e", "F5:h E5:h",

    "A4:q. G4:e A4:q C5:q",      "E5:h. D5:q",
    "D5:q. C5:e Bb4:q A4:q",     "G4:h. A4:e Bb4:e",
    "C5:q. D5:e F5:q E5:q",      "D5:q. C5:e Bb4:q A4:e G4:e",
    "G4:q. A4:e Bb4:q E4:q",     "F4:w",
};

}  // namespace

std::vector<std::uint8_t> ComposePuzzleTune() {
    enum Channel { kFlute, kPiano, kPad, kBass };
    const std::vector<Harmony> harmony = PuzzleHarmony();
    const std::uint32_t end = kBar * static_cast<std::uint32_t>(kPuzzleMelody.size());

    MidiTrack conductor = Conductor("Mirelda", 72, -1);
    conductor.Tempo(end - kBar, 66);  // a gentle broadening into the last bar

    MidiTrack flute = Instrument("Flute", kFlute, 73, 127, 70, 60);
    PlayMelody(flute, kFlute, 0, kPuzzleMelody, 0.92, 84, 74);

    MidiTrack piano = Instrument("Electric piano", kPiano, 4, 108, 50, 50);
    MidiTrack pad = Instrument("Pad", kPad, 89, 80, 64, 70);
    MidiTrack bass = Instrument("Bass", kBass, 32, 124, 60, 30);
    static constexpr int kArpeggio[] = {0, 1, 2, 3, 2, 1, 2, 1};
    std::uint32_t tick = 0;
    for (std::size_t i = 0; i < harmony.size(); ++i) {
        const Harmony& chord = harmony[i];
        const bool last = i + 1 == harmony.size();
        if (last) {
            // The closing chord rolls up and rings to the end.
            for (std::size_t t = 0; t < chord.tones.size(); ++t) {
                const auto at = static_cast<std::uint32_t>(t) * kQuarter / 2;
                piano.Note(tick + at, chord.ticks - at, kPiano, chord.tones[t], 50);
            }
            bass.Note(tick, chord.ticks, kBass, chord.bass, 80);
        } else {
            for (std::uint32_t at = 0, n = 0; at < chord.ticks; at += kQuarter / 2, ++n) {
                const int tone = chord.tones[static_cast<std::size_t>(kArpeggio[n % 8])];
                const std::uint32_t ring = std::min(kQuarter, chord.ticks - at);
                piano.Note(tick + at, ring, kPiano, tone, n % 2 == 0 ? 54 : 44);
            }
            const int fifth = chord.bass + 7 <= Key("D3") ? chord.bass + 7 : chord.bass - 5;
            if (chord.ticks == kBar) {
                bass.Note(tick, 3 * kQuarter - 20, kBass, chord.bass, 82);
                bass.Note(tick + 3 * kQuarter, kQuarter - 20, kBass, fifth, 70);
            } else {
                bass.Note(tick, chord.ticks - 20, kBass, chord.bass, 80);
            }
        }
        for (int tone : chord.tones) pad.Note(tick, chord.ticks, kPad, tone, 40);
        tick += chord.ticks;
    }
    if (tick != end) throw std::logic_error("harmony and melody of music.mid differ in length");

    std::vector<MidiTrack> tracks{conductor, flute, piano, pad, bass};
    for (MidiTrack& track : tracks) track.EndAt(end);
    return WriteMidiFile(static_cast<int>(kQuarter), tracks);
}

namespace {

// ---- "music2.mid": light and bouncy ----------------------------------------------------------

constexpr int kIntroBars = 2;

std::vector<Harmony> TileHarmony() {
    const Harmony g = Chord("G2", "G3 B3 D4");
    const Harmony eMin = Chord("E2", "G3 B3 E4");
    const Harmony c = Chord("C3", "G3 C4 E4");
    const Harmony d = Chord("D3", "F#3 A3 D4");
    const Harmony bMin = Chord("B2", "F#3 B3 D4");
    const Harmony aMin = Chord("A2", "A3 C4 E4");
    const Harmony cHalf = Chord("C3", "G3 C4 E4", 2);
    const Harmony dHalf = Chord("D3", "F#3 A3 D4", 2);
    const std::vector<Harmony> verse{g, eMin, c, d, g, eMin, cHalf, dHalf, g};
    std::vector<Harmony> all{g, g};  // the intro
    for (int i = 0; i < 2; ++i) all.insert(all.end(), verse.begin(), verse.end());
    all.insert(all.end(), {c, d, bMin, eMin, c, d, aMin, d});
    all.insert(all.end(), verse.begin(), verse.end());
    return all;
}

const std::vector<std::string_view> kTileVerse = {
    "B4:e D5:e G5:q D5:e B4:e G4:q",  "E5:e G5:e B5:q G5:e E5:e B4:q",
    "C5:e E5:e G5:e E5:e C5:q E5:q",  "D5:q. E5:e F#5:q A5:q",
    "G5:e F#5:e G5:e D5:e B4:q D5:q", "E5:e D5:e E5:e B4:e G4:q B4:q",
    "C5:e E5:e G5:q F#5:e E5:e D5:q", "G5:q D5:q G4:h",
};
const std::vector<std::string_view> kTileVerseAnswer = {
    "B4:e D5:e G5:q A5:e G5:e D5:q",  "E5:e G5:e B5:q A5:e G5:e E5:q",
    "C5:e E5:e G5:e C6:e B5:q G5:q",  "A5:q. G5:e F#5:q D5:q",
    "G5:e A5:e B5:e G5:e D5:q B4:q",  "E5:e F#5:e G5:e E5:e B4:q G4:q",
    "C5:e D5:e E5:q D5:e E5:e F#5:q", "G5:q D5:e B4:e G4:q r:q",
};
const std::vector<std::string_view> kTileBridge = {
    "E5:q G5:e E5:e C5:q E5:q",         "F#5:q A5:e F#5:e D5:h",
    "D5:e F#5:e B5:e F#5:e D5:q F#5:q", "G5:q. F#5:e E5:h",
    "C5:e E5:e G5:e E5:e C6:q G5:q",    "A5:e F#5:e D5:e F#5:e A5:q D6:q",
    "C6:q B5:e A5:e E5:q C5:q",         "D5:e E5:e F#5:e G5:e A5:q F#5:q",
};

// GM percussion keys.
enum Drum { kKick = 36, kSnare = 38, kFloorTom = 41, kHat = 42, kLowTom = 45, kCrash = 49 };

}  // namespace

std::vector<std::uint8_t> ComposeTileTune() {
    enum Channel { kMarimba, kStrings, kBass, kBells, kDrums = 9 };
    const std::vector<Harmony> harmony = TileHarmony();
    std::vector<std::string_view> melody = kTileVerse;
    melody.insert(melody.end(), kTileVerseAnswer.begin(), kTileVerseAnswer.end());
    melody.insert(melody.end(), kTileBridge.begin(), kTileBridge.end());
    melody.insert(melody.end(), kTileVerse.begin(), kTileVerse.end() - 1);
    melody.push_back("G5:q D5:e B4:e G4:h");
    const std::uint32_t bars = kIntroBars + static_cast<std::uint32_t>(melody.size());
    const std::uint32_t end = bars * kBar;

    MidiTrack conductor = Conductor("Colvane", 132, 1);

    MidiTrack marimba = Instrument("Marimba", kMarimba, 12, 110, 58, 40);
    PlayMelody(marimba, kMarimba, kIntroBars * kBar, melody, 0.7, 100, 82);

    // Bells double the bridge for a little sparkle.
    MidiTrack bells = Instrument("Bells", kBells, 9, 70, 80, 60);
    PlayMelody(bells, kBells, (kIntroBars + 16) * kBar, kTileBridge, 0.5, 52, 44);

    MidiTrack strings = Instrument("Pizzicato", kStrings, 45, 92, 40, 40);
    MidiTrack bass = Instrument("Bass", kBass, 33, 104, 64, 20);
    std::uint32_t tick = 0;
    for (std::size_t i = 0; i < harmony.size(); ++i) {
        const Harmony& chord = harmony[i];
        if (i + 1 == harmony.size()) {
            // Final bar: a stab on the downbeat and the tonic held to the end.
            for (int tone : chord.tones) {
                strings.Note(tick, kQuarter / 2, kStrings, tone, 72);
                strings.Note(tick + 2 * kQuarter, 2 * kQuarter, kStrings, tone, 66);
            }
            bass.Note(tick, kQuarter / 2, kBass, chord.bass, 96);
            bass.Note(tick + kQuarter, kQuarter / 2, kBass, chord.bass + 12, 80);
            bass.Note(tick + 2 * kQuarter, 2 * kQuarter, kBass, chord.bass, 92);
            tick += chord.ticks;
            break;
        }
        // Off-beat stabs.
        for (std::uint32_t at = kQuarter / 2; at < chord.ticks; at += kQuarter) {
            for (int tone : chord.tones) strings.Note(tick + at, kQuarter / 4, kStrings, tone, 64);
        }
        // Root, octave, root on each half bar, the fifth leading the second half.
        for (std::uint32_t half = 0; half < chord.ticks; half += 2 * kQuarter) {
            const int first = half == 0 ? chord.bass : chord.bass + 7;
            bass.Note(tick + half, kQuarter * 3 / 4, kBass, first, 96);
            bass.Note(tick + half + kQuarter, kQuarter / 3, kBass, chord.bass + 12, 78);
            bass.Note(tick + half + kQuarter * 3 / 2, kQuarter / 3, kBass, chord.bass, 84);
        }
        tick += chord.ticks;
    }
    if (tick != end) throw std::logic_error("harmony and melody of music2.mid differ in length");

    MidiTrack drums = Instrument("Drums", kDrums, -1, 96, 64, 30);
    for (std::uint32_t bar = 0; bar < bars; ++bar) {
        const std::uint32_t at = bar * kBar;
        const auto hit = [&](std::uint32_t offset, int drum, int velocity) {
            drums.Note(at + offset, kQuarter / 4, kDrums, drum, velocity);
        };
        const bool phraseStart = bar >= kIntroBars && (bar - kIntroBars) % 8 == 0;
        const bool beforePhrase = bar + 1 < bars && (bar + 1 - kIntroBars) % 8 == 0;
        if (phraseStart || bar + 1 == bars) hit(0, kCrash, 84);
        if (bar + 1 == bars) {
            hit(0, kKick, 100);
            hit(2 * kQuarter, kKick, 92);
            hit(2 * kQuarter, kCrash, 70);
            continue;
        }
        hit(0, kKick, 96);
        hit(2 * kQuarter, kKick, 88);
        hit(2 * kQuarter + kQuarter / 2, kKick, 60);
        if (bar >= 1) hit(kQuarter, kSnare, 74);
        const std::uint32_t hatsUntil = beforePhrase ? 3 * kQuarter : kBar;
        for (std::uint32_t eighth = 0; eighth < hatsUntil; eighth += kQuarter / 2) {
            hit(eighth, kHat, eighth % kQuarter == 0 ? 66 : 46);
        }
        if (beforePhrase) {
            hit(3 * kQuarter, kLowTom, 80);
            hit(3 * kQuarter + kQuarter / 2, kFloorTom, 88);
        } else if (bar >= 1) {
            hit(3 * kQuarter, kSnare, 78);
        }
    }

    std::vector<MidiTrack> tracks{conductor, marimba, strings, bass, bells, drums};
    for (MidiTrack& track : tracks) track.EndAt(end);
    return WriteMidiFile(static_cast<int>(kQuarter), tracks);
}

}  // namespace halvoria::media

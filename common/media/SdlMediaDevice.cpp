// The media device on SDL2_mixer: MIDI tunes through FluidSynth with the system's General MIDI
// soundfont, and the move sound on one mixer channel. Built as the module halvoria-media.so,
// which the games load at their first tune or sound (see MediaDevice.cpp).
#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "common/core/MediaCommand.h"
#include "common/core/MidiFile.h"
#include "common/media/MediaModule.h"
#include "common/qt/MediaDevice.h"

namespace halvoria {

namespace {

// SDL_mixer plays MIDI with FluidSynth, which needs a soundfont; its own guesses do not include
// the one Debian installs, so name it.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

// Larger than any real MIDI tune (the longest run to a few hundred KiB). The synthesiser needs
// about fifteen times a file's size in memory and blocks the caller while it reads it, so a bigger
// file is refused before it is read.
constexpr std::uintmax_t kMaxTuneFileSize = 4u << 20;

// Larger than any move sound; a WAV file, or a chunk its header claims, above this is refused
// before SDL_mixer allocates what the header asks for.
constexpr std::uint32_t kMaxSoundFileSize = 16u << 20;

// FluidSynth goes on reporting a finished MIDI tune as playing for two more seconds, which would
// leave a long gap before the loop starts it again. A tune of known length counts as ended this
// long after its last event, time enough for the last notes to ring out.
constexpr double kMidiReleaseSeconds = 0.8;

constexpr int kSoundChannel = 0;

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The rest of a command as words, compared word by word with what a verb expects.
bool RestIs(std::string_view rest, std::initializer_list<std::string_view> words) {
    const auto skipSpaces = [&rest] {
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
    };
    for (std::string_view word : words) {
        skipSpaces();
        std::size_t length = 0;
        while (length < rest.size() && rest[length] != ' ' && rest[length] != '\t') ++length;
        if (!SameWord(rest.substr(0, length), word)) return false;
        rest.remove_prefix(length);
    }
    skipSpaces();
    return rest.empty();
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && SameWord(text.substr(text.size() - end.size()), end);
}

struct TuneCheck {
    bool sound = false;
    std::optional<double> lengthSeconds;  // known for MIDI tunes
};

// A MIDI tune, told by its name or its first bytes, must be sound throughout: the synthesiser
// takes any bytes and would only find the damage once playing, then fall silent as if the tune
// had played to its end.
TuneCheck CheckTuneFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    char magic[4] = {};
    if (!file.read(magic, 4)) return {};
    const bool midi =
        std::memcmp(magic, "MThd", 4) == 0 || EndsWith(path, ".mid") || EndsWith(path, ".midi");
    if (!midi) return {true, std::nullopt};  // another format: SDL_mixer decides
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size <= 0 || static_cast<std::uintmax_t>(size) > kMaxTuneFileSize) return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return {};
    const std::optional<MidiFileInfo> info = ReadMidiFile(bytes);
    if (!info) return {};
    return {true, info->lengthSeconds};
}

// Whether a sound file is small enough to load: the file itself, and for a RIFF file every chunk
// size its headers claim up to the samples.
bool SoundFileFits(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxSoundFileSize) return false;
    file.seekg(0);
    const auto le32 = [](const unsigned char* p) {
        return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
               static_cast<std::uint32_t>(p[3]) << 24;
    };
    unsigned char header[12];
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return true;  // SDL decides
    if (std::memcmp(header, "RIFF", 4) != 0) return true;
    if (le32(header + 4) > kMaxSoundFileSize) return false;
    unsigned char chunk[8];
    while (file.read(reinterpret_cast<char*>(chunk), sizeof chunk)) {
        const std::uint32_t length = le32(chunk + 4);
        if (length > kMaxSoundFileSize) return false;
        if (std::memcmp(chunk, "data", 4) == 0) break;
        file.seekg(static_cast<std::streamoff>(length) + (length & 1u), std::ios::cur);
    }
    return true;
}

// Bytes of output mixed so far: the audio clock that tells how far a tune has played.
std::atomic<std::uint64_t> mixedBytes{0};

void CountMixedBytes(void*, Uint8*, int length) {
    if (length > 0) mixedBytes.fetch_add(static_cast<std::uint64_t>(length));
}

class Device {
  public:
    int Command(const std::string& text, char* reply, int replyLength) {
        std::lock_guard lock(mutex_);
        if (reply == nullptr) replyLength = 0;
        if (replyLength > 0) reply[0] = '\0';

        const std::optional<MediaCommand> command = ParseMediaCommand(text);
        if (!command) return kMediaBadCommand;
        const std::string& verb = command->verb;
        if (SameWord(verb, "play")) {
            if (!RestIs(command->rest, {})) return kMediaBadArgument;
            if (!Open()) return kMediaNoDevice;
            return Play(command->name);
        }
        if (SameWord(verb, "status")) {
            if (!RestIs(command->rest, {"mode"})) return kMediaBadArgument;
            if (!Open()) return kMediaNoDevice;
            return Status(command->name, reply, replyLength);
        }
        if (SameWord(verb, "seek")) {
            if (!RestIs(command->rest, {"to", "start"})) return kMediaBadArgument;
            if (!Open()) return kMediaNoDevice;
            return Seek(command->name);
        }
        if (SameWord(verb, "close")) {
            if (!RestIs(command->rest, {})) return kMediaBadArgument;
            if (!Open()) return kMediaNoDevice;
            return Close(command->name);
        }
        return kMediaUnknownVerb;
    }

    bool Sound(const std::string& name) {
        std::lock_guard lock(mutex_);
        if (name.empty() || !Open()) return false;
        auto found = sounds_.find(name);
        if (found == sounds_.end()) {
            if (!SoundFileFits(name)) return false;
            Mix_Chunk* chunk = Mix_LoadWAV(name.c_str());
            if (chunk == nullptr) return false;
            found = sounds_.emplace(name, chunk).first;
        }
        return Mix_PlayChannel(kSoundChannel, found->second, 0) == kSoundChannel;
    }

    void Shutdown() {
        std::lock_guard lock(mutex_);
        if (state_ == State::Open) {
            Mix_HaltChannel(-1);
            Mix_HaltMusic();
            for (auto& [name, tune] : tunes_) Mix_FreeMusic(tune.music);
            for (auto& [name, chunk] : sounds_) Mix_FreeChunk(chunk);
            tunes_.clear();
            sounds_.clear();
            current_.clear();
            Mix_SetPostMix(nullptr, nullptr);
            Mix_CloseAudio();
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        state_ = State::Closed;
    }

  private:
    enum class State { Closed, Open, Failed };

    struct Tune {
        Mix_Music* music;
        std::optional<double> lengthSeconds;
    };

    // Opens the audio device once; a failure is remembered so that a machine without sound
    // does not try again on every timer tick.
    bool Open() {
        if (state_ == State::Open) return true;
        if (state_ == State::Failed) return false;
        state_ = State::Failed;
        // SDL would otherwise take over SIGTERM and SIGINT and turn them into events nobody
        // reads, so the program could no longer be ended once a tune had played.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        for (const char* font : kSoundFonts) {
            if (SDL_RWops* probe = SDL_RWFromFile(font, "rb")) {
                SDL_RWclose(probe);
                Mix_SetSoundFonts(font);
                break;
            }
        }
        Mix_Init(MIX_INIT_MID);
        if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        bytesPerSecond_ = static_cast<double>(frequency) * channels * SDL_AUDIO_BITSIZE(format) / 8;
        Mix_AllocateChannels(kSoundChannel + 1);
        Mix_SetPostMix(CountMixedBytes, nullptr);
        state_ = State::Open;
        return true;
    }

    // Whether the named tune is the one sounding. A MIDI tune past its end plus the release time
    // is stopped here, by the audio clock, rather than when the synthesiser finally says so.
    bool IsPlaying(const std::string& name) {
        if (current_.empty() || current_ != name) return false;
        bool playing = Mix_PlayingMusic() != 0;
        const std::optional<double> length = tunes_.at(name).lengthSeconds;
        if (playing && length && bytesPerSecond_ > 0) {
            const double played =
                static_cast<double>(mixedBytes.load() - startedAtByte_) / bytesPerSecond_;
            if (played >= *length + kMidiReleaseSeconds) {
                Mix_HaltMusic();
                playing = false;
            }
        }
        if (!playing) current_.clear();
        return playing;
    }

    int Play(const std::string& name) {
        auto found = tunes_.find(name);
        if (found == tunes_.end()) {
            const TuneCheck check = CheckTuneFile(name);
            if (!check.sound) return kMediaBadFile;
            Mix_Music* music = Mix_LoadMUS(name.c_str());
            if (music == nullptr) return kMediaBadFile;
            found = tunes_.emplace(name, Tune{music, check.lengthSeconds}).first;
        }
        if (IsPlaying(name)) return kMediaOk;
        current_.clear();
        startedAtByte_ = mixedBytes.load();
        if (Mix_PlayMusic(found->second.music, 1) != 0) return kMediaPlaybackFailed;
        current_ = name;
        return kMediaOk;
    }

    int Status(const std::string& name, char* reply, int replyLength) {
        if (tunes_.find(name) == tunes_.end()) return kMediaNotOpen;
        const std::string_view mode = IsPlaying(name) ? "playing" : "stopped";
        if (replyLength <= static_cast<int>(mode.size())) return kMediaReplyTooSmall;
        std::memcpy(reply, mode.data(), mode.size());
        reply[mode.size()] = '\0';
        return kMediaOk;
    }

    void StopIfCurrent(const std::string& name) {
        if (current_ != name) return;
        Mix_HaltMusic();
        current_.clear();
    }

    int Seek(const std::string& name) {
        if (tunes_.find(name) == tunes_.end()) return kMediaNotOpen;
        StopIfCurrent(name);
        return kMediaOk;
    }

    int Close(const std::string& name) {
        const auto found = tunes_.find(name);
        if (found == tunes_.end()) return kMediaNotOpen;
        StopIfCurrent(name);
        Mix_FreeMusic(found->second.music);
        tunes_.erase(found);
        return kMediaOk;
    }

    std::mutex mutex_;
    State state_ = State::Closed;
    double bytesPerSecond_ = 0;
    std::map<std::string, Tune> tunes_;
    std::map<std::string, Mix_Chunk*> sounds_;
    std::string current_;              // the tune last started, until it stops
    std::uint64_t startedAtByte_ = 0;  // mixedBytes when it started
};

// Never destroyed: the windows shut the device down themselves, and SDL must not be called from
// static destructors after it may already be gone.
Device& TheDevice() {
    static Device* device = new Device;
    return *device;
}

}  // namespace

}  // namespace halvoria

extern "C" {

int halvoria_media_command(const char* command, std::size_t length, char* reply, int replyLength) {
    return halvoria::TheDevice().Command(std::string(command, length), reply, replyLength);
}

bool halvoria_media_sound(const char* name, std::size_t length) {
    return halvoria::TheDevice().Sound(std::string(name, length));
}

void halvoria_media_shutdown() { halvoria::TheDevice().Shutdown(); }

}  // extern "C"

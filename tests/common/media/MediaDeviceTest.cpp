// The media device on SDL2_mixer, rendering to a file: tunes play, end, play again and stop;
// the move sound plays on one channel; failures give an error and an empty reply.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

#include "common/core/MusicLoop.h"
#include "common/qt/MediaDevice.h"
#include "tests/common/media/DiskAudio.h"

namespace halvoria {
namespace {

using namespace test;

[[maybe_unused]] testing::Environment* const kDisk =
    testing::AddGlobalTestEnvironment(new DiskAudioEnvironment);

// The device mixes 16-bit stereo at 44100 Hz.
constexpr double kBytesPerSecond = 44100 * 2 * 2;

std::string Quoted(const std::filesystem::path& path) { return '"' + path.string() + '"'; }

int Send(const std::string& command) { return SendMediaCommand(command, nullptr, 0); }

// The mode of a tune, or "error <code>" (the reply then must be empty).
std::string Mode(const std::string& quoted) {
    char reply[1024] = "junk";
    const int result = SendMediaCommand("status " + quoted + " mode", reply, sizeof reply);
    if (result == kMediaOk) return reply;
    EXPECT_EQ(reply[0], '\0');
    return "error " + std::to_string(result);
}

// Polls until the condition holds, for up to a generous time, so a busy machine only slows the
// test down; false when it never held.
template <typename Condition>
bool WaitFor(Condition condition, int seconds = 30) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Wait(10);
    }
    return true;
}

bool WaitForMode(const std::string& quoted, const std::string& mode, int seconds) {
    return WaitFor([&] { return Mode(quoted) == mode; }, seconds);
}

// Waits until the device has written this much more audio: time on the audio clock.
void LetAudioPass(double seconds) {
    const std::uintmax_t from = OutputSize();
    const auto bytes = static_cast<std::uintmax_t>(seconds * kBytesPerSecond);
    EXPECT_TRUE(WaitFor([&] { return OutputSize() >= from + bytes; }))
        << "the device stopped writing";
}

// Whether the samples written from offset on reach the peak, waiting for them to be written.
bool SoundsFrom(std::uintmax_t offset, int peak) {
    return WaitFor([&] { return Peak(SamplesFrom(offset)) > peak; });
}

// The byte offset of the first sample from offset on that is not near silence.
std::uintmax_t FirstSoundAt(std::uintmax_t offset) {
    const std::vector<std::int16_t> samples = SamplesFrom(offset);
    const auto loud = std::find_if(samples.begin(), samples.end(),
                                   [](std::int16_t s) { return s > 500 || s < -500; });
    return (offset & ~std::uintmax_t{3}) + 2 * static_cast<std::uintmax_t>(loud - samples.begin());
}

// The samples written during listenSeconds of audio, once settleSeconds of audio have gone out
// (whatever was on its way when the caller acted).
std::vector<std::int16_t> Settled(double settleSeconds, double listenSeconds) {
    LetAudioPass(settleSeconds);
    const std::uintmax_t from = OutputSize();
    LetAudioPass(listenSeconds);
    return SamplesFrom(from);
}

class MediaDevice : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder.path() / "my tunes");
        tune = folder.path() / "my tunes" / "tune.mid";
        WriteFile(tune, ShortTune());
    }

    TempFolder folder;
    std::filesystem::path tune;
};

TEST_F(MediaDevice, TuneSoundsEndsPlaysAgainAfterSeekAndStopsOnClose) {
    const std::string name = Quoted(tune);
    const std::uintmax_t start = OutputSize();
    ASSERT_EQ(Send("play " + name), kMediaOk);
    EXPECT_EQ(Mode(name), "playing");
    // Measured on the audio clock from the tune's first sound (the device writes silence while
    // the synthesiser loads): the one-second tune ends after it has sounded in full and its last
    // notes have rung out, not seconds later. The device has mixed at least what is in the file,
    // so a "playing" seen with that much written proves the tune still played there; on a busy
    // machine the polls only thin out.
    std::uintmax_t lastPlaying = start;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::uintmax_t written = OutputSize();
            if (Mode(name) == "stopped") return true;
            lastPlaying = written;
            return false;
        },
        10));
    const std::uintmax_t stoppedBy = OutputSize();
    ASSERT_TRUE(SoundsFrom(start, 1000));
    const std::uintmax_t soundStart = FirstSoundAt(start);
    const auto seconds = [&](std::uintmax_t bytes) {
        return (static_cast<double>(bytes) - static_cast<double>(soundStart)) / kBytesPerSecond;
    };
    EXPECT_GE(seconds(stoppedBy), 1.0);
    EXPECT_LT(seconds(lastPlaying), 2.5);
    // Played to its end, it stays stopped.
    LetAudioPass(0.2);
    EXPECT_EQ(Mode(name), "stopped");

    EXPECT_EQ(Send("seek " + name + " to start"), kMediaOk);
    EXPECT_EQ(Mode(name), "stopped");
    const std::uintmax_t again = OutputSize();
    ASSERT_EQ(Send("play " + name), kMediaOk);
    EXPECT_EQ(Mode(name), "playing");
    EXPECT_TRUE(SoundsFrom(again, 1000));

    // A play while playing goes on playing.
    EXPECT_EQ(Send("play " + name), kMediaOk);
    EXPECT_EQ(Mode(name), "playing");

    EXPECT_EQ(Send("close " + name), kMediaOk);
    EXPECT_EQ(Mode(name), "error " + std::to_string(kMediaNotOpen));
    const std::vector<std::int16_t> afterClose = Settled(0.15, 0.3);
    ASSERT_FALSE(afterClose.empty());
    EXPECT_EQ(Peak(afterClose), 0);
}

TEST_F(MediaDevice, SeekStopsATunePlaying) {
    const std::string name = Quoted(tune);
    ASSERT_EQ(Send("play " + name), kMediaOk);
    EXPECT_EQ(Send("SEEK " + name + " To Start"), kMediaOk);
    EXPECT_EQ(Mode(name), "stopped");
    const std::vector<std::int16_t> afterSeek = Settled(0.15, 0.3);
    ASSERT_FALSE(afterSeek.empty());
    EXPECT_EQ(Peak(afterSeek), 0);
    EXPECT_EQ(Send("close " + name), kMediaOk);
}

TEST_F(MediaDevice, MusicLoopRestartsTheTuneWhenItEnds) {
    MusicLoop loop(SendMediaCommand, (folder.path() / "my tunes").string() + "/", "tune.mid");
    const std::string name = loop.QuotedDeviceName();
    loop.PlayMusic();
    loop.PollMusic();
    EXPECT_EQ(Mode(name), "playing");
    ASSERT_TRUE(WaitForMode(name, "stopped", 10));
    loop.PollMusic();
    EXPECT_EQ(Mode(name), "playing");
    loop.CloseMusic();
    EXPECT_EQ(Mode(name), "error " + std::to_string(kMediaNotOpen));
    // Polling a closed tune sends only the status, which fails, so it does not come back.
    loop.PollMusic();
    EXPECT_EQ(Mode(name), "error " + std::to_string(kMediaNotOpen));
}

TEST_F(MediaDevice, FailuresGiveAnErrorAndAnEmptyReply) {
    Bytes damaged = ShortTune();
    damaged.resize(damaged.size() - 6);
    WriteFile(folder.path() / "damaged.mid", damaged);
    WriteFile(folder.path() / "text.mid", Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    // A sound MIDI file of 5 MiB, more than any real tune: 655,000 notes without pause.
    Bytes notes;
    for (int i = 0; i < 655000; ++i)
        notes.insert(notes.end(), {0x00, 0x90, 0x3C, 0x40, 0x00, 0x80, 0x3C, 0x40});
    notes.insert(notes.end(), {0x00, 0xFF, 0x2F, 0x00});
    WriteFile(folder.path() / "huge.mid", Join({MidiHeader(0, 1, 96), MidiTrack(notes)}));
    const std::string missing = Quoted(folder.path() / "missing.mid");
    const std::string name = Quoted(tune);

    const struct {
        std::string command;
        int result;
    } cases[] = {
        {"play " + missing, kMediaBadFile},
        {"play " + Quoted(folder.path() / "damaged.mid"), kMediaBadFile},
        {"play " + Quoted(folder.path() / "text.mid"), kMediaBadFile},
        {"play " + Quoted(folder.path() / "huge.mid"), kMediaBadFile},
        {"status " + name + " mode", kMediaNotOpen},
        {"seek " + name + " to start", kMediaNotOpen},
        {"close " + name, kMediaNotOpen},
        {"status " + missing + " mode", kMediaNotOpen},
        {"stop " + name, kMediaUnknownVerb},
        {"open " + name, kMediaUnknownVerb},
        {"play", kMediaBadCommand},
        {"play \"" + tune.string(), kMediaBadCommand},
        {"status " + name + " position", kMediaBadArgument},
        {"status " + name, kMediaBadArgument},
        {"seek " + name + " to end", kMediaBadArgument},
        {"play " + name + " wait", kMediaBadArgument},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        char reply[64] = "junk";
        EXPECT_EQ(SendMediaCommand(c.command, reply, sizeof reply), c.result);
        EXPECT_EQ(reply[0], '\0');
    }
    // None of them opened the tune.
    EXPECT_EQ(Mode(name), "error " + std::to_string(kMediaNotOpen));
}

TEST_F(MediaDevice, StatusNeedsRoomForTheWholeAnswer) {
    const std::string name = Quoted(tune);
    const std::string status = "status " + name + " mode";
    ASSERT_EQ(Send("play " + name), kMediaOk);
    char reply[16] = "junk";
    EXPECT_EQ(SendMediaCommand(status, reply, 7), kMediaReplyTooSmall);
    EXPECT_EQ(reply[0], '\0');
    EXPECT_EQ(SendMediaCommand(status, nullptr, 1024), kMediaReplyTooSmall);
    EXPECT_EQ(SendMediaCommand(status, reply, -5), kMediaReplyTooSmall);
    EXPECT_EQ(SendMediaCommand(status, reply, 8), kMediaOk);
    EXPECT_STREQ(reply, "playing");
    EXPECT_EQ(Send("close " + name), kMediaOk);
}

TEST_F(MediaDevice, MoveSoundPlaysOnOneChannelSoANewSoundCutsTheOldOff) {
    const std::filesystem::path tone = folder.path() / "tone.wav";
    const std::filesystem::path silence = folder.path() / "silence.wav";
    WriteFile(tone, SquareWav(1.5, 12000));
    WriteFile(silence, SquareWav(1.5, 0));
    WriteFile(folder.path() / "damaged.wav", Bytes{'R', 'I', 'F', 'F', 1, 2, 3});
    // A short WAV whose sample chunk claims 3 GiB.
    Bytes claims = SquareWav(0.01, 100);
    claims[40] = 0x00;
    claims[41] = 0x00;
    claims[42] = 0x00;
    claims[43] = 0xC0;
    WriteFile(folder.path() / "claims.wav", claims);

    const std::uintmax_t start = OutputSize();
    ASSERT_TRUE(PlaySoundFile(tone.string(), kSoundAsync));
    EXPECT_TRUE(SoundsFrom(start, 5000));

    ASSERT_TRUE(PlaySoundFile(silence.string(), kSoundAsync));
    const std::vector<std::int16_t> afterSilence = Settled(0.15, 0.3);
    ASSERT_FALSE(afterSilence.empty());
    EXPECT_EQ(Peak(afterSilence), 0);

    // Played again from the cache, it sounds again.
    const std::uintmax_t again = OutputSize();
    ASSERT_TRUE(PlaySoundFile(tone.string(), kSoundAsync));
    EXPECT_TRUE(SoundsFrom(again, 5000));
    ASSERT_TRUE(PlaySoundFile(silence.string(), kSoundAsync));

    EXPECT_FALSE(PlaySoundFile((folder.path() / "missing.wav").string(), kSoundAsync));
    EXPECT_FALSE(PlaySoundFile((folder.path() / "damaged.wav").string(), kSoundAsync));
    EXPECT_FALSE(PlaySoundFile((folder.path() / "claims.wav").string(), kSoundAsync));
    EXPECT_FALSE(PlaySoundFile("", kSoundAsync));
}

TEST_F(MediaDevice, ShutDownTwiceThenTheNextCommandOpensTheDeviceAgain) {
    const std::string name = Quoted(tune);
    ASSERT_EQ(Send("play " + name), kMediaOk);
    ShutdownMediaDevice();
    ShutdownMediaDevice();
    // The shutdown released the tune.
    EXPECT_EQ(Mode(name), "error " + std::to_string(kMediaNotOpen));
    ASSERT_EQ(Send("play " + name), kMediaOk);
    EXPECT_EQ(Mode(name), "playing");
    EXPECT_EQ(Send("close " + name), kMediaOk);
}

}  // namespace
}  // namespace halvoria

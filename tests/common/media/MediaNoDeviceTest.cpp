// The media device on a machine without sound: every command fails at once and nothing crashes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/core/MusicLoop.h"
#include "common/qt/MediaDevice.h"
#include "tests/support/MediaTestFiles.h"

namespace halvoria {
namespace {

using namespace test;

class NoAudioEnvironment : public testing::Environment {
  public:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "halvoria-no-such-driver", 1); }
    void TearDown() override { ShutdownMediaDevice(); }
};

[[maybe_unused]] testing::Environment* const kNoAudio =
    testing::AddGlobalTestEnvironment(new NoAudioEnvironment);

TEST(MediaDeviceWithoutAudio, EveryCommandFailsWithAnEmptyReply) {
    ShutdownMediaDevice();  // safe before anything was opened
    TempFolder folder;
    WriteFile(folder.path() / "music.mid", ShortTune());
    WriteFile(folder.path() / "poka!.wav", SquareWav(0.1, 8000));
    const std::string name = "\"" + (folder.path() / "music.mid").string() + "\"";

    for (int tick = 0; tick < 20; ++tick) {
        for (const std::string& command : {"play " + name, "status " + name + " mode",
                                           "seek " + name + " to start", "close " + name}) {
            SCOPED_TRACE(command);
            char reply[1024] = "junk";
            EXPECT_EQ(SendMediaCommand(command, reply, sizeof reply), kMediaNoDevice);
            EXPECT_EQ(reply[0], '\0');
        }
        EXPECT_FALSE(PlaySoundFile((folder.path() / "poka!.wav").string(), kSoundAsync));
    }
    // What is wrong with the command itself is still told apart.
    EXPECT_EQ(SendMediaCommand("play", nullptr, 0), kMediaBadCommand);
    EXPECT_EQ(SendMediaCommand("stop " + name, nullptr, 0), kMediaUnknownVerb);

    // The loop on top of it stays silent without restarting anything.
    int sent = 0;
    MusicLoop loop(
        [&](const std::string& command, char* reply, int replyLength) {
            ++sent;
            return SendMediaCommand(command, reply, replyLength);
        },
        folder.path().string() + "/", "music.mid");
    loop.PlayMusic();
    loop.PollMusic();
    EXPECT_EQ(sent, 2);  // play, status; no seek or play after an empty reply

    ShutdownMediaDevice();
    ShutdownMediaDevice();
}

}  // namespace
}  // namespace halvoria

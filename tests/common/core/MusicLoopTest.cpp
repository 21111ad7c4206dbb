// The command strings of the music loop, the move sound and the music and sound menu commands,
// against a recording device.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/core/MusicLoop.h"

namespace halvoria {
namespace {

// Records every command with the reply length it was given and answers status with a script.
struct Recorder {
    struct Sent {
        std::string command;
        int replyLength;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> sent;
    std::string statusReply;

    SendStringFn Fn() {
        return [this](const std::string& command, char* reply, int replyLength) {
            sent.push_back({command, replyLength});
            if (command.rfind("status ", 0) == 0 && reply != nullptr) {
                // The buffer must come cleared, so a device that writes nothing gives "".
                EXPECT_EQ(reply[0], '\0');
                std::strncpy(reply, statusReply.c_str(), static_cast<std::size_t>(replyLength));
            }
            return 0;
        };
    }
    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (const Sent& s : sent) out.push_back(s.command);
        return out;
    }
};

TEST(MusicLoop, NamesTheTuneByItsQuotedFullPathEvenWithSpaces) {
    Recorder device;
    MusicLoop loop(device.Fn(), "/home/p/my games/", "music.mid");
    EXPECT_EQ(loop.QuotedDeviceName(), "\"/home/p/my games/music.mid\"");

    loop.PlayMusic();
    loop.CloseMusic();
    device.statusReply = "stopped";
    loop.PollMusic();

    const std::vector<Recorder::Sent> expected{
        {"play \"/home/p/my games/music.mid\"", 0},
        {"close \"/home/p/my games/music.mid\"", 0},
        {"status \"/home/p/my games/music.mid\" mode", 1024},
        {"seek \"/home/p/my games/music.mid\" to start", 0},
        {"play \"/home/p/my games/music.mid\"", 0},
    };
    EXPECT_EQ(device.sent, expected);
}

TEST(MusicLoop, PollRestartsOnlyWhenTheReplyContainsStop) {
    const struct {
        const char* reply;
        bool restarts;
    } cases[] = {
        {"stopped", true}, {"xstopx", true}, {"playing", false},
        {"", false},       {"Stop", false},  {"STOPPED", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        Recorder device;
        device.statusReply = c.reply;
        MusicLoop loop(device.Fn(), "/g/", "music2.mid");
        loop.PollMusic();
        std::vector<std::string> expected{"status \"/g/music2.mid\" mode"};
        if (c.restarts) {
            expected.push_back("seek \"/g/music2.mid\" to start");
            expected.push_back("play \"/g/music2.mid\"");
        }
        EXPECT_EQ(device.Commands(), expected);
    }
}

TEST(MusicLoop, PollReadsNoFurtherThanTheBufferWhenTheDeviceLeavesNoTerminator) {
    int calls = 0;
    MusicLoop loop(
        [&](const std::string&, char* reply, int replyLength) {
            if (++calls == 1) {
                std::memset(reply, 'x', static_cast<std::size_t>(replyLength));
                std::memcpy(reply + replyLength - 4, "stop", 4);
            }
            return 0;
        },
        "/g/", "music.mid");
    loop.PollMusic();
    EXPECT_EQ(calls, 3);  // "stop" in the last four characters still counts
}

// An engine built without sound passes no functions; calling an empty one would throw.
TEST(MusicLoop, WithoutADeviceNothingIsCalled) {
    MusicLoop loop(nullptr, "/g/", "music.mid");
    EXPECT_NO_THROW(loop.PlayMusic());
    EXPECT_NO_THROW(loop.PollMusic());
    EXPECT_NO_THROW(loop.CloseMusic());
    MoveSound sound(nullptr, "/g/");
    EXPECT_NO_THROW(sound.PlayMoveSound(true));
}

TEST(MoveSound, PlaysThePopAsynchronouslyOnlyWhenSoundIsOn) {
    std::vector<std::pair<std::string, int>> played;
    MoveSound sound(
        [&](const std::string& name, int flags) {
            played.emplace_back(name, flags);
            return true;
        },
        "/home/p/my games/");
    sound.PlayMoveSound(false);
    EXPECT_TRUE(played.empty());
    sound.PlayMoveSound(true);
    sound.PlayMoveSound(true);
    const std::vector<std::pair<std::string, int>> expected(2, {"/home/p/my games/poka!.wav", 1});
    EXPECT_EQ(played, expected);
}

struct Marks {
    bool on = false;
    bool off = false;
    int calls = 0;
    SetMarksFn Fn() {
        return [this](bool onChecked, bool offChecked) {
            on = onChecked;
            off = offChecked;
            ++calls;
        };
    }
};

TEST(MusicMenu, SwitchesTheTuneOnlyDuringAGameAndOnlyWhenTheStateChanges) {
    enum Item { kOn, kOff };
    const struct {
        bool playing;
        bool musicOn;
        Item item;
        const char* command;  // nullptr: nothing sent
    } cases[] = {
        {true, false, kOn, "play \"/g/music.mid\""},
        {true, true, kOn, nullptr},
        {false, false, kOn, nullptr},
        {false, true, kOn, nullptr},
        {true, true, kOff, "close \"/g/music.mid\""},
        {true, false, kOff, nullptr},
        {false, true, kOff, nullptr},
        {false, false, kOff, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "playing " << c.playing << " musicOn " << c.musicOn
                                        << (c.item == kOn ? " MusicOn" : " MusicOff"));
        Recorder device;
        MusicLoop loop(device.Fn(), "/g/", "music.mid");
        Marks marks;
        bool musicOn = c.musicOn;
        if (c.item == kOn) {
            MusicOn_Click(c.playing, musicOn, loop, marks.Fn());
        } else {
            MusicOff_Click(c.playing, musicOn, loop, marks.Fn());
        }
        const std::vector<std::string> expected =
            c.command ? std::vector<std::string>{c.command} : std::vector<std::string>{};
        EXPECT_EQ(device.Commands(), expected);
        EXPECT_EQ(musicOn, c.item == kOn);
        EXPECT_EQ(marks.calls, 1);
        EXPECT_EQ(marks.on, c.item == kOn);
        EXPECT_EQ(marks.off, c.item == kOff);
    }
}

TEST(SoundMenu, SetsTheSwitchAndItsMarks) {
    for (bool before : {false, true}) {
        Marks marks;
        bool soundOn = before;
        SoundOff_Click(soundOn, marks.Fn());
        EXPECT_FALSE(soundOn);
        EXPECT_FALSE(marks.on);
        EXPECT_TRUE(marks.off);
        SoundOn_Click(soundOn, marks.Fn());
        EXPECT_TRUE(soundOn);
        EXPECT_TRUE(marks.on);
        EXPECT_FALSE(marks.off);
        EXPECT_EQ(marks.calls, 2);
    }
}

}  // namespace
}  // namespace halvoria

// The command strings of the looping tune, the move sound and the music and sound menu commands.
#include "common/core/MusicLoop.h"

#include <array>
#include <string_view>
#include <utility>

namespace halvoria {

MusicLoop::MusicLoop(SendStringFn send, std::string appFolder, std::string tuneFile)
    : send_(std::move(send)), appFolder_(std::move(appFolder)), tuneFile_(std::move(tuneFile)) {}

std::string MusicLoop::QuotedDeviceName() const { return '"' + appFolder_ + tuneFile_ + '"'; }

void MusicLoop::Send(const std::string& command, char* reply, int replyLength) const {
    if (send_) send_(command, reply, replyLength);
}

void MusicLoop::PlayMusic() { Send("play " + QuotedDeviceName(), nullptr, 0); }

void MusicLoop::CloseMusic() { Send("close " + QuotedDeviceName(), nullptr, 0); }

void MusicLoop::PollMusic() {
    std::array<char, kStatusReplyLength> reply{};
    Send("status " + QuotedDeviceName() + " mode", reply.data(), kStatusReplyLength);
    // Read up to the terminator, and never past the buffer should the device leave none.
    std::string_view text(reply.data(), reply.size());
    text = text.substr(0, text.find('\0'));
    if (text.find("stop") == std::string_view::npos) return;
    Send("seek " + QuotedDeviceName() + " to start", nullptr, 0);
    Send("play " + QuotedDeviceName(), nullptr, 0);
}

MoveSound::MoveSound(PlaySoundFn play, std::string appFolder)
    : play_(std::move(play)), appFolder_(std::move(appFolder)) {}

void MoveSound::PlayMoveSound(bool soundOn) {
    if (soundOn && play_) play_(appFolder_ + "poka!.wav", kSoundAsync);
}

namespace {

void SetMarks(const SetMarksFn& setMarks, bool on) {
    if (setMarks) setMarks(on, !on);
}

}  // namespace

void MusicOn_Click(bool playing, bool& musicOn, MusicLoop& loop, const SetMarksFn& setMarks) {
    if (playing && !musicOn) loop.PlayMusic();
    musicOn = true;
    SetMarks(setMarks, true);
}

void MusicOff_Click(bool playing, bool& musicOn, MusicLoop& loop, const SetMarksFn& setMarks) {
    if (playing && musicOn) loop.CloseMusic();
    musicOn = false;
    SetMarks(setMarks, false);
}

void SoundOn_Click(bool& soundOn, const SetMarksFn& setMarks) {
    soundOn = true;
    SetMarks(setMarks, true);
}

void SoundOff_Click(bool& soundOn, const SetMarksFn& setMarks) {
    soundOn = false;
    SetMarks(setMarks, false);
}

}  // namespace halvoria

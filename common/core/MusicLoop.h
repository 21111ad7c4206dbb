// The looping background tune, driven by media command strings, the puzzle's move sound, and the
// music and sound menu commands shared by both games.
#pragma once

#include <functional>
#include <string>

namespace halvoria {

// Sends one command string; reply receives the answer (at most replyLength characters including
// the terminating NUL; reply may be null when replyLength is 0). Returns 0 on success.
using SendStringFn = std::function<int(const std::string& command, char* reply, int replyLength)>;

// Length of the reply buffer of the status command.
inline constexpr int kStatusReplyLength = 1024;

// One program's tune, "<appFolder><tuneFile>". It keeps no state of its own: whether the tune is
// open is known only to the device behind send. Result codes are ignored, so a missing file or a
// missing audio device leaves the game silent.
class MusicLoop {
  public:
    // appFolder ends with '/', UTF-8.
    MusicLoop(SendStringFn send, std::string appFolder, std::string tuneFile);

    // Starts the tune; the first play of a name opens it.
    void PlayMusic();
    // Stops the tune at once and releases it.
    void CloseMusic();
    // Asks the tune's mode and, once it has played to its end, starts it again from the beginning.
    // Called on every timer tick while a game runs with music on.
    void PollMusic();

    // The full path of the tune between double quotes, as every command names it.
    std::string QuotedDeviceName() const;

  private:
    void Send(const std::string& command, char* reply, int replyLength) const;

    SendStringFn send_;
    std::string appFolder_;
    std::string tuneFile_;
};

// Plays a sound file; returns whether it started.
using PlaySoundFn = std::function<bool(const std::string& name, int flags)>;

// Flag of PlaySoundFn: return at once while the sound plays on.
inline constexpr int kSoundAsync = 1;

// The puzzle's sound of a sliding panel, "<appFolder>poka!.wav".
class MoveSound {
  public:
    MoveSound(PlaySoundFn play, std::string appFolder);

    // One asynchronous play when soundOn; nothing otherwise.
    void PlayMoveSound(bool soundOn);

  private:
    PlaySoundFn play_;
    std::string appFolder_;
};

// Sets the check marks of a menu pair: the "on" item and the "off" item.
using SetMarksFn = std::function<void(bool onChecked, bool offChecked)>;

// Music switched on from the menu: starts the tune during a game if it was off. The marks are
// always set again, so a menu item that toggled its own mark when chosen shows the state in force.
void MusicOn_Click(bool playing, bool& musicOn, MusicLoop& loop, const SetMarksFn& setMarks);
// Music switched off from the menu: closes the tune during a game if it was on.
void MusicOff_Click(bool playing, bool& musicOn, MusicLoop& loop, const SetMarksFn& setMarks);
// The puzzle's sound switch; nothing is played or stopped.
void SoundOn_Click(bool& soundOn, const SetMarksFn& setMarks);
void SoundOff_Click(bool& soundOn, const SetMarksFn& setMarks);

}  // namespace halvoria

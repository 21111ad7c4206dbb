// The process-wide media device on SDL2_mixer behind the games' SendStringFn and PlaySoundFn: it
// takes the command strings of the looping tune and plays the move sound.
#pragma once

#include <string>

namespace halvoria {

// Result codes of SendMediaCommand; 0 is success.
enum MediaResult : int {
    kMediaOk = 0,
    kMediaBadCommand = 1,   // not a command string: no verb or name, unclosed quote, too long
    kMediaUnknownVerb = 2,  // a verb this device does not know
    kMediaBadArgument = 3,  // the rest of the command is not what the verb takes
    kMediaNoDevice = 4,     // the audio device could not be opened
    kMediaNotOpen = 5,      // the name has not been opened by a play
    kMediaBadFile = 6,      // the file is missing, unreadable or damaged
    kMediaReplyTooSmall = 7,
    kMediaPlaybackFailed = 8,
};

// Commands, letter case of the words ignored:
//   play "<file>"            opens the file at its first play, then plays it once from the start;
//                            a tune already playing plays on
//   status "<file>" mode     answers "playing" or "stopped" (a tune played to its end is stopped)
//   seek "<file>" to start   stops the tune at its start, for the next play
//   close "<file>"           stops at once and releases the tune
// One tune sounds at a time: playing one stops another. The audio device opens at the first
// valid command; when it cannot (no sound card), that and every later command fail at once without
// trying again until ShutdownMediaDevice. On any failure the result is non-zero and the reply is
// empty (reply[0] = 0 when replyLength > 0). No command waits for a tune to sound or end.
int SendMediaCommand(const std::string& command, char* reply, int replyLength);

// Plays a WAV file on the one sound channel and returns at once, whatever the flags; a sound still
// sounding is cut off. Each file is loaded once and kept. False when the file is missing or
// damaged or there is no audio device.
bool PlaySoundFile(const std::string& name, int flags);

// Stops every tune and sound, frees them and closes the audio device; the next command opens it
// again. Safe to call when the device was never opened.
void ShutdownMediaDevice();

}  // namespace halvoria

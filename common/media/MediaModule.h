// The entry points of the media module halvoria-media.so, the SDL2_mixer half of the media
// device. The games load it only when they first play a tune or a sound, so the forty-odd
// libraries behind SDL2_mixer and FluidSynth cost neither start-up time nor memory before then.
#pragma once

#include <cstddef>

namespace halvoria {

// File name of the module; a program finds it beside itself.
inline constexpr const char* kMediaModuleFile = "halvoria-media.so";

}  // namespace halvoria

extern "C" {
// SendMediaCommand, PlaySoundFile and ShutdownMediaDevice of MediaDevice.h, with the strings as
// pointer and length.
int halvoria_media_command(const char* command, std::size_t length, char* reply, int replyLength);
bool halvoria_media_sound(const char* name, std::size_t length);
void halvoria_media_shutdown();
}

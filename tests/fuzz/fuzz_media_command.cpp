// Feeds arbitrary bytes to the media command parser: it must never misbehave, and what it accepts
// must hold together (a verb, and a name without quotes or NULs).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/media/MediaCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto command = halvoria::ParseMediaCommand(text);
    if (command) {
        if (command->verb.empty()) std::abort();
        if (command->name.find('"') != std::string::npos) std::abort();
        if (command->name.find('\0') != std::string::npos) std::abort();
    }
    return 0;
}

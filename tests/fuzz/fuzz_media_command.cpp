// Feeds arbitrary bytes to the media command parser: it must never misbehave, and what it accepts
// must hold together: a verb without spaces, a name without NULs, and written again in the form the
// games send, the same command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/core/MediaCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto command = halvoria::ParseMediaCommand(text);
    if (!command) return 0;
    if (command->verb.empty() || command->verb.find(' ') != std::string::npos) std::abort();
    if (command->name.empty() || command->name.find('\0') != std::string::npos) std::abort();
    if (command->rest.find('"') != std::string::npos) std::abort();

    std::string again = command->verb + " \"" + command->name + "\"";
    if (!command->rest.empty()) again += " " + command->rest;
    if (again.size() > halvoria::kMaxMediaCommandLength) return 0;
    const auto reparsed = halvoria::ParseMediaCommand(again);
    if (!reparsed || reparsed->verb != command->verb || reparsed->name != command->name ||
        reparsed->rest != command->rest) {
        std::abort();
    }
    return 0;
}

// The parser of media command strings such as `status "/games/music.mid" mode`: a verb, the name
// of the device (a file path, usually in double quotes) and the rest of the command.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halvoria {

struct MediaCommand {
    std::string verb;  // as written, e.g. "play"
    std::string name;  // without the quotes
    std::string rest;  // what follows the name, trimmed; empty if nothing
};

// Longest command accepted: a full path of the longest length this platform allows, with room for
// the verb, the quotes and the rest.
inline constexpr std::size_t kMaxMediaCommandLength = 8192;

// Splits a command into verb, name and rest. The verb is the first word. A name in double quotes
// may hold spaces and runs to the last double quote of the command, so a folder whose own name
// holds a double quote still names the right file; the rest that follows it is then free of
// quotes. An unquoted name is one word. Gives nullopt for a command without a verb or a name, an
// empty or unclosed quoted name, a name glued to what follows it, quotes inside a word, an
// embedded NUL, or a command longer than kMaxMediaCommandLength.
std::optional<MediaCommand> ParseMediaCommand(std::string_view text);

}  // namespace halvoria

// Splitting media command strings into verb, device name and the rest.
#include "common/core/MediaCommand.h"

namespace halvoria {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Length of the leading word: everything up to the first space.
std::size_t WordLength(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size() && !IsSpace(text[length])) ++length;
    return length;
}

}  // namespace

std::optional<MediaCommand> ParseMediaCommand(std::string_view text) {
    if (text.size() > kMaxMediaCommandLength) return std::nullopt;
    if (text.find('\0') != std::string_view::npos) return std::nullopt;

    text = Trim(text);
    const std::size_t verbLength = WordLength(text);
    if (verbLength == 0) return std::nullopt;
    MediaCommand command;
    command.verb = std::string(text.substr(0, verbLength));
    if (command.verb.find('"') != std::string::npos) return std::nullopt;

    std::string_view after = Trim(text.substr(verbLength));
    if (after.empty()) return std::nullopt;

    std::string_view rest;
    if (after.front() == '"') {
        const std::size_t close = after.rfind('"');
        if (close == 0) return std::nullopt;  // unclosed
        command.name = std::string(after.substr(1, close - 1));
        rest = after.substr(close + 1);
        if (!rest.empty() && !IsSpace(rest.front())) return std::nullopt;
    } else {
        const std::size_t nameLength = WordLength(after);
        command.name = std::string(after.substr(0, nameLength));
        if (command.name.find('"') != std::string::npos) return std::nullopt;
        rest = after.substr(nameLength);
        if (rest.find('"') != std::string_view::npos) return std::nullopt;
    }
    if (command.name.empty()) return std::nullopt;
    command.rest = std::string(Trim(rest));
    return command;
}

}  // namespace halvoria

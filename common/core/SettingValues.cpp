// The value encodings of the settings store: strict parsing so a damaged value falls back cleanly.
#include "common/core/SettingValues.h"

#include <charconv>
#include <limits>

namespace halvoria {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerWord[i]) return false;
    }
    return true;
}

// The whole text must be the number: a value with anything behind or before its digits is damaged.
bool ParseWholeNumber(std::string_view text, std::int32_t& out) {
    text = TrimSpaces(text);
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty()) return false;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kLimit) return false;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

std::int32_t ReadWholeNumber(std::string_view text, std::int32_t fallback) {
    std::int32_t value = 0;
    return ParseWholeNumber(text, value) ? value : fallback;
}

bool ReadBoolean(std::string_view text, bool fallback) {
    const std::string_view word = TrimSpaces(text);
    if (EqualsIgnoringCase(word, "true")) return true;
    if (EqualsIgnoringCase(word, "false")) return false;
    std::int32_t number = 0;
    if (ParseWholeNumber(word, number)) return number != 0;
    return fallback;
}

std::string WriteWholeNumber(std::int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string WriteBoolean(bool value) { return value ? "True" : "False"; }

}  // namespace halvoria

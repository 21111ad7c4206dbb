// Splitting command strings into verb, device name and rest, well-formed and malformed.
#include <gtest/gtest.h>

#include <string>

#include "common/core/MediaCommand.h"

namespace halvoria {
namespace {

TEST(ParseMediaCommand, SplitsVerbNameAndRest) {
    const struct {
        std::string text;
        const char* verb;
        const char* name;
        const char* rest;
    } cases[] = {
        {"play \"/g/music.mid\"", "play", "/g/music.mid", ""},
        {"status \"/my games/music.mid\" mode", "status", "/my games/music.mid", "mode"},
        {"seek \"/g/m.mid\" to start", "seek", "/g/m.mid", "to start"},
        {"  close\t\"/g/m.mid\"  \r\n", "close", "/g/m.mid", ""},
        {"PLAY /g/m.mid", "PLAY", "/g/m.mid", ""},
        {"status /g/m.mid   mode  ", "status", "/g/m.mid", "mode"},
        // a folder whose name holds a double quote: the name runs to the last quote
        {"status \"/a\"b/music.mid\" mode", "status", "/a\"b/music.mid", "mode"},
        {"play \"/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/music.mid\"", "play",
         "/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/music.mid", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto command = ParseMediaCommand(c.text);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(command->verb, c.verb);
        EXPECT_EQ(command->name, c.name);
        EXPECT_EQ(command->rest, c.rest);
    }
}

TEST(ParseMediaCommand, RejectsMalformedCommands) {
    const std::string cases[] = {
        "",
        "   ",
        "play",
        "play   ",
        "play \"",
        "play \"\"",
        "play \"/g/music.mid",
        "play \"/g/music.mid\"mode",
        "pl\"ay \"/g/music.mid\"",
        "\"/g/music.mid\"",
        "play /g/mu\"sic.mid",
        "play /g/music.mid \"x\"",
        std::string("play \"/g/mu\0sic.mid\"", 20),
        std::string("play \"/g/music.mid\"\0", 20),
        "play \"" + std::string(kMaxMediaCommandLength, 'a') + "\"",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 60));
        EXPECT_FALSE(ParseMediaCommand(text).has_value());
    }
}

TEST(ParseMediaCommand, AcceptsACommandOfTheLongestLength) {
    const std::string prefix = "play \"";
    const std::string text =
        prefix + std::string(kMaxMediaCommandLength - prefix.size() - 1, 'a') + "\"";
    ASSERT_EQ(text.size(), kMaxMediaCommandLength);
    EXPECT_TRUE(ParseMediaCommand(text).has_value());
}

}  // namespace
}  // namespace halvoria

// The value encodings: what reads back as what, and which damaged values take the fallback.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/core/SettingValues.h"

namespace halvoria {
namespace {

struct NumberCase {
    std::string text;
    std::int32_t expected;
};

TEST(SettingValues, ReadWholeNumber) {
    constexpr std::int32_t kFallback = 77;
    const NumberCase cases[] = {
        {"4", 4},
        {"-12", -12},
        {"0", 0},
        {"007", 7},
        {"  100  ", 100},
        {"\t5", 5},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        // Damaged values.
        {"", kFallback},
        {"   ", kFallback},
        {"abc", kFallback},
        {"4a", kFallback},
        {"a4", kFallback},
        {"+4", kFallback},
        {"4.5", kFallback},
        {"-", kFallback},
        {"- 4", kFallback},
        {"4 4", kFallback},
        {"2147483648", kFallback},
        {"-2147483649", kFallback},
        {"99999999999", kFallback},
        {"99999999999999999999999999", kFallback},
        {"0x10", kFallback},
        {"１２", kFallback},  // full-width digits are not digits here
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(ReadWholeNumber(c.text, kFallback), c.expected) << "text \"" << c.text << "\"";
    }
}

struct BooleanCase {
    std::string text;
    bool fallback;
    bool expected;
};

TEST(SettingValues, ReadBoolean) {
    const BooleanCase cases[] = {
        {"True", false, true},
        {"False", true, false},
        {"TRUE", false, true},
        {"false", true, false},
        {" tRuE ", false, true},
        {"0", true, false},
        {"-1", false, true},
        {"1", false, true},
        {"  7 ", false, true},
        // Damaged values keep the fallback, whichever it is.
        {"", true, true},
        {"", false, false},
        {"yes", false, false},
        {"maybe", true, true},
        {"Tru", false, false},
        {"True!", false, false},
        {"1.0", true, true},
        {"99999999999", false, false},
    };
    for (const BooleanCase& c : cases) {
        EXPECT_EQ(ReadBoolean(c.text, c.fallback), c.expected)
            << "text \"" << c.text << "\" fallback " << c.fallback;
    }
}

TEST(SettingValues, WriteAndReadBack) {
    EXPECT_EQ(WriteWholeNumber(4), "4");
    EXPECT_EQ(WriteWholeNumber(-12), "-12");
    EXPECT_EQ(WriteWholeNumber(0), "0");
    EXPECT_EQ(WriteWholeNumber(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(WriteBoolean(true), "True");
    EXPECT_EQ(WriteBoolean(false), "False");
    for (std::int32_t value : {std::numeric_limits<std::int32_t>::min(), -1, 0, 1, 100,
                               std::numeric_limits<std::int32_t>::max()}) {
        EXPECT_EQ(ReadWholeNumber(WriteWholeNumber(value), 42), value);
    }
    EXPECT_TRUE(ReadBoolean(WriteBoolean(true), false));
    EXPECT_FALSE(ReadBoolean(WriteBoolean(false), true));
}

}  // namespace
}  // namespace halvoria

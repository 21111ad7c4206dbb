// How whole numbers and Booleans are written into the settings store and read back from it.
// Plain C++ so the engines and their tests can use the same rules as the windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace halvoria {

// Optional surrounding spaces, an optional "-", then decimal digits that fit in 32 bits; anything
// else (letters, empty text, "+4", "4.5", out of range) gives the fallback.
std::int32_t ReadWholeNumber(std::string_view text, std::int32_t fallback);

// "True" or "False" in any letter case, surrounding spaces allowed; a whole number reads as false
// for 0 and true otherwise; anything else gives the fallback.
bool ReadBoolean(std::string_view text, bool fallback);

// "4", "-12".
std::string WriteWholeNumber(std::int32_t value);

// "True" or "False".
std::string WriteBoolean(bool value);

}  // namespace halvoria

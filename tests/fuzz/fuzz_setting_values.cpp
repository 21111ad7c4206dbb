// Feeds arbitrary stored texts to the setting conversions: any text reads as a value or the
// fallback, and every number written reads back as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "common/core/SettingValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t number = halvoria::ReadWholeNumber(text, 4);
    // What was read, written again, reads back the same.
    if (halvoria::ReadWholeNumber(halvoria::WriteWholeNumber(number), -1) != number) std::abort();
    const bool flag = halvoria::ReadBoolean(text, true);
    if (halvoria::ReadBoolean(halvoria::WriteBoolean(flag), !flag) != flag) std::abort();

    if (size >= sizeof(std::int32_t)) {
        std::int32_t any;
        std::memcpy(&any, data, sizeof any);
        if (halvoria::ReadWholeNumber(halvoria::WriteWholeNumber(any), any ^ 1) != any)
            std::abort();
    }
    return 0;
}

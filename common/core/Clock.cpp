// The tick count from the steady clock, so changes of the wall clock never move it.
#include "common/core/Clock.h"

#include <chrono>

namespace halvoria {

std::uint32_t TickCount() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

}  // namespace halvoria

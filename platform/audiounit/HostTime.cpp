#include "platform/audiounit/HostTime.h"

#include <chrono>

namespace au {

std::uint64_t currentHostTime()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

} // namespace au

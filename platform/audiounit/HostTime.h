#pragma once

#include <cstdint>

namespace au {

/// The host's clock: nanoseconds of a monotonic clock that never jumps with the wall clock.
/// Any thread; reading it makes no system call on Linux (the clock is read in user space).
std::uint64_t currentHostTime();

inline constexpr double hostTimeTicksPerSecond = 1e9;

} // namespace au

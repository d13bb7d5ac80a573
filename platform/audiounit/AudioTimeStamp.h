#pragma once

#include <cstdint>

namespace au {

/// When a render call's first frame plays: its position on the host's sample timeline and the
/// host time (see HostTime.h) at which it plays.
struct AudioTimeStamp {
    double sampleTime = 0.0;
    std::uint64_t hostTime = 0;
};

} // namespace au

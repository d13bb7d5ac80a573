#pragma once

#include <cstddef>
#include <cstdint>

namespace zindle {

/// The effect's parameter addresses: indices of the kernel's value mirror, bits of its masks,
/// and the addresses of the host's parameter tree.
struct ParameterAddress {
    enum : std::uint64_t {
        quality = 0,
        whiteNoiseLevel = 1,
        whiteNoiseThreshold = 2,
        highPassFilter = 3,
        outputGain = 4,
        voiceInputGain = 5,
        synthInputGain = 6,
        voiceMode = 7,
        formantShift = 8,
        lowPassFilter = 9,
        crush = 10,
        compress = 11,
        mainMode = 12,
        retroMode = 13,
        freeze = 14,
    };
    static constexpr std::size_t count = 15;
};

} // namespace zindle

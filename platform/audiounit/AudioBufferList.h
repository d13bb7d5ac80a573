#pragma once

#include <cstdint>
#include <span>

// Plain C layout: these cross the boundary between a host and a loaded effect.
namespace au {

/// One buffer of a list: with the standard format, one channel of 32-bit float samples.
struct AudioBuffer {
    std::uint32_t numberChannels;
    std::uint32_t dataByteSize;
    float* data;
};

/// The buffers of one bus for one render call. `buffers` points at `numberBuffers` entries.
struct AudioBufferList {
    std::uint32_t numberBuffers;
    AudioBuffer* buffers;

    std::span<AudioBuffer> span() const { return {buffers, buffers ? numberBuffers : 0u}; }
};

} // namespace au

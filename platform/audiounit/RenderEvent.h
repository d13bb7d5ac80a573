#pragma once

#include <cstdint>

// Plain C layout: the host builds the list, the effect walks it on the render thread.
namespace au {

enum class RenderEventType : std::uint8_t {
    parameter = 1,     // set a parameter at the event's sample
    parameterRamp = 2, // move a parameter to a value over a number of frames
    midi = 3,          // a MIDI message of up to three bytes
};

/// One event of the host's render-event list, linked in time order through `next`.
struct RenderEvent {
    const RenderEvent* next = nullptr;
    /// On the host's sample timeline, the same as the render call's time stamp.
    std::int64_t sampleTime = 0;
    RenderEventType type = RenderEventType::parameter;

    // parameter and parameterRamp
    std::uint64_t parameterAddress = 0;
    float value = 0.0f;
    std::uint32_t rampDurationFrames = 0;

    // midi
    std::uint8_t midiCable = 0;
    std::uint8_t midiLength = 0;
    std::uint8_t midiData[3] = {0, 0, 0};
};

} // namespace au

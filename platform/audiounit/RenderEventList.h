#pragma once

#include "platform/audiounit/RenderEvent.h"

#include <cstdint>
#include <span>
#include <vector>

namespace au {

/// A host's builder of the render-event list for one render call: events are linked in the
/// order they are added, which is the order the effect acts on them (add them in time order).
/// Built on the host's side before the call; adding may allocate.
class RenderEventList {
public:
    void addParameter(std::int64_t sampleTime, std::uint64_t address, float value);
    void addParameterRamp(std::int64_t sampleTime, std::uint64_t address, float value, std::uint32_t durationFrames);
    /// At most three bytes are kept.
    void addMIDI(std::int64_t sampleTime, std::uint8_t cable, std::span<const std::uint8_t> bytes);
    void clear() { events_.clear(); }

    /// The first event, or nullptr for an empty list; valid until the list is changed.
    const RenderEvent* head() const { return events_.empty() ? nullptr : events_.data(); }
    std::size_t size() const { return events_.size(); }

private:
    void append(const RenderEvent& event);

    std::vector<RenderEvent> events_;
};

} // namespace au

#include "platform/audiounit/RenderEventList.h"

#include <algorithm>

namespace au {

void RenderEventList::append(const RenderEvent& event)
{
    events_.push_back(event);
    // The vector may have moved: link every event again.
    for (std::size_t i = 0; i < events_.size(); ++i)
        events_[i].next = i + 1 < events_.size() ? &events_[i + 1] : nullptr;
}

void RenderEventList::addParameter(std::int64_t sampleTime, std::uint64_t address, float value)
{
    RenderEvent event;
    event.sampleTime = sampleTime;
    event.type = RenderEventType::parameter;
    event.parameterAddress = address;
    event.value = value;
    append(event);
}

void RenderEventList::addParameterRamp(std::int64_t sampleTime, std::uint64_t address, float value,
                                       std::uint32_t durationFrames)
{
    RenderEvent event;
    event.sampleTime = sampleTime;
    event.type = RenderEventType::parameterRamp;
    event.parameterAddress = address;
    event.value = value;
    event.rampDurationFrames = durationFrames;
    append(event);
}

void RenderEventList::addMIDI(std::int64_t sampleTime, std::uint8_t cable, std::span<const std::uint8_t> bytes)
{
    RenderEvent event;
    event.sampleTime = sampleTime;
    event.type = RenderEventType::midi;
    event.midiCable = cable;
    event.midiLength = static_cast<std::uint8_t>(std::min<std::size_t>(bytes.size(), 3));
    std::copy_n(bytes.begin(), event.midiLength, event.midiData);
    append(event);
}

} // namespace au

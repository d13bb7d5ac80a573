#pragma once

#include "platform/audiounit/AudioUnit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace au::validation {

enum class Input { silence, noise };

/// Drives the unit's render block as a host does: output bus 0 into buffers of its own, every
/// input bus pulled from its own signal (the same on every channel of a bus: silence, or noise
/// seeded by the bus number), on a sample timeline that advances with each successful call.
/// Its buffers take one frame more than the maximum, so a unit that ignores the limit writes
/// into memory that exists. Sized for the unit's bus formats when made.
class RenderHarness {
public:
    RenderHarness(AudioUnit& unit, FrameCount capacity);

    std::int64_t sampleTime = 0;

    /// The sample of an input bus at a point of the timeline while it plays noise.
    static float noiseInput(std::size_t bus, std::int64_t index);

    Status render(FrameCount frames, Input input);

    std::size_t outputChannels() const { return outputs_.size(); }
    /// What the unit left in output channel of the last call: the buffer it was handed, or
    /// the one it put in its place.
    const float* output(std::size_t channel) const;

private:
    Status pull(const AudioTimeStamp& time, FrameCount count, std::int64_t bus, AudioBufferList* list);

    AudioUnit& unit_;
    FrameCount capacity_;
    Input input_ = Input::silence;
    std::vector<std::vector<std::vector<float>>> inputs_; // bus, channel, frame
    std::vector<std::vector<float>> outputs_;
    std::vector<AudioBuffer> outputBuffers_;
    AudioBufferList outputList_{};
};

/// What is wrong with an output sample: "NaN", "infinite" or "denormal (...)", nothing for a
/// sound one. Classified by its bits, so a flush-to-zero mode of the calling thread cannot hide
/// one.
std::optional<std::string> faultOf(float sample);

} // namespace au::validation

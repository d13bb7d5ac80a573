#pragma once

#include <cstdint>

namespace au {

/// A stream format. The layer knows only the standard format: non-interleaved 32-bit float,
/// one buffer per channel, at a sample rate and a channel count.
class AudioFormat {
public:
    /// Throws au::Error unless the rate is a positive finite number and there is at least one
    /// channel.
    static AudioFormat standard(double sampleRate, std::uint32_t channelCount);

    double sampleRate() const { return sampleRate_; }
    std::uint32_t channelCount() const { return channelCount_; }
    static constexpr std::uint32_t bytesPerFrame = sizeof(float); // per channel buffer

    bool operator==(const AudioFormat&) const = default;

private:
    AudioFormat(double sampleRate, std::uint32_t channelCount) : sampleRate_(sampleRate), channelCount_(channelCount) {}

    double sampleRate_;
    std::uint32_t channelCount_;
};

} // namespace au

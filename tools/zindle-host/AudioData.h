#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace zindlehost {

/// A whole signal in memory: one block of samples per channel, all of the same length.
struct AudioData {
    double sampleRate = 0.0;
    std::vector<std::vector<float>> channels;

    std::size_t channelCount() const { return channels.size(); }
    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    double seconds() const { return sampleRate > 0.0 ? static_cast<double>(frames()) / sampleRate : 0.0; }
};

/// A sample rate as the tool's messages give it, in whole hertz: "44100 Hz".
inline std::string hertzText(double rate)
{
    return std::to_string(std::lround(rate)) + " Hz";
}

} // namespace zindlehost

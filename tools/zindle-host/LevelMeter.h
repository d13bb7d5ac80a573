#pragma once

#include "tools/zindle-host/AudioData.h"

#include <cstddef>

namespace zindlehost {

/// Peak and RMS level of everything added to it, over all channels, in dB relative to full
/// scale (1.0). Silence reads minus infinity.
class LevelMeter {
public:
    void add(const float* const* channels, std::size_t channelCount, std::size_t frames);
    void add(const AudioData& audio);

    double peakDb() const;
    double rmsDb() const;

private:
    double peak_ = 0.0;
    double sumOfSquares_ = 0.0;
    std::size_t samples_ = 0;
};

} // namespace zindlehost

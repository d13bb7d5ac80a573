#include "tools/zindle-host/LevelMeter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zindlehost {

namespace {

double toDb(double amplitude)
{
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -std::numeric_limits<double>::infinity();
}

} // namespace

void LevelMeter::add(const float* const* channels, std::size_t channelCount, std::size_t frames)
{
    for (std::size_t c = 0; c < channelCount; ++c) {
        for (std::size_t i = 0; i < frames; ++i) {
            const double x = channels[c][i];
            peak_ = std::max(peak_, std::fabs(x));
            sumOfSquares_ += x * x;
        }
    }
    samples_ += channelCount * frames;
}

void LevelMeter::add(const AudioData& audio)
{
    std::vector<const float*> pointers;
    for (const auto& channel : audio.channels)
        pointers.push_back(channel.data());
    add(pointers.data(), pointers.size(), audio.frames());
}

double LevelMeter::peakDb() const { return toDb(peak_); }

double LevelMeter::rmsDb() const
{
    return samples_ == 0 ? toDb(0.0) : toDb(std::sqrt(sumOfSquares_ / static_cast<double>(samples_)));
}

} // namespace zindlehost

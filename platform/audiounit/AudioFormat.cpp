#include "platform/audiounit/AudioFormat.h"

#include "platform/audiounit/Error.h"

#include <cmath>
#include <string>

namespace au {

AudioFormat AudioFormat::standard(double sampleRate, std::uint32_t channelCount)
{
    if (!std::isfinite(sampleRate) || sampleRate <= 0.0)
        throw Error("invalid sample rate " + std::to_string(sampleRate));
    if (channelCount == 0)
        throw Error("a format needs at least one channel");
    return AudioFormat(sampleRate, channelCount);
}

} // namespace au

#include "platform/audiounit/validation/RenderHarness.h"

#include "platform/audiounit/validation/ReportWriter.h"

#include <algorithm>
#include <bit>

namespace au::validation {

namespace {

// Deterministic white noise in [-0.5, 0.5), a function of the sample's index on the timeline,
// so a later check can say what any input sample was.
float noiseAt(std::uint64_t seed, std::int64_t index)
{
    std::uint64_t x = seed * 0x9e37'79b9'7f4a'7c15ull + static_cast<std::uint64_t>(index);
    x = (x ^ (x >> 30)) * 0xbf58'476d'1ce4'e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d0'49bb'1331'11ebull;
    x ^= x >> 31;
    return static_cast<float>(x >> 40) / 16777216.0f - 0.5f;
}

} // namespace

RenderHarness::RenderHarness(AudioUnit& unit, FrameCount capacity) : unit_(unit), capacity_(capacity)
{
    for (std::size_t bus = 0; bus < unit.inputBusses().count(); ++bus) {
        const std::uint32_t channels = unit.inputBusses()[bus].format().channelCount();
        inputs_.emplace_back(channels, std::vector<float>(capacity));
    }
    const std::uint32_t channels = unit.outputBusses()[0].format().channelCount();
    outputs_.assign(channels, std::vector<float>(capacity));
    outputBuffers_.resize(channels);
}

float RenderHarness::noiseInput(std::size_t bus, std::int64_t index) { return noiseAt(bus + 1, index); }

Status RenderHarness::render(FrameCount frames, Input input)
{
    input_ = input;
    for (std::size_t channel = 0; channel < outputs_.size(); ++channel) {
        std::fill(outputs_[channel].begin(), outputs_[channel].end(), 0.0f);
        outputBuffers_[channel] = {1, std::min(frames, capacity_) * std::uint32_t(sizeof(float)),
                                   outputs_[channel].data()};
    }
    outputList_ = {std::uint32_t(outputBuffers_.size()), outputBuffers_.data()};
    RenderActionFlags flags = 0;
    const AudioTimeStamp timestamp{static_cast<double>(sampleTime), 0};
    auto pull = [this](RenderActionFlags&, const AudioTimeStamp& time, FrameCount count, std::int64_t bus,
                       AudioBufferList* list) { return this->pull(time, count, bus, list); };
    const Status status = unit_.renderBlock()(flags, timestamp, frames, 0, &outputList_, nullptr, pull);
    if (status == status::ok)
        sampleTime += frames;
    return status;
}

const float* RenderHarness::output(std::size_t channel) const
{
    return channel < outputList_.numberBuffers && outputList_.buffers[channel].data ? outputList_.buffers[channel].data
                                                                                    : outputs_[channel].data();
}

Status RenderHarness::pull(const AudioTimeStamp& time, FrameCount count, std::int64_t bus, AudioBufferList* list)
{
    if (bus < 0 || std::size_t(bus) >= inputs_.size() || !list)
        return status::noConnection;
    if (count > capacity_)
        return status::tooManyFramesToProcess;
    auto& channels = inputs_[std::size_t(bus)];
    const auto start = static_cast<std::int64_t>(time.sampleTime);
    std::size_t index = 0;
    for (AudioBuffer& buffer : list->span()) {
        if (!buffer.data)
            buffer.data = channels[index % channels.size()].data();
        for (FrameCount i = 0; i < count; ++i)
            buffer.data[i] = input_ == Input::noise ? noiseInput(std::size_t(bus), start + i) : 0.0f;
        buffer.dataByteSize = count * std::uint32_t(sizeof(float));
        ++index;
    }
    return status::ok;
}

std::optional<std::string> faultOf(float sample)
{
    const auto bits = std::bit_cast<std::uint32_t>(sample);
    const std::uint32_t exponent = bits & 0x7f80'0000u;
    const std::uint32_t mantissa = bits & 0x007f'ffffu;
    if (exponent == 0x7f80'0000u)
        return mantissa ? "NaN" : "infinite";
    if (exponent == 0 && mantissa != 0)
        return "denormal (" + number(sample) + ")";
    return std::nullopt;
}

} // namespace au::validation

#pragma once

#include "extension/ParameterAddress.h"
#include "extension/ZindleAudioUnit.h"

#include "platform/audiounit/AudioUnit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace zindle::test {

/// The parameter values a fresh plug-in pushes before its first allocation, by address.
inline constexpr std::array<float, ParameterAddress::count> defaultParameterValues{
    48.0f, -20.0f, 0.3f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 2.0f, 0.0f};

inline void pushDefaults(ZindleAudioUnit& unit)
{
    for (std::size_t address = 0; address < defaultParameterValues.size(); ++address)
        unit.setParameter(address, defaultParameterValues[address]);
}

/// A host for one effect, as a music program drives it: it feeds each input bus from signals
/// of its own (looped, read at the render call's sample time), can fail a bus's pull or hand
/// back buffers of its own, and pulls the output through the unit's render block. Once its
/// inputs are set and it has rendered at the largest frame count, rendering allocates nothing.
class TestHost {
public:
    static constexpr float untouched = 7.0f; // what output samples hold before the call
    static constexpr std::size_t busCount = 2;

    explicit TestHost(au::AudioUnit& unit) : unit_(unit) {}

    /// Bus bus plays these channels; a channel the bus has beyond them is silent.
    void setInput(std::size_t bus, std::vector<std::vector<float>> channels) { inputs_.at(bus) = std::move(channels); }
    /// The pull of bus answers with status (0 again to heal it).
    void failPull(std::size_t bus, au::Status status) { failures_.at(bus) = status; }
    /// The pull of bus fills buffers of the host's own and hands their pointers back.
    void handBackOwnBuffers(std::size_t bus, std::uint32_t channels, std::uint32_t maxFrames)
    {
        upstream_.at(bus).assign(channels, std::vector<float>(maxFrames, 0.0f));
    }
    const std::vector<std::vector<float>>& upstreamBuffers(std::size_t bus) const { return upstream_.at(bus); }

    /// Runs inside each successful pull, after the audio is in place.
    std::function<void(std::int64_t bus, au::AudioBufferList& list)> afterPull;
    /// Without it the render call gets no pull block.
    bool connected = true;
    std::int64_t sampleTime = 0;

    /// Renders into the host's own output buffers, one per channel of output bus 0, filled
    /// with `untouched` first. The sample time advances on success.
    au::Status render(au::FrameCount frames, const au::RenderEvent* events = nullptr)
    {
        const std::uint32_t channels = unit_.outputBusses()[0].format().channelCount();
        return render(frames, events, channels);
    }

    /// The same into a list of bufferCount buffers, whatever the bus says.
    au::Status render(au::FrameCount frames, const au::RenderEvent* events, std::uint32_t bufferCount)
    {
        prepareOutput(bufferCount, frames);
        return renderInto(frames, &outputList_, events);
    }

    /// Renders into a list of the caller's (which may be null or malformed).
    au::Status renderInto(au::FrameCount frames, au::AudioBufferList* output, const au::RenderEvent* events)
    {
        au::RenderActionFlags flags = 0;
        const au::AudioTimeStamp timestamp{static_cast<double>(sampleTime), 0};
        auto pull = [this](au::RenderActionFlags&, const au::AudioTimeStamp& time, au::FrameCount count,
                           std::int64_t bus, au::AudioBufferList* list) { return this->pull(time, count, bus, list); };
        const au::Status status = unit_.renderBlock()(flags, timestamp, frames, 0, output, events,
                                                      connected ? au::PullInputBlock(pull) : au::PullInputBlock());
        if (status == au::status::ok)
            sampleTime += frames;
        return status;
    }

    /// Output channel c of the last render into the host's own buffers.
    std::vector<float> output(std::size_t channel) const
    {
        const auto& samples = output_.at(channel);
        return {samples.begin(), samples.begin() + outputFrames_};
    }
    const float* outputData(std::size_t channel) const { return output_.at(channel).data(); }

    int pulls(std::size_t bus) const { return pulls_.at(bus); }

private:
    void prepareOutput(std::uint32_t channels, au::FrameCount frames)
    {
        if (output_.size() < channels)
            output_.resize(channels);
        for (auto& channel : output_) {
            if (channel.size() < std::max<std::size_t>(frames, 1))
                channel.resize(std::max<std::size_t>(frames, 1));
            std::fill(channel.begin(), channel.end(), untouched);
        }
        outputBuffers_.resize(std::max<std::size_t>(outputBuffers_.size(), channels));
        for (std::uint32_t c = 0; c < channels; ++c)
            outputBuffers_[c] = au::AudioBuffer{1, frames * 4u, output_[c].data()};
        outputList_ = au::AudioBufferList{channels, outputBuffers_.data()};
        outputFrames_ = frames;
    }

    au::Status pull(const au::AudioTimeStamp& time, au::FrameCount count, std::int64_t bus, au::AudioBufferList* list)
    {
        const auto index = static_cast<std::size_t>(bus);
        ++pulls_.at(index);
        if (failures_[index] != au::status::ok)
            return failures_[index];
        const auto& source = inputs_[index];
        auto& own = upstream_[index];
        const auto start = static_cast<std::size_t>(time.sampleTime);
        for (std::uint32_t c = 0; c < list->numberBuffers; ++c) {
            if (c < own.size())
                list->buffers[c].data = own[c].data();
            float* destination = list->buffers[c].data;
            for (std::uint32_t i = 0; i < count; ++i)
                destination[i] = c < source.size() && !source[c].empty() ? source[c][(start + i) % source[c].size()] : 0.0f;
        }
        if (afterPull)
            afterPull(bus, *list);
        return au::status::ok;
    }

    au::AudioUnit& unit_;
    std::array<std::vector<std::vector<float>>, busCount> inputs_;
    std::array<std::vector<std::vector<float>>, busCount> upstream_;
    std::array<au::Status, busCount> failures_{};
    std::array<int, busCount> pulls_{};
    std::vector<std::vector<float>> output_;
    std::vector<au::AudioBuffer> outputBuffers_;
    au::AudioBufferList outputList_{};
    au::FrameCount outputFrames_ = 0;
};

/// True when every sample is a finite number.
inline bool allFinite(const std::vector<float>& samples)
{
    return std::all_of(samples.begin(), samples.end(), [](float x) { return std::isfinite(x); });
}

inline float peak(const std::vector<float>& samples, std::size_t begin = 0, std::size_t end = SIZE_MAX)
{
    float p = 0.0f;
    for (std::size_t i = begin; i < std::min(end, samples.size()); ++i)
        p = std::max(p, std::fabs(samples[i]));
    return p;
}

} // namespace zindle::test

#include "tools/zindle-host/InputFeeder.h"

#include "tools/zindle-host/HostError.h"

#include "platform/audiounit/AudioFormat.h"

#include <algorithm>
#include <exception>
#include <string>

namespace zindlehost {

InputFeeder::InputFeeder(const AudioData& voice, const AudioData& carrier, au::FrameCount maxFrames, Ending ending)
    : voice_(voice), carrier_(carrier), maxFrames_(maxFrames), ending_(ending),
      scratch_(std::max<std::size_t>({voice.channelCount(), carrier.channelCount(), 1}),
               std::vector<float>(maxFrames, 0.0f))
{
}

au::Status InputFeeder::operator()(au::RenderActionFlags&, const au::AudioTimeStamp& time, au::FrameCount count,
                                   std::int64_t bus, au::AudioBufferList* list)
{
    if (!list || count > maxFrames_)
        return au::status::invalidProperty;
    const AudioData* source = bus == 0 ? &voice_ : bus == 1 ? &carrier_ : nullptr;
    const auto start = static_cast<std::int64_t>(time.sampleTime);
    for (std::uint32_t c = 0; c < list->numberBuffers; ++c) {
        au::AudioBuffer& buffer = list->buffers[c];
        if (!buffer.data)
            buffer.data = scratch_[std::min<std::size_t>(c, scratch_.size() - 1)].data();
        buffer.dataByteSize = count * au::AudioFormat::bytesPerFrame;
        if (source)
            read(*source, c, start, count, buffer.data);
        else
            std::fill_n(buffer.data, count, 0.0f);
    }
    return au::status::ok;
}

void InputFeeder::read(const AudioData& source, std::size_t channel, std::int64_t start, std::size_t frames,
                       float* destination) const
{
    const std::size_t length = source.frames();
    if (channel >= source.channelCount() || length == 0 || start < 0) {
        std::fill_n(destination, frames, 0.0f);
        return;
    }
    const float* samples = source.channels[channel].data();
    auto position = static_cast<std::size_t>(start);
    if (ending_ == Ending::silence) {
        std::size_t copied = 0;
        if (position < length) {
            copied = std::min(frames, length - position);
            std::copy_n(samples + position, copied, destination);
        }
        std::fill(destination + copied, destination + frames, 0.0f);
        return;
    }
    // A loop shorter than the pull wraps more than once.
    for (position %= length; frames > 0; position = 0) {
        const std::size_t run = std::min(frames, length - position);
        destination = std::copy_n(samples + position, run, destination);
        frames -= run;
    }
}

void prepareToRender(au::AudioUnit& unit, const AudioData& voice, const AudioData& carrier, au::FrameCount maxFrames)
{
    if (unit.inputBusses().count() < 2 || unit.outputBusses().count() < 1)
        throw HostError(ExitCode::effect, "the effect has no side-chain input for the carrier");
    const double rate = voice.sampleRate;
    try {
        unit.inputBusses()[0].setFormat(
            au::AudioFormat::standard(rate, static_cast<std::uint32_t>(voice.channelCount())));
        unit.inputBusses()[1].setFormat(
            au::AudioFormat::standard(rate, static_cast<std::uint32_t>(carrier.channelCount())));
        unit.outputBusses()[0].setFormat(au::AudioFormat::standard(rate, unit.outputBusses()[0].format().channelCount()));
        unit.setMaximumFramesToRender(maxFrames);
        unit.allocateRenderResources();
    } catch (const std::exception& error) {
        throw HostError(ExitCode::effect, "the effect cannot render at " + std::to_string(static_cast<long>(rate))
                                              + " Hz: " + error.what());
    }
}

std::size_t outputChannelCount(au::AudioUnit& unit) { return unit.outputBusses()[0].format().channelCount(); }

} // namespace zindlehost

#include "tools/zindle-host/OfflineRenderer.h"

#include "tools/zindle-host/HostError.h"

#include "platform/audiounit/AudioFormat.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace zindlehost {

namespace {

std::string secondsText(std::int64_t frame, double rate)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(frame) / rate);
    return text;
}

// Copies frames of source from start into destination, silence past its end or beyond its
// channels.
void copyInput(const AudioData& source, std::size_t channel, std::size_t start, std::size_t frames, float* destination)
{
    std::size_t copied = 0;
    if (channel < source.channelCount() && start < source.frames()) {
        copied = std::min(frames, source.frames() - start);
        std::copy_n(source.channels[channel].begin() + static_cast<std::ptrdiff_t>(start), copied, destination);
    }
    std::fill(destination + copied, destination + frames, 0.0f);
}

} // namespace

OfflineRenderer::OfflineRenderer(au::AudioUnit& unit, au::FrameCount blockSize) : unit_(unit), blockSize_(blockSize) {}

std::size_t OfflineRenderer::outputChannelCount() const { return unit_.outputBusses()[0].format().channelCount(); }

void OfflineRenderer::configure(const AudioData& voice, const AudioData& carrier)
{
    if (unit_.inputBusses().count() < 2 || unit_.outputBusses().count() < 1)
        throw HostError(ExitCode::effect, "the effect has no side-chain input for the carrier");
    const double rate = voice.sampleRate;
    try {
        unit_.inputBusses()[0].setFormat(
            au::AudioFormat::standard(rate, static_cast<std::uint32_t>(voice.channelCount())));
        unit_.inputBusses()[1].setFormat(
            au::AudioFormat::standard(rate, static_cast<std::uint32_t>(carrier.channelCount())));
        unit_.outputBusses()[0].setFormat(
            au::AudioFormat::standard(rate, unit_.outputBusses()[0].format().channelCount()));
        unit_.setMaximumFramesToRender(blockSize_);
        unit_.allocateRenderResources();
    } catch (const std::exception& error) {
        throw HostError(ExitCode::effect, "the effect cannot render at " + std::to_string(static_cast<long>(rate))
                                              + " Hz: " + error.what());
    }
}

void OfflineRenderer::render(const AudioData& voice, const AudioData& carrier, std::vector<ScheduledChange> changes,
                             const TreeSetter& setThroughTree, const Sink& sink, const Progress& progress)
{
    configure(voice, carrier);
    struct Deallocate {
        au::AudioUnit& unit;
        ~Deallocate() { unit.deallocateRenderResources(); }
    } deallocate{unit_};

    std::stable_sort(changes.begin(), changes.end(),
                     [](const ScheduledChange& a, const ScheduledChange& b) { return a.frame < b.frame; });

    const std::size_t channels = outputChannelCount();
    std::vector<std::vector<float>> output(channels, std::vector<float>(blockSize_, 0.0f));
    std::vector<au::AudioBuffer> buffers(channels);
    std::vector<const float*> rendered(channels);
    for (std::size_t c = 0; c < channels; ++c)
        rendered[c] = output[c].data();
    // Where the effect hands a pull no buffer of its own, the host fills one of these.
    std::vector<std::vector<float>> scratch(std::max<std::size_t>(voice.channelCount(), carrier.channelCount()),
                                            std::vector<float>(blockSize_, 0.0f));

    auto pull = [&](au::RenderActionFlags&, const au::AudioTimeStamp& time, au::FrameCount count, std::int64_t bus,
                    au::AudioBufferList* list) -> au::Status {
        if (!list || count > blockSize_)
            return au::status::invalidProperty;
        const AudioData& source = bus == 0 ? voice : carrier;
        const bool known = bus == 0 || bus == 1;
        for (std::uint32_t c = 0; c < list->numberBuffers; ++c) {
            au::AudioBuffer& buffer = list->buffers[c];
            if (!buffer.data)
                buffer.data = scratch.at(std::min<std::size_t>(c, scratch.size() - 1)).data();
            buffer.dataByteSize = count * au::AudioFormat::bytesPerFrame;
            if (known)
                copyInput(source, c, static_cast<std::size_t>(time.sampleTime), count, buffer.data);
            else
                std::fill_n(buffer.data, count, 0.0f);
        }
        return au::status::ok;
    };

    const auto total = static_cast<std::int64_t>(voice.frames());
    std::size_t next = 0; // first change not yet applied
    std::int64_t now = 0;
    while (now < total) {
        // Tree sets due by now go in before the call; the effect applies them at its start.
        // Render events due by now are late: they go first in this call's list.
        events_.clear();
        while (next < changes.size() && changes[next].frame <= now) {
            const ScheduledChange& change = changes[next++];
            if (change.throughTree)
                setThroughTree(change.address, change.value);
            else
                events_.addParameter(now, change.address, change.value);
        }
        std::int64_t end = std::min(now + static_cast<std::int64_t>(blockSize_), total);
        for (std::size_t i = next; i < changes.size() && changes[i].frame < end; ++i) {
            if (changes[i].throughTree) {
                end = changes[i].frame; // cut here; the set comes before the next call
                break;
            }
        }
        while (next < changes.size() && changes[next].frame < end && !changes[next].throughTree) {
            events_.addParameter(changes[next].frame, changes[next].address, changes[next].value);
            ++next;
        }

        const auto frames = static_cast<au::FrameCount>(end - now);
        for (std::size_t c = 0; c < channels; ++c)
            buffers[c] = au::AudioBuffer{1, frames * au::AudioFormat::bytesPerFrame, output[c].data()};
        au::AudioBufferList list{static_cast<std::uint32_t>(channels), buffers.data()};
        au::RenderActionFlags flags = 0;
        const au::AudioTimeStamp timestamp{static_cast<double>(now), 0};
        const au::Status status = unit_.renderBlock()(flags, timestamp, frames, 0, &list, events_.head(), pull);
        if (status != au::status::ok)
            throw HostError(ExitCode::effect, "the effect failed to render at " + secondsText(now, voice.sampleRate)
                                                  + " (status " + std::to_string(status) + ")");
        sink(rendered.data(), frames);
        now = end;
        if (progress)
            progress(static_cast<std::size_t>(now));
    }
}

} // namespace zindlehost

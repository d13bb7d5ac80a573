#include "tools/zindle-host/OfflineRenderer.h"

#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/InputFeeder.h"

#include "platform/audiounit/AudioFormat.h"

#include <algorithm>
#include <cstdio>

namespace zindlehost {

namespace {

std::string secondsText(std::int64_t frame, double rate)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(frame) / rate);
    return text;
}

} // namespace

OfflineRenderer::OfflineRenderer(au::AudioUnit& unit, au::FrameCount blockSize) : unit_(unit), blockSize_(blockSize) {}

std::size_t OfflineRenderer::outputChannelCount() const { return zindlehost::outputChannelCount(unit_); }

void OfflineRenderer::render(const AudioData& voice, const AudioData& carrier, std::vector<ScheduledChange> changes,
                             const TreeSetter& setThroughTree, const Sink& sink, const Progress& progress)
{
    prepareToRender(unit_, voice, carrier, blockSize_);
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
    InputFeeder feeder(voice, carrier, blockSize_, InputFeeder::Ending::silence);

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
        const au::Status status = unit_.renderBlock()(flags, timestamp, frames, 0, &list, events_.head(), feeder);
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

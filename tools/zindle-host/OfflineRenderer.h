#pragma once

#include "tools/zindle-host/AudioData.h"

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ParameterUnit.h"
#include "platform/audiounit/RenderEventList.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace zindlehost {

/// A parameter change due at an exact frame of the render (counted from the voice's start).
struct ScheduledChange {
    std::int64_t frame = 0;
    au::ParameterAddress address = 0;
    au::AUValue value = 0.0f;
    /// False: a parameter render event at its frame. True: a set through the parameter tree
    /// between two render calls, the render call cut at the frame. For a parameter whose change
    /// makes the effect's model load others (a preset): only a set through the tree reaches the
    /// model, and the values it loads take effect at the start of the next render call.
    bool throughTree = false;
};

/// Renders a voice against a carrier through an effect offline, the way a host drives an
/// effect in real time: the voice on input bus 0 and the carrier on input bus 1, pulled by the
/// effect's render block in calls of at most blockSize frames, with parameter changes at their
/// exact frames. Offline, the calling thread is the render thread; it is also the thread that
/// sets parameters between render calls (the main thread, where the effect's model lives).
class OfflineRenderer {
public:
    using TreeSetter = std::function<void(au::ParameterAddress address, au::AUValue value)>;
    /// Each rendered stretch: channels[c] holds frames samples of output channel c.
    using Sink = std::function<void(const float* const* channels, std::size_t frames)>;
    using Progress = std::function<void(std::size_t framesDone)>;

    OfflineRenderer(au::AudioUnit& unit, au::FrameCount blockSize);

    /// The channel count of the output, as the effect's output bus has it.
    std::size_t outputChannelCount() const;

    /// Sets the buses to the voice's rate with the voice's and the carrier's channel counts
    /// (carrier and voice must have that rate and the voice's length), allocates, renders the
    /// voice's length, deallocates. changes are applied in frame order (at one frame, sets through
    /// the tree come before render events, each kind in the order given); changes at or past
    /// the end are never due. Throws HostError (effect) when
    /// the effect refuses the formats or a render call fails.
    void render(const AudioData& voice, const AudioData& carrier, std::vector<ScheduledChange> changes,
                const TreeSetter& setThroughTree, const Sink& sink, const Progress& progress = {});

private:
    au::AudioUnit& unit_;
    au::FrameCount blockSize_;
    au::RenderEventList events_;
};

} // namespace zindlehost

#pragma once

#include "tools/zindle-host/AudioData.h"

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/RenderBlock.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zindlehost {

/// Answers an effect's pulls of its inputs from signals in memory: the voice for input bus 0,
/// the carrier (the side chain) for input bus 1, each read at the render call's sample time.
/// Channels a bus has beyond its signal's, and any other bus, get silence. Where the effect
/// hands a pull no buffer of its own, the feeder fills one of its own.
///
/// The signals are read where they are: they must outlive the feeder and stay unchanged.
class InputFeeder {
public:
    /// What a read past a signal's end gives.
    enum class Ending {
        silence, // an offline render of a voice: nothing after it
        loop,    // live playback: the signal again from its start, seamlessly, for ever
    };

    /// Makes every buffer it may need for pulls of up to maxFrames frames. Any thread.
    InputFeeder(const AudioData& voice, const AudioData& carrier, au::FrameCount maxFrames, Ending ending);

    /// The pull-input block: fills count frames of bus into list. A missing list or a pull of
    /// more than maxFrames frames is refused with status::invalidProperty. Render thread:
    /// allocates nothing, takes no lock.
    au::Status operator()(au::RenderActionFlags& flags, const au::AudioTimeStamp& time, au::FrameCount count,
                          std::int64_t bus, au::AudioBufferList* list);

private:
    void read(const AudioData& source, std::size_t channel, std::int64_t start, std::size_t frames,
              float* destination) const;

    const AudioData& voice_;
    const AudioData& carrier_;
    au::FrameCount maxFrames_;
    Ending ending_;
    std::vector<std::vector<float>> scratch_;
};

/// Sets up unit to render voice against carrier: both input buses at the voice's rate with the
/// channel counts of voice and carrier (the carrier must have the voice's rate), the output bus
/// at that rate with its own channel count, at most maxFrames frames a call; then allocates its
/// render resources. Throws HostError (effect) when the effect has no side chain or refuses the
/// formats; the unit is then left deallocated. Main thread, while nothing renders.
void prepareToRender(au::AudioUnit& unit, const AudioData& voice, const AudioData& carrier, au::FrameCount maxFrames);

/// The channel count of unit's output bus 0.
std::size_t outputChannelCount(au::AudioUnit& unit);

} // namespace zindlehost

#pragma once

#include "platform/audiounit/RenderBlock.h"

#include <chrono>
#include <cstdint>

namespace zindlehost {

/// When each block of an output that keeps its own time is due: block n at the start plus n
/// block periods, computed from whole frames on an absolute timeline, so sleeping to each
/// deadline neither drifts nor gathers rounding. A lag of a few blocks (a thread scheduled
/// late) is made up; beyond that (a suspended process, a stalled machine) the timeline restarts
/// at the moment the lag is seen, instead of rendering the missed blocks in a burst.
class BlockPacer {
public:
    using Clock = std::chrono::steady_clock;

    /// The most blocks behind that are still made up.
    static constexpr std::uint64_t maxLagBlocks = 4;

    /// Block 0 is due at start. sampleRate is taken in whole hertz.
    BlockPacer(au::FrameCount blockFrames, double sampleRate, Clock::time_point start);

    /// A block was rendered, and now is the time: the deadline of the next block.
    Clock::time_point next(Clock::time_point now);

    /// The timeline restarts so far (blocks skipped).
    std::uint64_t restarts() const { return restarts_; }

private:
    Clock::duration duration(std::uint64_t frames) const;

    std::uint64_t blockFrames_;
    std::uint64_t rate_;
    Clock::time_point origin_;
    std::uint64_t block_ = 0;
    std::uint64_t restarts_ = 0;
};

} // namespace zindlehost

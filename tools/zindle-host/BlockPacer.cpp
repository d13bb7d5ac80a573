#include "tools/zindle-host/BlockPacer.h"

#include <algorithm>
#include <cmath>

namespace zindlehost {

BlockPacer::BlockPacer(au::FrameCount blockFrames, double sampleRate, Clock::time_point start)
    : blockFrames_(std::max<au::FrameCount>(blockFrames, 1)),
      rate_(static_cast<std::uint64_t>(std::max(1L, std::lround(sampleRate)))), origin_(start)
{
}

BlockPacer::Clock::duration BlockPacer::duration(std::uint64_t frames) const
{
    // Whole seconds and the frames left over apart: no overflow in centuries, no rounding that
    // adds up.
    const std::uint64_t nanoseconds = frames / rate_ * 1'000'000'000u + frames % rate_ * 1'000'000'000u / rate_;
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(nanoseconds));
}

BlockPacer::Clock::time_point BlockPacer::next(Clock::time_point now)
{
    ++block_;
    const Clock::time_point deadline = origin_ + duration(block_ * blockFrames_);
    if (now <= deadline + duration(maxLagBlocks * blockFrames_))
        return deadline;
    // Far behind: the next block is due now, and the timeline counts from here.
    origin_ = now;
    block_ = 0;
    ++restarts_;
    return now;
}

} // namespace zindlehost

#include "tools/zindle-host/LoopPlayer.h"
#include "tools/zindle-host/SilentOutput.h"

#include "dsp/tests/TestSignals.h"
#include "extension/ParameterAddress.h"
#include "extension/ZindleAudioUnit.h"
#include "extension/tests/TestHost.h"

#include "testing/AllocationCounter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace zindlehost {
namespace {

// Waits, without allocating, until the player has rendered blocks blocks; false after a
// generous deadline.
bool waitForBlocks(const LoopPlayer& player, std::uint64_t blocks)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (player.blocksRendered() < blocks) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(PlaybackAllocation, TheRenderThreadAllocatesNothingOncePlaying)
{
    constexpr double rate = 44100;
    zindle::ZindleAudioUnit unit;
    zindle::test::pushDefaults(unit);
    unit.setParameter(zindle::ParameterAddress::compress, 1.0f);
    // Short loops, so the measured stretch wraps both many times.
    const AudioData voice{rate, {dsp::test::resonantPulseVoice(9000, 140.0, rate, {700.0, 1800.0})}};
    const AudioData carrier{rate, {dsp::test::sawtooth(5000, 110.0, rate)}};
    LoopPlayer player(unit, voice, carrier, std::make_unique<SilentOutput>(rate, 128));
    player.start();
    // The effect grows its mono buffers in its first calls.
    ASSERT_TRUE(waitForBlocks(player, 20));

    long allocated = 0;
    bool rendered = false;
    {
        const testing_support::AllocationCounter allocations;
        rendered = waitForBlocks(player, player.blocksRendered() + 400);
        allocated = allocations.count();
    }
    player.stop();

    ASSERT_TRUE(rendered);
    EXPECT_EQ(allocated, 0);
    EXPECT_EQ(player.failedRenderCalls(), 0u);
}

} // namespace
} // namespace zindlehost

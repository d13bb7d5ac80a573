#include "TestHost.h"

#include "dsp/tests/TestSignals.h"
#include "platform/audiounit/RenderEventList.h"

#include "testing/AllocationCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace zindle {
namespace {

using A = ParameterAddress;

TEST(RenderAllocation, SteadyStateRenderingAllocatesNothing)
{
    constexpr au::FrameCount frames = 512;
    constexpr int warmUp = 64;
    constexpr int measured = 1000;

    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.setParameter(A::compress, 1.0f);
    unit.setMaximumFramesToRender(frames);
    unit.allocateRenderResources();
    test::TestHost host(unit);
    host.setInput(0, {dsp::test::resonantPulseVoice(44100, 140.0, 44100.0, {700.0, 1800.0})});
    host.setInput(1, {dsp::test::sawtooth(44100, 110.0, 44100.0)});

    // Every render call brings events that split it, move gains and the formant shift, switch
    // crush and freeze, and shorten the last call of a cycle; the host's lists are built first.
    std::vector<au::RenderEventList> lists(warmUp + measured);
    std::vector<au::FrameCount> lengths(lists.size());
    std::int64_t time = 0;
    for (std::size_t n = 0; n < lists.size(); ++n) {
        lengths[n] = n % 8 == 7 ? 37 : frames;
        lists[n].addParameter(time + 64, A::outputGain, -float(n % 12));
        lists[n].addParameter(time + 200, A::formantShift, float(int(n % 5) * 300 - 600));
        lists[n].addParameter(time + 300, A::voiceInputGain, -float(n % 3));
        if (n % 16 == 0)
            lists[n].addParameter(time + 100, A::crush, float((n / 16) % 2));
        if (n % 24 == 0)
            lists[n].addParameter(time + 5, A::freeze, float((n / 24) % 2));
        time += lengths[n];
    }

    auto renderCall = [&](std::size_t n) {
        // The user interface sets values between the calls; they wait in the pending mask.
        unit.setParameter(A::whiteNoiseLevel, -float(n % 40));
        unit.setParameter(A::voiceMode, float(n % 4));
        return host.render(lengths[n], lists[n].head());
    };
    for (int n = 0; n < warmUp; ++n)
        ASSERT_EQ(renderCall(std::size_t(n)), au::status::ok);

    int failures = 0;
    long allocated = 0;
    {
        const testing_support::AllocationCounter allocations;
        for (int n = warmUp; n < warmUp + measured; ++n)
            failures += renderCall(std::size_t(n)) != au::status::ok;
        allocated = allocations.count();
    }

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(allocated, 0);
    EXPECT_TRUE(test::allFinite(host.output(0)));
}

} // namespace
} // namespace zindle

#include "TestHost.h"

#include "dsp/tests/TestSignals.h"
#include "platform/audiounit/RenderEventList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

namespace zindle {
namespace {

using A = ParameterAddress;

/// The range of each parameter, by address, so the stress stays within what a host sends.
struct Range {
    float min, max;
};
constexpr std::array<Range, ParameterAddress::count> parameterRanges{{
    {1, 48}, {-60, 6}, {0, 1}, {0, 1}, {-60, 6}, {-60, 6}, {-60, 6}, {0, 3},
    {-1200, 1200}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 2}, {0, 1},
}};

double stressSeconds()
{
    // A couple of seconds in the normal suite; ZINDLE_STRESS_SECONDS runs it longer.
    if (const char* text = std::getenv("ZINDLE_STRESS_SECONDS"))
        return std::max(0.1, std::atof(text));
    return 2.0;
}

TEST(RenderStress, ParametersChangeFromOtherThreadsWhileRendering)
{
    constexpr au::FrameCount frames = 512;
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.setMaximumFramesToRender(frames);
    unit.allocateRenderResources();
    test::TestHost host(unit);
    host.setInput(0, {dsp::test::resonantPulseVoice(44100, 140.0, 44100.0, {700.0, 1800.0})});
    host.setInput(1, {dsp::test::sawtooth(44100, 110.0, 44100.0)});

    std::atomic<bool> stop{false};
    std::atomic<long> renders{0}, failedRenders{0}, nonFinite{0}, changes{0}, polls{0};

    std::thread renderThread([&] {
        std::minstd_rand random(7);
        au::RenderEventList events;
        while (!stop.load(std::memory_order_relaxed)) {
            events.clear(); // the host's own list, built between render calls
            const auto at = [&] { return host.sampleTime + std::int64_t(random() % frames); };
            const auto address = random() % ParameterAddress::count;
            const Range range = parameterRanges[address];
            events.addParameter(at(), address, range.min + (range.max - range.min) * float(random() % 1000) / 999.0f);
            events.addParameter(at(), A::crush, float(random() % 2));
            if (host.render(frames, events.head()) != au::status::ok)
                failedRenders.fetch_add(1);
            for (std::size_t channel = 0; channel < 2; ++channel) {
                const float* samples = host.outputData(channel);
                for (au::FrameCount i = 0; i < frames; ++i)
                    if (!std::isfinite(samples[i]))
                        nonFinite.fetch_add(1);
            }
            renders.fetch_add(1);
        }
    });

    // The user interface and the host's parameter thread, as fast as they can.
    std::thread controlThread([&] {
        std::minstd_rand random(11);
        for (long n = 0; !stop.load(std::memory_order_relaxed); ++n) {
            unit.setParameter(A::crush, float(n & 1));
            unit.setParameter(A::formantShift, float(int(random() % 2401) - 1200));
            const auto address = random() % ParameterAddress::count;
            const Range range = parameterRanges[address];
            unit.setParameter(address, range.min + (range.max - range.min) * float(random() % 1000) / 999.0f);
            if (n % 1000 == 0)
                unit.setShouldBypassEffect(!unit.shouldBypassEffect());
            changes.fetch_add(1, std::memory_order_relaxed);
        }
    });

    // The user interface's poll of the kernel, without its 60 Hz pause.
    std::thread pollThread([&] {
        float sink = 0.0f;
        while (!stop.load(std::memory_order_relaxed)) {
            for (std::uint32_t mask = unit.kernel().takeChangedMask(); mask != 0; mask &= mask - 1)
                sink += unit.kernel().parameterValue(std::uint64_t(std::countr_zero(mask)));
            if (unit.kernel().takeMetersReady())
                sink += unit.kernel().meterDb()[0];
            polls.fetch_add(1, std::memory_order_relaxed);
            std::this_thread::yield();
        }
        EXPECT_FALSE(std::isnan(sink));
    });

    std::this_thread::sleep_for(std::chrono::duration<double>(stressSeconds()));
    stop = true;
    renderThread.join();
    controlThread.join();
    pollThread.join();

    EXPECT_EQ(failedRenders.load(), 0);
    EXPECT_EQ(nonFinite.load(), 0);
    EXPECT_GT(renders.load(), 10);
    EXPECT_GT(changes.load(), 1000);
    EXPECT_GT(polls.load(), 10);
}

} // namespace
} // namespace zindle

#include "dsp/LPCVocoderProcessor.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

// Counts every heap allocation of the process while armed, to prove that steady-state
// processing never reaches the allocator.
namespace {
std::atomic<bool> armed{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size)
{
    if (armed.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace dsp {
namespace {

TEST(LPCVocoderAllocation, SteadyStateProcessingAllocatesNothing)
{
    constexpr float rate = 48000.0f;
    constexpr int longest = 2048; // longer than the compressor's initial work array
    const int total = 20 * longest;
    const auto carrier = test::sawtooth(total, 110.0, rate);
    const auto voice = test::resonantPulseVoice(total, 140.0, rate, {700.0, 1800.0});
    std::vector<float> v(total), out(total);
    // Block lengths vary as event-split render segments do.
    const int lengths[] = {longest, 512, 1, 333, 64, 1024, 17, 2000};

    for (bool crush : {false, true}) {
        LPCVocoderProcessor vocoder(rate);
        vocoder.setQuality(48.0f);
        vocoder.setOutputGain(0.0f);
        vocoder.setVoiceInGain(0.0f);
        vocoder.setSynthInGain(0.0f);
        vocoder.setVoiceMode(2);
        vocoder.setFormantShift(300.0f);
        vocoder.setCompressorSettings(0.2f, -14.0f, 0.4f, 50.0f);
        vocoder.setCompressEnabled(true);
        vocoder.setLowPassFilter(true);
        vocoder.setDownsampleTo31Khz(crush);
        vocoder.set16Bit(crush);

        auto runOnce = [&] {
            v = voice;
            int start = 0;
            for (int i = 0; start + longest <= total; ++i) {
                const int n = lengths[i % std::size(lengths)];
                vocoder.process(carrier.data() + start, v.data() + start, out.data() + start, out.data() + start, n);
                start += n;
            }
        };
        runOnce(); // warm-up: buffers reach the longest block
        allocations = 0;
        armed = true;
        runOnce();
        vocoder.setVoiceFreeze(true);
        runOnce();
        vocoder.setVoiceFreeze(false);
        runOnce();
        armed = false;
        EXPECT_EQ(allocations.load(), 0) << "crush " << crush;
    }
}

} // namespace
} // namespace dsp

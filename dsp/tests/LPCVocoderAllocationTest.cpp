#include "dsp/LPCVocoderProcessor.h"

#include "dsp/tests/TestSignals.h"

#include "testing/AllocationCounter.h"

#include <gtest/gtest.h>

#include <vector>

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
        const testing_support::AllocationCounter allocations;
        runOnce();
        vocoder.setVoiceFreeze(true);
        runOnce();
        vocoder.setVoiceFreeze(false);
        runOnce();
        // A gain far outside its range poisons every block, which then restarts the signal state.
        vocoder.setVoiceInGain(1000.0f);
        runOnce();
        vocoder.setVoiceInGain(0.0f);
        runOnce();
        EXPECT_EQ(allocations.count(), 0) << "crush " << crush;
    }
}

} // namespace
} // namespace dsp

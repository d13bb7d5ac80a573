#include "dsp/SpectralShifter.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <ostream>
#include <vector>

namespace dsp {
namespace {

struct DelayCase {
    int block;
    int interval;
    bool split;
};

void PrintTo(const DelayCase& c, std::ostream* os)
{
    *os << "block " << c.block << ", interval " << c.interval << (c.split ? ", split" : ", unsplit");
}

class SpectralShifterIdentity : public ::testing::TestWithParam<DelayCase> {};

// With the map f -> f a steady sine at a bin centre comes out as it went in, one block later,
// plus one interval when the work is split.
TEST_P(SpectralShifterIdentity, PassesABinCentredSineWithTheLatency)
{
    const DelayCase c = GetParam();
    SpectralShifter shifter;
    ASSERT_TRUE(shifter.configure(1, c.block, c.interval, c.split));
    shifter.setCustomFrequencyMap([](float f) { return f; });

    const OverlapAddSTFT& stft = shifter.stft();
    const int latency = static_cast<int>(stft.blockSamples() - stft.analysisOffset() + stft.synthesisOffset())
                        + (c.split ? c.interval : 0);

    const double cyclesPerSample = (20.0 + 0.5) / static_cast<double>(stft.fftSize());
    const int length = 40 * c.block;
    const std::vector<float> input = test::sine(length, cyclesPerSample, 1.0, 0.5);
    std::vector<float> output(input.size());
    for (int start = 0; start < length; start += 256) {
        const int n = std::min(256, length - start);
        const float* in[1] = {input.data() + start};
        float* out[1] = {output.data() + start};
        shifter.process(in, n, out, n);
    }

    float worst = 0.0f;
    for (int i = latency + 4 * c.block; i < length; ++i)
        worst = std::max(worst, std::fabs(output[i] - input[i - latency]));
    EXPECT_LT(worst, 2e-3f);
}

INSTANTIATE_TEST_SUITE_P(Timings, SpectralShifterIdentity,
                         ::testing::Values(DelayCase{960, 384, true}, DelayCase{960, 384, false},
                                           DelayCase{625, 250, true}, DelayCase{882, 352, false}));

TEST(SpectralShifter, RefusedTimingPassesInputThrough)
{
    struct Case {
        int block;
        int interval;
    };
    const std::vector<float> input = test::whiteNoise(300, 0.5);
    for (const Case c : {Case{3, 1}, Case{960, 0}, Case{960, 960}, Case{0, 1}}) {
        SpectralShifter shifter;
        ASSERT_TRUE(shifter.configure(1, 960, 384, true));
        EXPECT_FALSE(shifter.configure(1, c.block, c.interval, true)) << c.block << " / " << c.interval;
        EXPECT_FALSE(shifter.configured());
        EXPECT_EQ(shifter.stft().blockSamples(), 0u);
        shifter.setCustomFrequencyMap([](float f) { return 2.0f * f; });

        std::vector<float> output(input.size(), 7.0f);
        const float* in[1] = {input.data()};
        float* out[1] = {output.data()};
        shifter.process(in, static_cast<int>(input.size()), out, static_cast<int>(output.size()));
        EXPECT_EQ(output, input);
    }
}

} // namespace
} // namespace dsp

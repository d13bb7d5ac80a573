#include "dsp/OverlapAddSTFT.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <ostream>
#include <vector>

namespace dsp {
namespace {

using Shape = OverlapAddSTFT::WindowShape;

struct ReconstructionCase {
    Shape shape;
    std::size_t block;
    std::size_t interval;
};

void PrintTo(const ReconstructionCase& c, std::ostream* os)
{
    *os << (c.shape == Shape::kaiser ? "Kaiser" : "confined Gaussian") << ", block " << c.block << ", interval "
        << c.interval;
}

class OverlapAddSTFTReconstruction : public ::testing::TestWithParam<ReconstructionCase> {};

// Hop by hop: write an interval, analyse, synthesise the untouched spectrum, read an interval.
// Frame sample 0 is read right after its synthesis, so the delay is block - interval.
TEST_P(OverlapAddSTFTReconstruction, UnchangedSpectrumReturnsTheDelayedInput)
{
    const ReconstructionCase c = GetParam();
    OverlapAddSTFT stft;
    ASSERT_TRUE(stft.configure(1, 1, c.block, 0, c.interval));
    ASSERT_TRUE(stft.setInterval(c.interval, c.shape));
    stft.reset(1.0f);

    const std::size_t hops = 10 * c.block / c.interval;
    const std::vector<float> input = test::whiteNoise(static_cast<int>(hops * c.interval), 0.5);
    std::vector<float> output(input.size());
    for (std::size_t hop = 0; hop < hops; ++hop) {
        const float* channels[1] = {input.data() + hop * c.interval};
        stft.writeInput(channels, 0, c.interval);
        stft.analyse(0);
        stft.synthesise(0);
        for (std::size_t k = 0; k < c.interval; ++k) {
            output[hop * c.interval + k] = stft.outputSample(0);
            stft.moveOutput(1);
        }
    }

    // From one block on, every read position has been refilled since the reset.
    const std::size_t delay = c.block - c.interval;
    float worst = 0.0f;
    for (std::size_t m = c.block; m < output.size(); ++m)
        worst = std::max(worst, std::fabs(output[m] - input[m - delay]));
    EXPECT_LT(worst, 2e-5f);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsAndIntervals, OverlapAddSTFTReconstruction,
    ::testing::Values(ReconstructionCase{Shape::confinedGaussian, 960, 240},
                      ReconstructionCase{Shape::confinedGaussian, 960, 320},
                      ReconstructionCase{Shape::confinedGaussian, 960, 480},
                      ReconstructionCase{Shape::confinedGaussian, 625, 250},
                      ReconstructionCase{Shape::kaiser, 960, 240},
                      ReconstructionCase{Shape::kaiser, 960, 384},
                      ReconstructionCase{Shape::kaiser, 960, 480},
                      ReconstructionCase{Shape::kaiser, 882, 352},
                      ReconstructionCase{Shape::kaiser, 625, 250}));

TEST(OverlapAddSTFT, FFTSizeFollowsTheBlock)
{
    struct Case {
        std::size_t block;
        std::size_t fftSize;
    };
    for (const Case c : {Case{960, 1024}, Case{882, 1024}, Case{625, 640}, Case{441, 512}, Case{1920, 2048}}) {
        OverlapAddSTFT stft;
        ASSERT_TRUE(stft.configure(1, 1, c.block, 0, 0)) << c.block;
        EXPECT_EQ(stft.fftSize(), c.fftSize) << c.block;
        EXPECT_EQ(stft.bands(), c.fftSize / 2) << c.block;
        EXPECT_EQ(stft.interval(), c.block / 4) << c.block; // an interval of 0 means a quarter block
    }
}

TEST(OverlapAddSTFT, RefusesAnIntervalThatCannotHop)
{
    struct Case {
        std::size_t block;
        std::size_t interval;
    };
    for (const Case c : {Case{0, 0}, Case{3, 0}, Case{8, 8}, Case{8, 9}}) {
        OverlapAddSTFT stft;
        ASSERT_TRUE(stft.configure(1, 1, 960, 0, 384));
        EXPECT_FALSE(stft.configure(1, 1, c.block, 0, c.interval)) << c.block << " / " << c.interval;
        EXPECT_FALSE(stft.configured());
        EXPECT_EQ(stft.blockSamples(), 0u);
        EXPECT_EQ(stft.fftSize(), 0u);
    }

    OverlapAddSTFT stft;
    ASSERT_TRUE(stft.configure(1, 1, 4, 0, 0)); // the shortest block with a hop
    EXPECT_EQ(stft.interval(), 1u);
    ASSERT_TRUE(stft.configure(1, 1, 960, 0, 384));
    EXPECT_FALSE(stft.setInterval(0, Shape::kaiser));
    EXPECT_FALSE(stft.setInterval(960, Shape::keep));
    EXPECT_EQ(stft.interval(), 384u);
}

TEST(OverlapAddSTFT, ResetConsumesOneIntervalAndLeavesTheSteadyStateProducts)
{
    for (const Shape shape : {Shape::confinedGaussian, Shape::kaiser}) {
        OverlapAddSTFT stft;
        ASSERT_TRUE(stft.configure(1, 1, 960, 0, 384));
        ASSERT_TRUE(stft.setInterval(384, shape));
        stft.reset(1.0f);

        const OverlapAddSTFT::OutputState& state = stft.outputState();
        EXPECT_EQ(state.position, 384u);
        for (std::size_t j = 0; j < 384; ++j)
            ASSERT_EQ(state.windowProducts[j], 1e-30f) << j;

        // The next frame completes the positions it starts on: with unit energy per residue of
        // the hop, all frames over a position add up to fftSize.
        stft.synthesise(0);
        const float expected = static_cast<float>(stft.fftSize());
        for (std::size_t j = 384; j < 768; ++j)
            ASSERT_NEAR(state.windowProducts[j], expected, 1e-4f * expected) << j;
    }
}

} // namespace
} // namespace dsp

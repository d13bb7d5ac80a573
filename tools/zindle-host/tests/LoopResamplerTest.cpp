#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/LoopResampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zindlehost {
namespace {

// A loop of whole cycles of a sine (so it repeats without a seam) at rate.
AudioData sineLoop(double rate, std::size_t frames, double cycles, std::size_t channels = 1)
{
    AudioData audio{rate, {}};
    for (std::size_t c = 0; c < channels; ++c) {
        std::vector<float> x(frames);
        for (std::size_t i = 0; i < frames; ++i)
            x[i] = static_cast<float>(
                0.5 * std::sin(2.0 * std::numbers::pi * cycles * static_cast<double>(i) / frames + c));
        audio.channels.push_back(std::move(x));
    }
    return audio;
}

TEST(LoopResampler, LoopingRepeatsFromTheStartOrCuts)
{
    const AudioData loop{22050, {{1, 2, 3}, {4, 5, 6}}};
    const struct {
        std::size_t frames;
        std::vector<std::vector<float>> expected;
    } cases[] = {
        {7, {{1, 2, 3, 1, 2, 3, 1}, {4, 5, 6, 4, 5, 6, 4}}},
        {3, {{1, 2, 3}, {4, 5, 6}}},
        {2, {{1, 2}, {4, 5}}},
        {0, {{}, {}}},
    };
    for (const auto& c : cases) {
        const AudioData looped = loopToLength(loop, c.frames);
        EXPECT_EQ(looped.sampleRate, 22050);
        EXPECT_EQ(looped.channels, c.expected) << c.frames;
    }
}

TEST(LoopResampler, AtTheSameRateTheCarrierIsOnlyLooped)
{
    const AudioData loop = sineLoop(44100, 1000, 7);
    const AudioData fitted = fitCarrier(loop, 44100, 2500);
    EXPECT_EQ(fitted.channels, loopToLength(loop, 2500).channels);
}

// The resampled loop, looped again, is the same sine at the new rate everywhere, the seams
// included: a resampler that saw silence beyond the loop's ends would ring at every seam.
TEST(LoopResampler, ResampledLoopsStaySeamless)
{
    const struct {
        double from;
        double to;
        std::size_t frames;
        double cycles;
        std::size_t channels;
    } cases[] = {
        {22050, 44100, 2205, 50, 1},  // 500 Hz, upsampled by 2
        {44100, 48000, 4410, 30, 2},  // 300 Hz, an odd ratio, stereo
        {48000, 22050, 9600, 100, 1}, // 500 Hz, downsampled
    };
    for (const auto& c : cases) {
        const AudioData loop = sineLoop(c.from, c.frames, c.cycles, c.channels);
        const AudioData resampled = resampleLoop(loop, c.to, "carrier");
        const auto expectedFrames = static_cast<std::size_t>(std::llround(c.frames * c.to / c.from));
        ASSERT_EQ(resampled.frames(), expectedFrames);
        ASSERT_EQ(resampled.channelCount(), c.channels);
        EXPECT_EQ(resampled.sampleRate, c.to);

        const AudioData carrier = fitCarrier(loop, c.to, 3 * expectedFrames + 17);
        ASSERT_EQ(carrier.frames(), 3 * expectedFrames + 17);
        double worst = 0.0;
        for (std::size_t ch = 0; ch < c.channels; ++ch) {
            for (std::size_t i = 0; i < carrier.frames(); ++i) {
                const double phase = 2.0 * std::numbers::pi * c.cycles * static_cast<double>(i % expectedFrames)
                                     / static_cast<double>(expectedFrames);
                worst = std::max(worst, std::fabs(carrier.channels[ch][i] - 0.5 * std::sin(phase + ch)));
            }
        }
        EXPECT_LT(worst, 2e-3) << c.from << " -> " << c.to;
    }
}

// 1000 frames at 44100 Hz are 1088.435 frames at 48000 Hz: a loop cut to whole frames would
// jump at every seam and drift from the signal it stands for, most at high frequencies.
TEST(LoopResampler, APeriodOfNoWholeFramesNeitherJumpsNorDrifts)
{
    for (const double cycles : {7.0, 70.0}) { // 309 Hz and 3087 Hz
        const AudioData loop = sineLoop(44100, 1000, cycles);
        const AudioData carrier = fitCarrier(loop, 48000, 20000); // 18 periods
        ASSERT_EQ(carrier.frames(), 20000u);
        EXPECT_EQ(carrier.sampleRate, 48000);
        double worst = 0.0;
        for (std::size_t i = 0; i < carrier.frames(); ++i) {
            const double loopsDone = static_cast<double>(i) * 44100.0 / 48000.0 / 1000.0;
            const double expected = 0.5 * std::sin(2.0 * std::numbers::pi * cycles * loopsDone);
            worst = std::max(worst, std::fabs(carrier.channels[0][i] - expected));
        }
        EXPECT_LT(worst, 2e-3) << cycles << " cycles a loop";
    }
}

TEST(LoopResampler, ALoopShorterThanTheFilterStillResamples)
{
    const AudioData loop = sineLoop(22050, 10, 1);
    const AudioData resampled = resampleLoop(loop, 44100, "carrier");
    ASSERT_EQ(resampled.frames(), 20u);
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_NEAR(resampled.channels[0][i], 0.5 * std::sin(2.0 * std::numbers::pi * i / 20.0), 2e-3) << i;
}

TEST(LoopResampler, RatesBeyondTheResamplersReachAreRefused)
{
    const AudioData loop = sineLoop(1000, 100, 1);
    try {
        resampleLoop(loop, 384000, "voice");
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code(), ExitCode::inputFile);
        EXPECT_STREQ(error.what(), "cannot resample the voice from 1000 Hz to 384000 Hz");
    }
}

} // namespace
} // namespace zindlehost

#include "dsp/AudioUtils.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace dsp {
namespace {

TEST(AudioUtils, VoicingDecision)
{
    constexpr float rate = 44100.0f;
    const auto noise = test::whiteNoise(512, 0.5);
    const double noiseRms = std::sqrt(test::energy(noise.data(), 512) / 512);
    const auto tone = test::sine(512, 200.0, rate, noiseRms * std::sqrt(2.0));
    const std::vector<float> silence(512, 0.0f);
    const auto whisper = test::whiteNoise(512, 0.001); // below the energy gate

    EXPECT_TRUE(AudioUtils::isUnVoiced(noise.data(), 512, rate, 0.3f));
    EXPECT_FALSE(AudioUtils::isUnVoiced(tone.data(), 512, rate, 0.3f));
    EXPECT_FALSE(AudioUtils::isUnVoiced(silence.data(), 512, rate, 0.3f));
    EXPECT_FALSE(AudioUtils::isUnVoiced(whisper.data(), 512, rate, 0.3f));
    EXPECT_FALSE(AudioUtils::isUnVoiced(noise.data(), 0, rate, 0.3f));
    // The threshold moves the decision: nothing is voiced enough to pass 0, noise passes 1.
    EXPECT_FALSE(AudioUtils::isUnVoiced(noise.data(), 512, rate, 0.0f));
    EXPECT_TRUE(AudioUtils::isUnVoiced(tone.data(), 512, rate, 1.01f));
}

TEST(AudioUtils, BlockShorterThanTheShortestPeriodIsUnvoiced)
{
    // trunc(44100 / 5000) = 8: a block of 8 loud samples has no lag left to search.
    const std::vector<float> loud(8, 0.5f);
    EXPECT_TRUE(AudioUtils::isUnVoiced(loud.data(), 8, 44100.0f, 0.01f));
    // One sample more leaves lag 8, whose correlation 0.25 / 2.25 is then weighed.
    const std::vector<float> longer(9, 0.5f);
    EXPECT_FALSE(AudioUtils::isUnVoiced(longer.data(), 9, 44100.0f, 0.1f));
    EXPECT_TRUE(AudioUtils::isUnVoiced(longer.data(), 9, 44100.0f, 0.12f));
}

TEST(AudioUtils, DecibelsToScale)
{
    EXPECT_EQ(AudioUtils::decibelToScale(0.0f), 1.0f);
    EXPECT_NEAR(AudioUtils::decibelToScale(-20.0f), 0.1f, 1e-7);
    EXPECT_NEAR(AudioUtils::decibelToScale(-8.0f), 0.398107f, 1e-6);
    EXPECT_NEAR(AudioUtils::decibelToScale(6.0f), 1.995262f, 1e-6);
}

} // namespace
} // namespace dsp

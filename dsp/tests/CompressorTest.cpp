#include "dsp/Compressor.h"

#include "dsp/SimpleCompRms.h"
#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace dsp {
namespace {

TEST(Compressor, RatioOneLeavesTheSignalAlone)
{
    Compressor compressor(44100.0f);
    compressor.setRatio(1.0f);
    compressor.setThreshold(-40.0f);
    auto x = test::whiteNoise(4096, 0.9);
    const auto original = x;
    compressor.compress(x.data(), 4096);
    EXPECT_EQ(x, original);
}

TEST(Compressor, SteadyLevelAboveThresholdIsReducedByTheSquaredGain)
{
    constexpr float rate = 44100.0f;
    Compressor compressor(rate);
    // A constant 0.5 keys a mean square of 2 * 0.25: 3 dB above its own level.
    const double detectorDb = 10.0 * std::log10(2.0 * 0.25);
    compressor.setThreshold(static_cast<float>(detectorDb - 10.0));
    compressor.setRatio(0.2f);
    compressor.setWindow(0.4f, 50.0f);

    std::vector<float> x(static_cast<std::size_t>(rate), 0.5f);
    compressor.compress(x.data(), static_cast<int>(x.size()));
    EXPECT_NEAR(compressor.engine().gainEnvelope(), 10.0, 0.01);
    // -8 dB of gain per application, applied twice.
    EXPECT_NEAR(x.back(), 0.5 * std::pow(10.0, -16.0 / 20.0), 1e-3);
    // The reduction arrives with the gain envelope's attack, not at once.
    EXPECT_GT(x[10], x.back());
}

TEST(Compressor, SilenceStaysFiniteAndUnchanged)
{
    Compressor compressor(48000.0f);
    compressor.setRatio(0.2f);
    compressor.setThreshold(-14.0f);
    std::vector<float> x(2048, 0.0f);
    compressor.compress(x.data(), 2048);
    for (float v : x)
        EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(std::isfinite(compressor.engine().gainEnvelope()));
}

TEST(Compressor, WindowShapesOnlyTheMeanSquareAverager)
{
    constexpr double rate = 44100.0;
    Compressor compressor(static_cast<float>(rate));
    compressor.setWindow(0.4f, 50.0f);
    const auto& averager = compressor.engine().averager();
    EXPECT_NEAR(averager.attackDetector().coef(), std::exp(-1000.0 / (0.4 * rate)), 1e-9);
    EXPECT_NEAR(averager.releaseDetector().coef(), std::exp(-1000.0 / (50.0 * rate)), 1e-12);
    // The gain envelope keeps its own 10 ms / 100 ms.
    EXPECT_NEAR(compressor.engine().attackDetector().coef(), std::exp(-1000.0 / (10.0 * rate)), 1e-12);
    EXPECT_NEAR(compressor.engine().releaseDetector().coef(), std::exp(-1000.0 / (100.0 * rate)), 1e-12);
}

TEST(Compressor, ZeroTimeConstantFollowsAtOnce)
{
    chunkware_simple::EnvelopeDetector detector(0.0, 44100.0);
    EXPECT_EQ(detector.coef(), 0.0);
    detector.setTc(5.0);
    detector.setSampleRate(0.0);
    EXPECT_EQ(detector.coef(), 0.0);
}

TEST(Compressor, LongBlocksAreCompressedLikeShortOnes)
{
    Compressor whole(44100.0f), pieces(44100.0f);
    for (Compressor* c : {&whole, &pieces}) {
        c->setRatio(0.2f);
        c->setThreshold(-14.0f);
        c->setWindow(0.4f, 50.0f);
    }
    auto a = test::whiteNoise(3000, 0.8);
    auto b = a;
    whole.compress(a.data(), 3000);
    pieces.compress(b.data(), 1000);
    pieces.compress(b.data() + 1000, 2000);
    EXPECT_EQ(a, b);
}

} // namespace
} // namespace dsp

#include "dsp/VoiceProcessor.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <ostream>
#include <vector>

namespace dsp {
namespace {

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

void shiftInBlocks(VoiceProcessor& shifter, std::vector<float>& samples, int blockLength)
{
    const int length = static_cast<int>(samples.size());
    for (int start = 0; start < length; start += blockLength)
        shifter.formantShift(samples.data() + start, std::min(blockLength, length - start));
}

/// Strongest frequency between low and high in a Hann-windowed stretch: a coarse scan of
/// single-frequency DFTs, refined around its maximum.
double peakFrequency(const float* x, int n, double sampleRate, double low, double high)
{
    double best = low;
    double bestMagnitude = -1.0;
    const auto scan = [&](double from, double to, double step) {
        for (double f = from; f <= to; f += step) {
            const double magnitude = test::magnitudeAt(x, n, f, sampleRate);
            if (magnitude > bestMagnitude) {
                bestMagnitude = magnitude;
                best = f;
            }
        }
    };
    scan(low, high, 4.0);
    const double coarse = best;
    scan(coarse - 4.0, coarse + 4.0, 0.25);
    return best;
}

int blockSamplesOf(const VoiceProcessor& shifter) { return static_cast<int>(shifter.engine().stft().blockSamples()); }

/// How far a shifted peak may land from ratio x its input frequency: a peak's frequency is the
/// energy centroid of whole bins, which can sit up to half a bin off for a sine between bin
/// centres, and the map moves that error by (ratio - 1). One hertz more for the measurement.
double shiftTolerance(const VoiceProcessor& shifter, double sampleRate, double ratio)
{
    const double binWidth = sampleRate / static_cast<double>(shifter.engine().stft().fftSize());
    return 0.5 * std::fabs(ratio - 1.0) * binWidth + 1.0;
}

TEST(VoiceProcessor, ZeroShiftLeavesTheBufferUntouched)
{
    VoiceProcessor shifter(48000.0f);
    const std::vector<float> input = test::whiteNoise(4096, 0.5);

    std::vector<float> samples = input;
    shiftInBlocks(shifter, samples, 512);
    EXPECT_TRUE(sameBits(samples, input)); // as constructed

    shifter.setSemitoneShift(3.0f);
    samples = input;
    shiftInBlocks(shifter, samples, 512);
    EXPECT_FALSE(sameBits(samples, input));

    shifter.setSemitoneShift(0.0f);
    samples = input;
    shiftInBlocks(shifter, samples, 512);
    EXPECT_TRUE(sameBits(samples, input));
}

TEST(VoiceProcessor, TimingFollowsTheSampleRate)
{
    struct Case {
        float sampleRate;
        std::size_t block, interval, fftSize;
        int inputLatency, outputLatency;
    };
    const Case cases[] = {
        {31250.0f, 625, 250, 640, 313, 562},    {44100.0f, 882, 352, 1024, 441, 793},
        {48000.0f, 960, 384, 1024, 480, 864},   {88200.0f, 1764, 705, 2048, 882, 1587},
        {96000.0f, 1920, 768, 2048, 960, 1728},
        {150.0f, 0, 0, 0, 0, 0}, // too short a block for the STFT: unconfigured, no latency
    };
    VoiceProcessor shifter(48000.0f);
    shifter.setSemitoneShift(-2.0f);
    for (const Case& c : cases) {
        shifter.setSampleRate(c.sampleRate);
        const OverlapAddSTFT& stft = shifter.engine().stft();
        EXPECT_EQ(stft.blockSamples(), c.block) << c.sampleRate;
        EXPECT_EQ(stft.interval(), c.interval) << c.sampleRate;
        EXPECT_EQ(stft.fftSize(), c.fftSize) << c.sampleRate;
        EXPECT_EQ(shifter.inputLatency(), c.inputLatency) << c.sampleRate;
        EXPECT_EQ(shifter.outputLatency(), c.outputLatency) << c.sampleRate;
    }

    // Unconfigured, a non-zero shift passes the samples through.
    const std::vector<float> input = test::whiteNoise(1000, 0.5);
    std::vector<float> samples = input;
    shiftInBlocks(shifter, samples, 100);
    EXPECT_TRUE(sameBits(samples, input));
}

struct ShiftCase {
    float sampleRate;
    double frequency;
    float semitones;
};

void PrintTo(const ShiftCase& c, std::ostream* os)
{
    *os << c.frequency << " Hz at " << c.sampleRate << " Hz by " << c.semitones << " semitones";
}

class VoiceProcessorShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(VoiceProcessorShift, MovesASteadySineByTheSemitoneRatio)
{
    const ShiftCase c = GetParam();
    VoiceProcessor shifter(c.sampleRate);
    shifter.setSemitoneShift(c.semitones);

    const int latency = shifter.inputLatency() + shifter.outputLatency();
    const int settle = 2 * blockSamplesOf(shifter);
    const int window = 8192;
    std::vector<float> samples = test::sine(latency + settle + window, c.frequency, c.sampleRate, 0.5);
    shiftInBlocks(shifter, samples, 512);

    const float* measured = samples.data() + latency + settle;
    const double ratio = std::exp2(c.semitones / 12.0);
    const double expected = c.frequency * ratio;
    const double low = std::min(c.frequency, expected) / 2.0;
    const double high = std::max(c.frequency, expected) * 2.0;
    const double peak = peakFrequency(measured, window, c.sampleRate, low, high);
    EXPECT_NEAR(peak, expected, shiftTolerance(shifter, c.sampleRate, ratio));
    EXPECT_LT(test::magnitudeAt(measured, window, c.frequency, c.sampleRate),
              0.1 * test::magnitudeAt(measured, window, peak, c.sampleRate));
}

INSTANTIATE_TEST_SUITE_P(RatesAndShifts, VoiceProcessorShift,
                         ::testing::Values(ShiftCase{48000.0f, 440.0, 12.0f},
                                           ShiftCase{44100.0f, 700.0, 12.0f}, ShiftCase{31250.0f, 600.0, -12.0f},
                                           ShiftCase{48000.0f, 500.0, 7.0f}));

TEST(VoiceProcessor, SilenceBypassesAfterTwoBlocksAndSoundResumes)
{
    VoiceProcessor shifter(48000.0f);
    shifter.setSemitoneShift(12.0f);
    const int n = 256;
    std::vector<float> tone = test::sine(20 * n, 500.0, 48000.0, 0.5);
    shiftInBlocks(shifter, tone, n);

    // The call that completes 2 x block silent samples is still processed; the next one is copied.
    const int firstCopied = (2 * blockSamplesOf(shifter) + n - 1) / n + 1;
    for (int call = 1; call < firstCopied + 4; ++call) {
        const std::vector<float> quiet = test::whiteNoise(n, 1e-9, static_cast<std::uint32_t>(call));
        std::vector<float> samples = quiet;
        shifter.formantShift(samples.data(), n);
        EXPECT_EQ(sameBits(samples, quiet), call >= firstCopied) << "call " << call;
    }

    const int latency = shifter.inputLatency() + shifter.outputLatency();
    const int settle = 2 * blockSamplesOf(shifter);
    const int window = 8192;
    const std::vector<float> input = test::sine(latency + settle + window, 500.0, 48000.0, 0.5);
    std::vector<float> samples = input;
    shiftInBlocks(shifter, samples, n);
    EXPECT_FALSE(std::equal(samples.begin(), samples.begin() + n, input.begin()));
    const float* measured = samples.data() + latency + settle;
    EXPECT_NEAR(peakFrequency(measured, window, 48000.0, 200.0, 2000.0), 1000.0, shiftTolerance(shifter, 48000.0, 2.0));
}

TEST(VoiceProcessor, VaryingBlockLengthsGiveTheSameStream)
{
    const std::vector<float> voice = test::resonantPulseVoice(2 * 44100, 140.0, 44100.0, {700.0, 1200.0, 2600.0});

    VoiceProcessor steady(44100.0f);
    steady.setSemitoneShift(-5.0f);
    std::vector<float> expected = voice;
    shiftInBlocks(steady, expected, 256);

    VoiceProcessor varying(44100.0f);
    varying.setSemitoneShift(-5.0f);
    std::vector<float> samples = voice;
    const int lengths[] = {1, 0, 13, 256, 700, 64, 2048, 5, 333, 1500};
    const int total = static_cast<int>(samples.size());
    for (int start = 0, k = 0; start < total; ++k) {
        const int n = std::min(lengths[k % std::size(lengths)], total - start);
        varying.formantShift(samples.data() + start, n);
        start += n;
    }
    EXPECT_TRUE(sameBits(samples, expected));
}

} // namespace
} // namespace dsp

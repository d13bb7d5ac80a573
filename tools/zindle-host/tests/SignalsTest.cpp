#include "tools/zindle-host/CarrierGenerator.h"
#include "tools/zindle-host/LevelMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zindlehost {
namespace {

TEST(LevelMeter, PeakAndRmsOverEveryChannelInDbfs)
{
    AudioData audio{48000, {std::vector<float>(48000), std::vector<float>(48000, 0.0f)}};
    for (std::size_t i = 0; i < 48000; ++i)
        audio.channels[0][i] = static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * 1000.0 * i / 48000.0));
    LevelMeter meter;
    meter.add(audio);
    EXPECT_NEAR(meter.peakDb(), -6.0206, 1e-3);
    EXPECT_NEAR(meter.rmsDb(), -6.0206 - 3.0103 - 3.0103, 1e-3) << "a silent second channel halves the power";

    LevelMeter silence;
    EXPECT_EQ(silence.peakDb(), -INFINITY);
    EXPECT_EQ(silence.rmsDb(), -INFINITY);
    silence.add(AudioData{48000, {std::vector<float>(10, 0.0f)}});
    EXPECT_EQ(silence.peakDb(), -INFINITY);
    EXPECT_EQ(silence.rmsDb(), -INFINITY);
}

TEST(LevelMeter, BlocksAddUpLikeOneSignal)
{
    const float first[] = {0.1f, -0.8f};
    const float second[] = {0.25f};
    const float* a[] = {first};
    const float* b[] = {second};
    LevelMeter meter;
    meter.add(a, 1, 2);
    meter.add(b, 1, 1);
    EXPECT_NEAR(meter.peakDb(), 20.0 * std::log10(0.8), 1e-4);
    EXPECT_NEAR(meter.rmsDb(), 10.0 * std::log10((0.01 + 0.64 + 0.0625) / 3.0), 1e-4);
}

TEST(CarrierGenerator, ARichChordAtMinusSixDbThatLoopsWithoutASeam)
{
    const AudioData chord = makeCarrierChord(44100, 2.0);
    ASSERT_EQ(chord.channelCount(), 1u);
    ASSERT_EQ(chord.frames(), 88200u);
    const auto& x = chord.channels[0];
    LevelMeter meter;
    meter.add(chord);
    EXPECT_NEAR(meter.peakDb(), -6.0206, 1e-3);
    EXPECT_GT(meter.rmsDb(), -24.0) << "a dense chord, not a few clicks";

    // Rich: a sawtooth's partials reach high. Differencing weighs partials by their frequency;
    // the chord's notes as plain sines would keep about 0.001 of their power.
    double highBand = 0.0, total = 0.0;
    for (std::size_t i = 1; i < x.size(); ++i) {
        const double difference = x[i] - x[i - 1];
        highBand += difference * difference;
        total += static_cast<double>(x[i]) * x[i];
    }
    EXPECT_GT(highBand / total, 0.01);
}

TEST(CarrierGenerator, EveryPartialTurnsWholeCyclesSoTheLoopHasNoSeam)
{
    // A signal that repeats after exactly its length has all its power on the bins of a DFT
    // over that length; one with a seam leaks power into every bin. The chord's partials
    // number under 200 here, so few bins may hold any.
    const AudioData chord = makeCarrierChord(8000, 0.5);
    const auto& x = chord.channels[0];
    const std::size_t n = x.size();
    ASSERT_EQ(n, 4000u);
    std::vector<double> power(n / 2);
    double total = 0.0;
    for (std::size_t k = 0; k < n / 2; ++k) {
        double re = 0.0, im = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            const double phase = 2.0 * std::numbers::pi * static_cast<double>(k * i % n) / static_cast<double>(n);
            re += x[i] * std::cos(phase);
            im += x[i] * std::sin(phase);
        }
        power[k] = re * re + im * im;
        total += power[k];
    }
    const auto occupied = std::count_if(power.begin(), power.end(), [total](double p) { return p > 1e-9 * total; });
    EXPECT_GT(occupied, 50);
    EXPECT_LT(occupied, 200);
}

TEST(CarrierGenerator, StaysBelowNyquistAtLowRates)
{
    // At 8 kHz a naive sawtooth folds its upper partials back all over the spectrum. Over one
    // second every partial sits on a whole hertz, so the bins from 3601 to 3999 Hz hold only
    // what was folded: nothing, when the partials stop at 0.45 of the rate.
    const AudioData chord = makeCarrierChord(8000, 1.0);
    const auto& x = chord.channels[0];
    double folded = 0.0, total = 0.0;
    for (const float sample : x)
        total += static_cast<double>(sample) * sample;
    for (int hertz = 3601; hertz < 4000; ++hertz) {
        double re = 0.0, im = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double phase = 2.0 * std::numbers::pi * hertz * static_cast<double>(i) / 8000.0;
            re += x[i] * std::cos(phase);
            im += x[i] * std::sin(phase);
        }
        folded += 2.0 * (re * re + im * im) / static_cast<double>(x.size());
    }
    EXPECT_LT(folded / total, 1e-6);
}

} // namespace
} // namespace zindlehost

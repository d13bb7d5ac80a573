#include "dsp/LPCVocoderProcessor.h"

#include "dsp/VoiceProcessor.h"
#include "dsp/tests/TestSignals.h"
#include "dsp/tests/VocoderDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// A host may feed the effect anything. Whatever a burst holds, every output sample stays
// finite, and once the burst is over the output is the ordinary one again: that of the same
// render with the burst silenced.
namespace dsp {
namespace {

constexpr float rate = 44100.0f;
constexpr int renderLength = static_cast<int>(0.6f * rate);
// A compressor remembers the level of the burst for as long as its release takes to forget
// it: the render goes on for that.
constexpr int compressedLength = static_cast<int>(2.4f * rate);
constexpr int burstFrom = static_cast<int>(0.1f * rate), burstTo = static_cast<int>(0.2f * rate);
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float floatMax = std::numeric_limits<float>::max();

enum class Burst { sine1e30, sine1e20, floatMaximum, notFinite };

struct Case {
    const char* name;
    bool inCarrier; // else in the voice
    Burst burst;
    int mode;
    float cents;
    bool freeze;
    bool crush;
    bool filtersAndCompression;
};

constexpr Case cases[] = {
    {"1e30 burst then voice", false, Burst::sine1e30, 0, 0.0f, false, false, false},
    {"1e30 burst then voice, shifted", false, Burst::sine1e30, 0, 300.0f, false, false, false},
    {"1e20 sine, noise carrier", false, Burst::sine1e20, 1, 0.0f, false, false, false},
    {"float maximum, unvoiced to noise", false, Burst::floatMaximum, 2, -500.0f, false, false, false},
    {"not-a-number and infinity in the voice, auto voice", false, Burst::notFinite, 3, 0.0f, false, false, false},
    {"not-a-number and infinity in the carrier, shifted", true, Burst::notFinite, 0, 300.0f, false, false, false},
    {"float maximum in the carrier", true, Burst::floatMaximum, 0, 0.0f, false, false, false},
    {"1e30 burst, frozen throughout", false, Burst::sine1e30, 0, 0.0f, true, false, false},
    {"1e30 burst, crushed and shifted", false, Burst::sine1e30, 2, -200.0f, false, true, false},
    {"float maximum, filters and compression", false, Burst::floatMaximum, 0, 300.0f, false, false, true},
};

float burstSample(Burst burst, int i)
{
    const float phase = static_cast<float>(std::sin(test::twoPi * 330.0 * i / rate));
    switch (burst) {
    case Burst::sine1e30:
        return 1e30f * phase;
    case Burst::sine1e20:
        return 1e20f * phase;
    case Burst::floatMaximum:
        return i % 2 == 0 ? floatMax : -floatMax;
    case Burst::notFinite:
        return i % 3 == 0 ? nan : i % 3 == 1 ? infinity : -infinity;
    }
    return 0.0f;
}

struct Render {
    std::vector<float> out, voice;
};

int lengthOf(const Case& c) { return c.filtersAndCompression ? compressedLength : renderLength; }

Render render(const Case& c, bool withBurst)
{
    const int length = lengthOf(c);
    auto voice = test::resonantPulseVoice(length, 130.0, rate, {700.0, 1200.0, 2600.0});
    auto carrier = test::sawtooth(length, 200.0, rate);
    std::vector<float>& target = c.inCarrier ? carrier : voice;
    for (int i = burstFrom; i < burstTo; ++i)
        target[i] = withBurst ? burstSample(c.burst, i) : 0.0f;

    LPCVocoderProcessor vocoder(rate);
    test::configure(vocoder, {48.0f, c.mode, c.cents, c.crush, c.filtersAndCompression, c.filtersAndCompression, 7});
    std::vector<float> out(length);
    constexpr int block = 256;
    for (int start = 0; start < length; start += block) {
        // Frozen from the first complete frame on, so that a filter is held before the burst.
        vocoder.setVoiceFreeze(c.freeze && start >= 2 * vocoder.frameLength());
        const int n = std::min(block, length - start);
        vocoder.process(carrier.data() + start, voice.data() + start, out.data() + start, out.data() + start, n);
    }
    return {out, voice};
}

TEST(LPCVocoderInputSafety, AnyBurstGivesFiniteOutputAndTheOrdinaryOutputAfterIt)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Render burst = render(c, true);
        bool finite = true;
        for (const auto* samples : {&burst.out, &burst.voice}) {
            const auto bad = std::find_if(samples->begin(), samples->end(), [](float y) { return !std::isfinite(y); });
            EXPECT_TRUE(bad == samples->end()) << "not finite at sample " << (bad - samples->begin());
            finite = finite && bad == samples->end();
        }
        if (!finite)
            continue;

        // Two analysis frames after the burst no frame holds any of it, and the formant shifter
        // adds its latency; the compressor takes its release time.
        const Render ordinary = render(c, false);
        LPCVocoderProcessor timing(rate);
        timing.setFormantShift(c.cents);
        const auto& shifter = timing.formantShifter();
        const int settle = 2 * timing.frameLength() + (c.cents != 0.0f ? shifter.inputLatency() + shifter.outputLatency() : 0)
                           + (c.filtersAndCompression ? static_cast<int>(1.6f * rate) : 0) + 256;
        const int from = burstTo + settle;
        const int length = lengthOf(c);
        EXPECT_LT(from + static_cast<int>(0.05f * rate), length);
        double energy = 0.0, ordinaryEnergy = 0.0, peak = 0.0, ordinaryPeak = 0.0;
        for (int i = from; i < length; ++i) {
            energy += static_cast<double>(burst.out[i]) * burst.out[i];
            ordinaryEnergy += static_cast<double>(ordinary.out[i]) * ordinary.out[i];
            peak = std::max(peak, static_cast<double>(std::fabs(burst.out[i])));
            ordinaryPeak = std::max(ordinaryPeak, static_cast<double>(std::fabs(ordinary.out[i])));
        }
        EXPECT_GT(ordinaryEnergy, 1e-6);
        EXPECT_NEAR(10.0 * std::log10(energy / ordinaryEnergy), 0.0, 1.0);
        EXPECT_LT(peak, 2.0 * ordinaryPeak);
    }
}

TEST(LPCVocoderInputSafety, AGainFarOutsideItsRangeCannotPoisonTheState)
{
    // Past the input stage only parameters outside their ranges can overflow: a voice gain of
    // 1000 dB makes every frame infinite. The blocks are silenced where they are not finite,
    // and once the gain is back the output is the ordinary one.
    const int n = renderLength;
    const auto carrier = test::sawtooth(n, 200.0, rate);
    const auto voice = test::resonantPulseVoice(n, 130.0, rate, {700.0, 1200.0, 2600.0});
    for (float cents : {0.0f, 300.0f}) {
        SCOPED_TRACE(cents);
        std::vector<float> out[2];
        for (int run = 0; run < 2; ++run) {
            LPCVocoderProcessor vocoder(rate);
            test::configureDefaults(vocoder);
            vocoder.setFormantShift(cents);
            vocoder.setHighPassFilter(true);
            std::vector<float> v = voice;
            out[run].resize(n);
            for (int start = 0; start < n; start += 256) {
                vocoder.setVoiceInGain(run == 1 && start >= burstFrom && start < burstTo ? 1000.0f : 0.0f);
                vocoder.process(carrier.data() + start, v.data() + start, out[run].data() + start,
                                out[run].data() + start, std::min(256, n - start));
            }
        }
        const auto& poisoned = out[1];
        ASSERT_TRUE(std::all_of(poisoned.begin(), poisoned.end(), [](float y) { return std::isfinite(y); }));
        const int from = burstTo + static_cast<int>(0.1f * rate);
        const double ordinary = test::energy(out[0].data() + from, n - from);
        ASSERT_GT(ordinary, 1e-6);
        EXPECT_NEAR(10.0 * std::log10(test::energy(poisoned.data() + from, n - from) / ordinary), 0.0, 1.0);
    }
}

TEST(LPCVocoderInputSafety, OrdinaryInputPassesTheInputStageUnchanged)
{
    // Loud samples, up to 54 dB above full scale, are neither held nor changed.
    const std::vector<float> carrier(512, 0.25f);
    std::vector<float> voice(512);
    for (int i = 0; i < 512; ++i)
        voice[i] = (i % 2 == 0 ? 1.0f : -1.0f) * std::ldexp(1.0f, i % 10 - 1);
    const std::vector<float> original = voice;
    LPCVocoderProcessor vocoder(rate);
    test::configureDefaults(vocoder);
    std::vector<float> out(512);
    vocoder.process(carrier.data(), voice.data(), out.data(), out.data(), 512);
    EXPECT_EQ(voice, original);
}

} // namespace
} // namespace dsp

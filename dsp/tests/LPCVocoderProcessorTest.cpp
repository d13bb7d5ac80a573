#include "dsp/LPCVocoderProcessor.h"

#include "dsp/VoiceProcessor.h"
#include "dsp/tests/TestSignals.h"
#include "dsp/tests/VocoderDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace dsp {
namespace {

constexpr float rate = 44100.0f;

/// Runs whole signals through the vocoder in blocks; the voice is copied, since the
/// vocoder may change it in place.
std::vector<float> run(LPCVocoderProcessor& vocoder, const std::vector<float>& carrier,
                       const std::vector<float>& voice, int block = 512)
{
    std::vector<float> v = voice;
    std::vector<float> out(carrier.size());
    for (std::size_t start = 0; start < carrier.size(); start += block) {
        const int n = static_cast<int>(std::min<std::size_t>(block, carrier.size() - start));
        vocoder.process(carrier.data() + start, v.data() + start, out.data() + start, out.data() + start, n);
    }
    return out;
}

/// Amplitude of each carrier harmonic in the output's last second.
std::vector<double> harmonicProfile(const std::vector<float>& out, double pitch, double maxFrequency)
{
    const int n = static_cast<int>(rate);
    const float* tail = out.data() + out.size() - n;
    std::vector<double> profile;
    for (double f = pitch; f <= maxFrequency; f += pitch)
        profile.push_back(test::magnitudeAt(tail, n, f, rate));
    return profile;
}

double bandPeak(const std::vector<double>& profile, double pitch, double low, double high)
{
    double peak = 0.0;
    for (std::size_t i = 0; i < profile.size(); ++i) {
        const double f = pitch * static_cast<double>(i + 1);
        if (f >= low && f <= high)
            peak = std::max(peak, profile[i]);
    }
    return peak;
}

TEST(LPCVocoderProcessor, FrameLengthFollowsTheHostRate)
{
    const struct {
        float sampleRate;
        int frameLength;
    } cases[] = {{44100.0f, 720}, {48000.0f, 783}, {96000.0f, 1567}, {192000.0f, 1600},
                 // Below one sample per frame (or no rate at all) the frame keeps one sample.
                 {50.0f, 1}, {0.0f, 1}, {std::numeric_limits<float>::quiet_NaN(), 1}};
    for (const auto& c : cases) {
        LPCVocoderProcessor vocoder(c.sampleRate);
        EXPECT_EQ(vocoder.frameLength(), c.frameLength) << c.sampleRate;
        EXPECT_EQ(vocoder.framePositionA(), 0);
        EXPECT_EQ(vocoder.framePositionB(), c.frameLength / 2);
        const auto& shifter = vocoder.formantShifter();
        EXPECT_EQ(vocoder.delayLineLength(),
                  static_cast<std::size_t>(shifter.inputLatency() + shifter.outputLatency() + 1600));
    }
}

TEST(LPCVocoderProcessor, OutputEnvelopeFollowsTheVoiceResonances)
{
    // Two voices with different resonances over the same sawtooth: the output's harmonics
    // peak where each voice resonates, and move with it.
    constexpr double carrierPitch = 100.0;
    const int n = 3 * static_cast<int>(rate);
    const auto carrier = test::sawtooth(n, carrierPitch, rate);
    const struct {
        double low, high, valley;
    } voices[] = {{600.0, 1900.0, 1200.0}, {1000.0, 2600.0, 1700.0}};

    for (const auto& v : voices) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        const auto voice = test::resonantPulseVoice(n, 120.0, rate, {v.low, v.high});
        const auto profile = harmonicProfile(run(vocoder, carrier, voice), carrierPitch, 5000.0);

        const double first = bandPeak(profile, carrierPitch, v.low - 100.0, v.low + 100.0);
        const double second = bandPeak(profile, carrierPitch, v.high - 100.0, v.high + 100.0);
        const double valley = bandPeak(profile, carrierPitch, v.valley - 100.0, v.valley + 100.0);
        const double top = bandPeak(profile, carrierPitch, 4000.0, 5000.0);
        SCOPED_TRACE(testing::Message() << "formants " << v.low << " and " << v.high);
        // At least 9.5 dB between each resonance and the valley between them.
        EXPECT_GT(first, 3.0 * valley);
        EXPECT_GT(second, 3.0 * valley);
        EXPECT_GT(std::min(first, second), 10.0 * top);
        const double overall = *std::max_element(profile.begin(), profile.end());
        EXPECT_EQ(overall, std::max(first, second));
    }
}

TEST(LPCVocoderProcessor, SilentVoiceGivesSilenceWhateverTheMix)
{
    const int n = 8192;
    const auto carrier = test::sawtooth(n, 150.0, rate);
    const std::vector<float> voice(n, 0.0f);
    for (float dry : {0.0f, 1.0f}) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        vocoder.setHighPassFilter(true);
        vocoder.setDryMix(dry);
        const auto out = run(vocoder, carrier, voice);
        for (float y : out)
            ASSERT_EQ(y, 0.0f);
    }
}

TEST(LPCVocoderProcessor, VoiceModesChooseTheCarrier)
{
    const int n = 16384;
    const std::vector<float> silentCarrier(n, 0.0f);
    const auto spoken = test::resonantPulseVoice(n, 120.0, rate, {700.0, 1800.0});
    const auto hiss = test::whiteNoise(n, 0.5);

    const struct {
        int mode;
        const std::vector<float>* voice;
        bool sounds;
    } cases[] = {
        {0, &spoken, false}, // only the side chain is vocoded, and it is silent
        {1, &spoken, true},  // noise carrier throughout
        {2, &spoken, false}, // voiced blocks keep the silent side chain
        {2, &hiss, true},    // unvoiced blocks switch to noise
        {7, &hiss, false},   // unknown modes behave as 0
    };
    for (const auto& c : cases) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        vocoder.setVoiceMode(c.mode);
        const auto out = run(vocoder, silentCarrier, *c.voice);
        const double e = test::energy(out.data(), n);
        if (c.sounds)
            EXPECT_GT(e, 1e-3) << "mode " << c.mode;
        else
            EXPECT_EQ(e, 0.0) << "mode " << c.mode;
    }
}

TEST(LPCVocoderProcessor, AutoVoiceModePassesUnvoicedBlocksThroughTheFilters)
{
    // On a noise-like block, mode 3 outputs the scaled voice through filters and output
    // gain: exactly what mode 0 gives with the vocoded part muted and the dry part full.
    const int n = 4096;
    const auto carrier = test::sawtooth(n, 150.0, rate);
    const auto hiss = test::whiteNoise(n, 0.5);

    LPCVocoderProcessor autoVoice(rate), dryOnly(rate);
    for (auto* v : {&autoVoice, &dryOnly}) {
        test::configureDefaults(*v);
        v->setHighPassFilter(true);
        v->setLowPassFilter(true);
        v->setOutputGain(-3.0f);
        v->setVoiceInGain(2.0f);
    }
    autoVoice.setVoiceMode(3);
    dryOnly.setWetMix(0.0f);
    dryOnly.setDryMix(1.0f);

    EXPECT_EQ(run(autoVoice, carrier, hiss), run(dryOnly, carrier, hiss));
    EXPECT_EQ(autoVoice.framePositionA(), 0);
    EXPECT_NE(dryOnly.framePositionA(), 0);
}

TEST(LPCVocoderProcessor, FreezeHoldsTheLastVocalFilter)
{
    const int n = 3 * static_cast<int>(rate);
    const int split = n / 3;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    const auto voiceA = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});
    const auto voiceB = test::resonantPulseVoice(n, 180.0, rate, {1000.0, 2600.0});

    // Same history, then frozen: what the voice does afterwards no longer matters.
    std::vector<float> mixedVoice(voiceA.begin(), voiceA.begin() + split);
    mixedVoice.insert(mixedVoice.end(), voiceB.begin() + split, voiceB.end());
    std::vector<float> quietVoice(voiceA.begin(), voiceA.begin() + split);
    quietVoice.resize(n, 0.0f);

    std::vector<std::vector<float>> outputs;
    for (const auto* voice : {&mixedVoice, &quietVoice}) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        std::vector<float> head(carrier.begin(), carrier.begin() + split);
        std::vector<float> headVoice(voice->begin(), voice->begin() + split);
        auto out = run(vocoder, head, headVoice);
        vocoder.setVoiceFreeze(true);
        std::vector<float> tail(carrier.begin() + split, carrier.end());
        std::vector<float> tailVoice(voice->begin() + split, voice->end());
        const auto frozen = run(vocoder, tail, tailVoice);
        out.insert(out.end(), frozen.begin(), frozen.end());
        outputs.push_back(out);
    }
    EXPECT_EQ(outputs[0], outputs[1]);

    // The held filter is voice A's: its resonances still shape the carrier.
    const auto profile = harmonicProfile(outputs[0], 100.0, 5000.0);
    EXPECT_GT(bandPeak(profile, 100.0, 500.0, 700.0), 4.0 * bandPeak(profile, 100.0, 1100.0, 1300.0));
}

TEST(LPCVocoderProcessor, LeavingFreezeRestartsTheFramesOnce)
{
    const int n = 4096;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    const auto voice = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});

    LPCVocoderProcessor once(rate), twice(rate);
    for (auto* v : {&once, &twice}) {
        test::configureDefaults(*v);
        run(*v, carrier, voice, 300);
        v->setVoiceFreeze(true);
        run(*v, carrier, voice, 300);
        ASSERT_NE(v->framePositionA(), 0);
        v->setVoiceFreeze(false);
        EXPECT_EQ(v->framePositionA(), 0);
    }
    run(twice, carrier, voice, 100);
    twice.setVoiceFreeze(false); // not frozen: changes nothing
    run(once, carrier, voice, 100);
    EXPECT_EQ(run(once, carrier, voice), run(twice, carrier, voice));
}

TEST(LPCVocoderProcessor, SixteenBitQuantisesAndClampsTheInputs)
{
    LPCVocoderProcessor vocoder(rate);
    test::configureDefaults(vocoder);
    vocoder.set16Bit(true);
    vocoder.setVoiceOnlyOutput(true);

    auto voice = test::whiteNoise(512, 0.9);
    voice[3] = 1.5f;
    voice[4] = -2.0f;
    const std::vector<float> carrier(512, 0.0f);
    std::vector<float> out(512);
    vocoder.process(carrier.data(), voice.data(), out.data(), out.data(), 512);
    for (int i = 0; i < 512; ++i) {
        const double steps = static_cast<double>(out[i]) * 32767.0;
        EXPECT_NEAR(steps, std::round(steps), 1e-2) << i;
        EXPECT_LE(std::fabs(out[i]), 1.0f);
    }
    EXPECT_EQ(out[3], 1.0f);
    EXPECT_EQ(out[4], -1.0f);
    // Only 16-bit: rate unchanged, the voice block itself is left as it came.
    EXPECT_EQ(voice[3], 1.5f);
}

TEST(LPCVocoderProcessor, DownsamplingRunsFewerSamplesAndStretchesThemBack)
{
    // A voice ramp through the voice-only output: the last output sample is the last of the
    // m = floor(512 / 1.4112) = 362 processed samples.
    const float ratio = rate / 31250.0f;
    const struct {
        int n;
        int processed;
    } cases[] = {{512, 362}, {1, 1}, {2, 1}};
    for (const auto& c : cases) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        vocoder.setDownsampleTo31Khz(true);
        vocoder.set16Bit(true);
        vocoder.setVoiceOnlyOutput(true);
        std::vector<float> voice(c.n), out(c.n);
        for (int i = 0; i < c.n; ++i)
            voice[i] = 0.25f + 0.5f * static_cast<float>(i) / 512.0f;
        const std::vector<float> carrier(c.n, 0.0f);
        vocoder.process(carrier.data(), voice.data(), out.data(), out.data(), c.n);
        const float lastProcessed = 0.25f + 0.5f * ratio * static_cast<float>(c.processed - 1) / 512.0f;
        EXPECT_NEAR(out.front(), 0.25f, 1.0f / 32767.0f) << c.n;
        EXPECT_NEAR(out.back(), lastProcessed, 1.0f / 32767.0f) << c.n;
    }
}

TEST(LPCVocoderProcessor, OutputGainSitsEightDecibelsBelowTheSetting)
{
    LPCVocoderProcessor vocoder(rate);
    vocoder.setOutputGain(8.0f);
    EXPECT_EQ(vocoder.outputGain(), 1.0f);
    vocoder.setOutputGain(0.0f);
    EXPECT_NEAR(vocoder.outputGain(), 0.398107f, 1e-6);
}

TEST(LPCVocoderProcessor, FormantShiftDelaysTheCarrierByTheShifterLatency)
{
    // With no voice block, the dry signal is the carrier: an impulse shows the delay.
    for (float cents : {0.0f, 300.0f, -1200.0f}) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        vocoder.setWetMix(0.0f);
        vocoder.setDryMix(1.0f);
        vocoder.setOutputGain(8.0f);
        vocoder.setFormantShift(cents);
        const auto& shifter = vocoder.formantShifter();
        const std::uint32_t expected =
            cents == 0.0f ? 0u : static_cast<std::uint32_t>(shifter.inputLatency() + shifter.outputLatency());
        EXPECT_EQ(vocoder.carrierDelay(), expected);

        std::vector<float> carrier(4096, 0.0f), out(4096);
        carrier[100] = 1.0f;
        for (int start = 0; start < 4096; start += 256)
            vocoder.process(carrier.data() + start, nullptr, out.data() + start, out.data() + start, 256);
        const auto peak = std::max_element(out.begin(), out.end()) - out.begin();
        EXPECT_EQ(peak, 100 + static_cast<long>(expected)) << cents;
        EXPECT_EQ(out[peak], 1.0f);
    }
}

TEST(LPCVocoderProcessor, ZeroFrameBlockChangesNothingInAnyPath)
{
    const int n = 2000;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    const auto voice = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});
    for (bool crush : {false, true}) {
        LPCVocoderProcessor touched(rate), untouched(rate);
        for (auto* v : {&touched, &untouched}) {
            test::configureDefaults(*v);
            v->setDownsampleTo31Khz(crush);
            v->set16Bit(crush);
            v->setFormantShift(300.0f);
            v->setCompressEnabled(true);
            run(*v, carrier, voice, 333);
        }
        float dummy = 0.0f;
        touched.process(&dummy, &dummy, &dummy, &dummy, 0);
        EXPECT_EQ(run(touched, carrier, voice), run(untouched, carrier, voice)) << "crush " << crush;
    }
}

TEST(LPCVocoderProcessor, KeptWorkBlocksLeaveTheStreamUnchanged)
{
    // The delay and crush work blocks grow with the longest block and are then reused with
    // stale samples past the current length. Where the block split itself does not enter the
    // processing (mode 0, and crush without resampling), any split must give the same stream.
    const int n = 24000;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    const auto voice = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});
    const int lengths[] = {4096, 7, 512, 1500, 1, 64, 3000, 300};
    for (bool sixteenBit : {false, true}) {
        LPCVocoderProcessor even(rate), uneven(rate);
        for (auto* v : {&even, &uneven}) {
            test::configureDefaults(*v);
            v->set16Bit(sixteenBit);
            v->setFormantShift(300.0f);
            v->setCompressEnabled(true);
            v->setHighPassFilter(true);
        }
        const auto expected = run(even, carrier, voice, 512);

        std::vector<float> v = voice, out(n);
        for (int start = 0, k = 0; start < n; ++k) {
            const int length = std::min(lengths[k % std::size(lengths)], n - start);
            uneven.process(carrier.data() + start, v.data() + start, out.data() + start, out.data() + start, length);
            start += length;
        }
        EXPECT_EQ(out, expected) << "16-bit " << sixteenBit;
        EXPECT_GT(test::energy(out.data(), n), 1e-3);
    }
}

TEST(LPCVocoderProcessor, QualityKeepsTheOrderWithinTheCoefficientStore)
{
    LPCVocoderProcessor vocoder(rate);
    const struct {
        float quality;
        int order;
    } cases[] = {{48.0f, 48},
                 {12.9f, 12},
                 {std::numeric_limits<float>::quiet_NaN(), 12}, // NaN keeps the previous order
                 {100.0f, 49},
                 {-5.0f, 0},
                 {std::numeric_limits<float>::infinity(), 49},
                 {-std::numeric_limits<float>::infinity(), 0}};
    for (const auto& c : cases) {
        vocoder.setQuality(c.quality);
        EXPECT_EQ(vocoder.lpcOrder(), c.order) << c.quality;
    }

    // The highest order really runs.
    test::configureDefaults(vocoder);
    vocoder.setQuality(1e9f);
    const auto carrier = test::sawtooth(4096, 100.0, rate);
    const auto voice = test::resonantPulseVoice(4096, 120.0, rate, {600.0, 1900.0});
    const auto out = run(vocoder, carrier, voice);
    EXPECT_GT(test::energy(out.data(), 4096), 0.0);
}

TEST(LPCVocoderProcessor, NonFiniteInputIsTakenAsSilence)
{
    const int n = 8192;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    const auto voice = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});
    for (bool crush : {false, true}) {
        for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
            auto badCarrier = carrier, badVoice = voice, zeroCarrier = carrier, zeroVoice = voice;
            badCarrier[1000] = bad;
            badVoice[1200] = bad;
            zeroCarrier[1000] = 0.0f;
            zeroVoice[1200] = 0.0f;

            LPCVocoderProcessor poisoned(rate), clean(rate);
            for (auto* v : {&poisoned, &clean}) {
                test::configureDefaults(*v);
                v->setCompressEnabled(true);
                v->setFormantShift(200.0f);
                v->setHighPassFilter(true);
                v->setLowPassFilter(true);
                v->setDownsampleTo31Khz(crush);
                v->set16Bit(crush);
            }
            const auto out = run(poisoned, badCarrier, badVoice);
            for (float y : out)
                ASSERT_TRUE(std::isfinite(y));
            EXPECT_EQ(out, run(clean, zeroCarrier, zeroVoice));
            EXPECT_GT(test::energy(out.data() + n - 2048, 2048), 1e-3);
        }
    }
}

TEST(LPCVocoderProcessor, VoiceOnlyOutputIsTheProcessedVoice)
{
    // Includes the voice gain, shift and compressor, but no filters, mix or output gain.
    const int n = 4096;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    const auto voice = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});

    LPCVocoderProcessor vocoder(rate);
    test::configureDefaults(vocoder);
    vocoder.setVoiceOnlyOutput(true);
    vocoder.setVoiceInGain(6.0f);
    vocoder.setFormantShift(300.0f);
    vocoder.setCompressEnabled(true);
    vocoder.setHighPassFilter(true);
    vocoder.setWetMix(0.3f);
    vocoder.setDryMix(0.7f);
    vocoder.setOutputGain(-20.0f);

    auto processedVoice = voice;
    std::vector<float> out(n);
    for (int start = 0; start < n; start += 512)
        vocoder.process(carrier.data() + start, processedVoice.data() + start, out.data() + start,
                        out.data() + start, 512);
    const float gain = std::pow(10.0f, 6.0f / 20.0f);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(out[i], processedVoice[i] * gain) << i;
    EXPECT_NE(processedVoice, voice);
}

TEST(LPCVocoderProcessor, SeparateOutputChannelsCarryTheSameSignal)
{
    const int n = 2048;
    const auto carrier = test::sawtooth(n, 100.0, rate);
    for (bool crush : {false, true}) {
        LPCVocoderProcessor vocoder(rate);
        test::configureDefaults(vocoder);
        vocoder.setDownsampleTo31Khz(crush);
        vocoder.set16Bit(crush);
        auto voice = test::resonantPulseVoice(n, 120.0, rate, {600.0, 1900.0});
        std::vector<float> left(n), right(n);
        vocoder.process(carrier.data(), voice.data(), left.data(), right.data(), n);
        EXPECT_EQ(left, right);
        EXPECT_GT(test::energy(left.data(), n), 0.0);
    }
}

} // namespace
} // namespace dsp

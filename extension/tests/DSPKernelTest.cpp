#include "extension/DSPKernel.h"

#include "dsp/AudioUtils.h"
#include "dsp/LPCVocoderProcessor.h"
#include "dsp/VoiceProcessor.h"
#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace zindle {
namespace {

constexpr double rate = 44100.0;
using A = ParameterAddress;

void initialize(DSPKernel& kernel, double sampleRate = rate)
{
    kernel.initialize(false, sampleRate, 0.8f, 0.0f, 0.2f, -14.0f, 0.4f, 50.0f);
}

/// Two inputs (voice, carrier) and two outputs of one segment.
struct Segment {
    explicit Segment(std::uint32_t frames, float voiceLevel = 0.5f, float carrierLevel = 0.5f)
        : voice(frames, voiceLevel), carrier(frames, carrierLevel), left(frames), right(frames)
    {
    }
    void run(DSPKernel& kernel)
    {
        float* inputs[2] = {voice.data(), carrier.data()};
        float* outputs[2] = {left.data(), right.data()};
        kernel.process(inputs, 2, outputs, 2, static_cast<std::uint32_t>(voice.size()));
    }
    std::vector<float> voice, carrier, left, right;
};

TEST(DSPKernel, RenderEventsTakeEffectAtOnceAndRaiseTheirChangedBit)
{
    struct Case {
        std::uint64_t address;
        float value;
        std::function<bool(const DSPKernel::Parameters&)> fieldHolds;
    };
    using P = DSPKernel::Parameters;
    const Case cases[] = {
        {A::quality, 20.0f, [](const P& p) { return p.quality == 20.0f; }},
        {A::whiteNoiseLevel, -12.0f, [](const P& p) { return p.whiteNoiseLevel == -12.0f; }},
        {A::whiteNoiseThreshold, 0.7f, [](const P& p) { return p.whiteNoiseThreshold == 0.7f; }},
        {A::highPassFilter, 0.51f, [](const P& p) { return p.highPassFilter; }},
        {A::outputGain, -6.0f, [](const P& p) { return p.outputGain == -6.0f; }},
        {A::voiceInputGain, 3.0f, [](const P& p) { return p.voiceInputGain == 3.0f; }},
        {A::synthInputGain, -9.0f, [](const P& p) { return p.synthInputGain == -9.0f; }},
        {A::voiceMode, 2.9f, [](const P& p) { return p.voiceMode == 2; }},
        {A::voiceMode, -2.9f, [](const P& p) { return p.voiceMode == -2; }},
        {A::voiceMode, std::numeric_limits<float>::quiet_NaN(), [](const P& p) { return p.voiceMode == 0; }},
        {A::voiceMode, 1e20f, [](const P& p) { return p.voiceMode == std::numeric_limits<std::int32_t>::max() - 127; }},
        {A::formantShift, 300.0f, [](const P& p) { return p.formantShift == 300.0f; }},
        {A::lowPassFilter, 1.0f, [](const P& p) { return p.lowPassFilter; }},
        {A::crush, 1.0f, [](const P& p) { return p.crush; }},
        {A::crush, 0.5f, [](const P& p) { return !p.crush; }},
        {A::compress, 1.0f, [](const P& p) { return p.compress; }},
        {A::freeze, 0.6f, [](const P& p) { return p.freeze; }},
        {A::mainMode, 0.0f, [](const P& p) { return p.quality == 0.0f && !p.crush; }},
        {A::retroMode, 1.0f, [](const P& p) { return p.quality == 0.0f && !p.crush; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "address " << c.address << " value " << c.value);
        for (bool withVocoder : {false, true}) {
            DSPKernel kernel;
            if (withVocoder)
                initialize(kernel);
            kernel.setParameter(c.address, c.value, true);
            EXPECT_TRUE(c.fieldHolds(kernel.parameters()));
            const float mirrored = kernel.parameterValue(c.address);
            EXPECT_TRUE(mirrored == c.value || (std::isnan(mirrored) && std::isnan(c.value))) << "the raw value";
            EXPECT_EQ(kernel.takeChangedMask(), 1u << c.address);
            EXPECT_EQ(kernel.takeChangedMask(), 0u) << "taking clears the mask";
        }
    }
}

TEST(DSPKernel, RenderEventsReachTheVocoder)
{
    DSPKernel kernel;
    initialize(kernel);
    kernel.setParameter(A::quality, 20.0f, true);
    kernel.setParameter(A::outputGain, -6.0f, true);
    kernel.setParameter(A::formantShift, 300.0f, true);
    const dsp::LPCVocoderProcessor& vocoder = *kernel.vocoder();
    EXPECT_EQ(vocoder.lpcOrder(), 20);
    EXPECT_FLOAT_EQ(vocoder.outputGain(), dsp::AudioUtils::decibelToScale(-14.0f));
    EXPECT_FLOAT_EQ(vocoder.formantShifter().semitoneShift(), 3.0f);
    EXPECT_GT(vocoder.carrierDelay(), 0u);
}

TEST(DSPKernel, CrushDrivesTheReducedRateAndOffAtOneHalf)
{
    const auto blockAt = [](float sampleRate) { return dsp::VoiceProcessor(sampleRate).engine().stft().blockSamples(); };
    ASSERT_NE(blockAt(44100.0f), blockAt(31250.0f));

    DSPKernel kernel;
    initialize(kernel);
    const auto shifterBlock = [&] { return kernel.vocoder()->formantShifter().engine().stft().blockSamples(); };
    EXPECT_EQ(shifterBlock(), blockAt(44100.0f));
    kernel.setParameter(A::crush, 1.0f, true);
    EXPECT_EQ(shifterBlock(), blockAt(31250.0f));
    kernel.setParameter(A::crush, 0.5f, true);
    EXPECT_EQ(shifterBlock(), blockAt(44100.0f));
}

TEST(DSPKernel, ValuesFromOtherThreadsWaitForTheRenderThread)
{
    DSPKernel kernel;
    initialize(kernel);
    kernel.setParameter(A::quality, 48.0f, true);
    kernel.takeChangedMask();
    kernel.setParameter(A::quality, 12.0f, false);
    kernel.setParameter(A::crush, 1.0f, false);

    EXPECT_EQ(kernel.parameterValue(A::quality), 12.0f) << "the mirror has it at once";
    EXPECT_EQ(kernel.parameters().quality, 48.0f) << "the render side does not, yet";
    EXPECT_EQ(kernel.vocoder()->lpcOrder(), 48);

    kernel.applyPendingParameters();
    EXPECT_EQ(kernel.parameters().quality, 12.0f);
    EXPECT_TRUE(kernel.parameters().crush);
    EXPECT_EQ(kernel.vocoder()->lpcOrder(), 12);
    EXPECT_EQ(kernel.takeChangedMask(), 0u) << "only render events are reported to the user interface";

    kernel.setParameter(A::quality, 30.0f, false);
    kernel.setParameter(A::quality, 31.0f, false);
    kernel.applyPendingParameters();
    EXPECT_EQ(kernel.vocoder()->lpcOrder(), 31) << "the last value wins";
}

TEST(DSPKernel, PendingValuesApplyInAddressOrder)
{
    // The carrier delay follows the formant shifter's rate at the moment the shift is set, so
    // it shows whether the shift (address 8) went in before crush (address 10).
    const auto delayAfter = [](std::initializer_list<std::uint64_t> order, bool notify) {
        DSPKernel kernel;
        initialize(kernel);
        for (std::uint64_t address : order)
            kernel.setParameter(address, address == A::crush ? 1.0f : 300.0f, notify);
        kernel.applyPendingParameters();
        return kernel.vocoder()->carrierDelay();
    };
    const auto shiftFirst = delayAfter({A::formantShift, A::crush}, true);
    const auto crushFirst = delayAfter({A::crush, A::formantShift}, true);
    ASSERT_NE(shiftFirst, crushFirst);
    EXPECT_EQ(delayAfter({A::crush, A::formantShift}, false), shiftFirst);
}

TEST(DSPKernel, AddressesAbove14ChangeNothing)
{
    DSPKernel kernel;
    initialize(kernel);
    for (std::uint64_t address : {std::uint64_t(15), std::uint64_t(31), std::uint64_t(32), ~std::uint64_t(0)}) {
        kernel.setParameter(address, 1.0f, true);
        kernel.setParameter(address, 1.0f, false);
        EXPECT_EQ(kernel.parameterValue(address), 0.0f);
    }
    EXPECT_EQ(kernel.takeChangedMask(), 0u);
    kernel.applyPendingParameters();
    for (std::uint64_t address = 0; address < DSPKernel::parameterCount; ++address)
        EXPECT_EQ(kernel.parameterValue(address), 0.0f);
}

TEST(DSPKernel, InitializeHandsEveryStoredValueToTheNewVocoder)
{
    DSPKernel kernel;
    kernel.setParameter(A::quality, 24.0f, false);     // pending, never applied by a render call
    kernel.setParameter(A::outputGain, -3.0f, true);   // applied without a vocoder
    kernel.setParameter(A::formantShift, -500.0f, false);
    EXPECT_EQ(kernel.vocoder(), nullptr);

    initialize(kernel, 48000.0);
    const dsp::LPCVocoderProcessor& vocoder = *kernel.vocoder();
    EXPECT_EQ(kernel.sampleRate(), 48000.0);
    EXPECT_EQ(vocoder.sampleRate(), 48000.0f);
    EXPECT_EQ(vocoder.lpcOrder(), 24);
    EXPECT_FLOAT_EQ(vocoder.outputGain(), dsp::AudioUtils::decibelToScale(-11.0f));
    EXPECT_FLOAT_EQ(vocoder.formantShifter().semitoneShift(), -5.0f);
    ASSERT_TRUE(kernel.meters().has_value());
    EXPECT_FLOAT_EQ(kernel.meters()->decay, 0.9f);

    kernel.releaseVocoder();
    EXPECT_EQ(kernel.vocoder(), nullptr);
    EXPECT_EQ(kernel.parameters().quality, 24.0f) << "parameters outlive the vocoder";
    initialize(kernel);
    EXPECT_EQ(kernel.vocoder()->lpcOrder(), 24);
}

TEST(DSPKernel, CopiesInputsWithoutVocoderOrInBypass)
{
    enum class State { neverInitialized, released, bypassed };
    for (State state : {State::neverInitialized, State::released, State::bypassed}) {
        SCOPED_TRACE(static_cast<int>(state));
        DSPKernel kernel;
        if (state != State::neverInitialized)
            initialize(kernel);
        if (state == State::released)
            kernel.releaseVocoder();
        kernel.setBypass(state == State::bypassed);

        Segment segment(512);
        segment.voice = dsp::test::sine(512, 440.0, rate);
        segment.carrier = dsp::test::sawtooth(512, 110.0, rate);
        for (int i = 0; i < 7; ++i)
            segment.run(kernel);
        EXPECT_EQ(segment.left, segment.voice);
        EXPECT_EQ(segment.right, segment.carrier);
        EXPECT_FALSE(kernel.takeMetersReady()) << "copying does not meter";
    }
}

TEST(DSPKernel, OneOutputGetsTheVocoderOnItsOwn)
{
    DSPKernel kernel;
    initialize(kernel);
    kernel.setParameter(A::quality, 48.0f, true);
    auto voice = dsp::test::resonantPulseVoice(512, 140.0, rate, {700.0, 1800.0});
    auto carrier = dsp::test::sawtooth(512, 110.0, rate);
    std::vector<float> out(512, 0.0f);
    for (int i = 0; i < 8; ++i) {
        float* inputs[2] = {voice.data(), carrier.data()};
        float* outputs[1] = {out.data()};
        kernel.process(inputs, 2, outputs, 1, 512);
    }
    float level = 0.0f;
    for (float x : out)
        level = std::max(level, std::fabs(x));
    EXPECT_GT(level, 1e-3f);
}

TEST(DSPKernel, MetersPublishDecibelsEvery3200Frames)
{
    struct Case {
        float level;
        float expectedDb;
    };
    const Case cases[] = {{1e-5f, -60.0f}, {1e-6f, -60.0f}, {1.0f, 0.0f}, {2.0f, 6.0206f}, {0.1f, -20.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        DSPKernel kernel;
        initialize(kernel);
        Segment segment(512, c.level, c.level);
        for (int i = 0; i < 6; ++i) {
            segment.run(kernel);
            ASSERT_FALSE(kernel.takeMetersReady()) << "after " << (i + 1) * 512 << " frames";
        }
        segment.run(kernel); // 3584 frames
        ASSERT_TRUE(kernel.takeMetersReady());
        const auto db = kernel.meterDb();
        EXPECT_NEAR(db[DSPKernel::synthInputMeter], c.expectedDb, 1e-3);
        EXPECT_NEAR(db[DSPKernel::voiceInputMeter], c.expectedDb, 1e-3);
        EXPECT_FALSE(kernel.takeMetersReady()) << "taking clears the flag";

        // The counter restarted from 0: seven more segments to the next reading.
        for (int i = 0; i < 6; ++i)
            segment.run(kernel);
        EXPECT_FALSE(kernel.takeMetersReady());
        segment.run(kernel);
        EXPECT_TRUE(kernel.takeMetersReady());
    }
}

TEST(DSPKernel, MetersScaleByTheInputGainsInForce)
{
    DSPKernel kernel;
    kernel.setParameter(A::voiceInputGain, -20.0f, false); // before the first allocation
    initialize(kernel);
    Segment segment(3200, 1.0f, 1.0f);
    segment.run(kernel);
    ASSERT_TRUE(kernel.takeMetersReady());
    EXPECT_NEAR(kernel.meterDb()[DSPKernel::voiceInputMeter], -20.0f, 1e-3);
    EXPECT_NEAR(kernel.meterDb()[DSPKernel::synthInputMeter], 0.0f, 1e-3);

    kernel.setParameter(A::synthInputGain, 6.0f, true);
    kernel.releaseVocoder();
    initialize(kernel); // a new meter state keeps the gains
    segment.run(kernel);
    ASSERT_TRUE(kernel.takeMetersReady());
    EXPECT_NEAR(kernel.meterDb()[DSPKernel::voiceInputMeter], -20.0f, 1e-3);
    EXPECT_NEAR(kernel.meterDb()[DSPKernel::synthInputMeter], 6.0f, 1e-3);
}

TEST(DSPKernel, AValueTheVocoderAlreadyHasDoesNotRestartIt)
{
    // Kernel b is handed crush on again between segments, as the user interface's poll does
    // after a render event; its output must not differ from kernel a's.
    DSPKernel a, b;
    for (DSPKernel* kernel : {&a, &b}) {
        initialize(*kernel);
        kernel->setParameter(A::quality, 48.0f, true);
        kernel->setParameter(A::formantShift, 300.0f, true);
        kernel->setParameter(A::highPassFilter, 1.0f, true);
        kernel->setParameter(A::lowPassFilter, 1.0f, true);
        kernel->setParameter(A::crush, 1.0f, true);
    }
    const auto voice = dsp::test::resonantPulseVoice(8192, 140.0, rate, {700.0, 1800.0});
    const auto carrier = dsp::test::sawtooth(8192, 110.0, rate);
    std::vector<float> outA(8192), outB(8192);
    for (std::size_t start = 0; start < 8192; start += 512) {
        for (auto [kernel, out] : {std::pair{&a, &outA}, std::pair{&b, &outB}}) {
            std::vector<float> v(voice.begin() + start, voice.begin() + start + 512);
            std::vector<float> c(carrier.begin() + start, carrier.begin() + start + 512);
            float* inputs[2] = {v.data(), c.data()};
            float* outputs[2] = {out->data() + start, out->data() + start};
            kernel->process(inputs, 2, outputs, 2, 512);
        }
        b.setParameter(A::crush, 1.0f, false);
        b.applyPendingParameters();
    }
    float level = 0.0f;
    for (float x : outA)
        level = std::max(level, std::fabs(x));
    EXPECT_GT(level, 1e-3f);
    EXPECT_EQ(outA, outB);
}

} // namespace
} // namespace zindle

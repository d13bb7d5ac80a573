#include "TestHost.h"

#include "dsp/AudioUtils.h"
#include "dsp/LPCVocoderProcessor.h"
#include "dsp/VoiceProcessor.h"
#include "dsp/tests/TestSignals.h"
#include "platform/audiounit/Error.h"

#include <gtest/gtest.h>

namespace zindle {
namespace {

using A = ParameterAddress;
using test::TestHost;

TEST(ZindleAudioUnit, NewUnitAsTheHostSeesIt)
{
    ZindleAudioUnit unit;
    EXPECT_EQ(au::fourCharString(unit.componentDescription().componentType), "aufx");
    EXPECT_EQ(au::fourCharString(unit.componentDescription().componentSubType), "voco");
    EXPECT_EQ(au::fourCharString(unit.componentDescription().componentManufacturer), "Vart");

    ASSERT_EQ(unit.inputBusses().count(), 2u);
    ASSERT_EQ(unit.outputBusses().count(), 1u);
    EXPECT_EQ(unit.inputBusses().busType(), au::BusType::input);
    EXPECT_EQ(unit.outputBusses().busType(), au::BusType::output);
    EXPECT_EQ(unit.inputBusses()[0].format(), au::AudioFormat::standard(44100.0, 2));
    EXPECT_EQ(unit.inputBusses()[1].format(), au::AudioFormat::standard(44100.0, 1));
    EXPECT_EQ(unit.outputBusses()[0].format(), au::AudioFormat::standard(44100.0, 2));

    EXPECT_DOUBLE_EQ(unit.latency(), 0.02);
    const auto capabilities = unit.channelCapabilities();
    ASSERT_EQ(capabilities.size(), 2u);
    for (const auto& pair : capabilities) {
        EXPECT_EQ(pair.inputChannels, -1);
        EXPECT_EQ(pair.outputChannels, -2);
    }
    EXPECT_EQ(unit.maximumFramesToRender(), 1024u);
    EXPECT_FALSE(unit.shouldBypassEffect());
    EXPECT_FALSE(unit.renderResourcesAllocated());
    EXPECT_EQ(unit.kernel().vocoder(), nullptr);
}

// The vocoder's windows grow with the rate: far beyond the rates hosts use they would take
// gigabytes, so the unit states its range and its buses refuse any other rate.
TEST(ZindleAudioUnit, RunsFromEightTo768Kilohertz)
{
    ZindleAudioUnit unit;
    const auto range = unit.supportedSampleRates();
    ASSERT_TRUE(range);
    EXPECT_EQ(range->minimum, 8000.0);
    EXPECT_EQ(range->maximum, 768000.0);
    for (const double rate : {1.0, 7999.0, 768001.0, 2e9}) {
        try {
            unit.outputBusses()[0].setFormat(au::AudioFormat::standard(rate, 2));
            ADD_FAILURE() << rate << " Hz accepted";
        } catch (const au::Error& error) {
            EXPECT_EQ(error.status(), au::status::formatNotSupported) << rate;
        }
    }
    for (const double rate : {8000.0, 768000.0}) {
        for (std::size_t bus = 0; bus < 2; ++bus)
            unit.inputBusses()[bus].setFormat(au::AudioFormat::standard(rate, bus == 0 ? 2 : 1));
        unit.outputBusses()[0].setFormat(au::AudioFormat::standard(rate, 2));
        unit.allocateRenderResources();
        ASSERT_NE(unit.kernel().vocoder(), nullptr) << rate;
        unit.deallocateRenderResources();
    }
}

TEST(ZindleAudioUnit, MaximumFramesLimitsTheRequests)
{
    ZindleAudioUnit unit;
    unit.setMaximumFramesToRender(256);
    EXPECT_EQ(unit.maximumFramesToRender(), 256u);
    EXPECT_EQ(unit.kernel().maxFramesToRender(), 256u);
    unit.allocateRenderResources();
    TestHost host(unit);
    EXPECT_EQ(host.render(512), au::status::tooManyFramesToProcess);
    EXPECT_EQ(host.render(256), au::status::ok);

    // Raised behind the allocation's back: the buffers are still for 256 frames.
    unit.setMaximumFramesToRender(512);
    EXPECT_EQ(host.render(512), au::status::tooManyFramesToProcess);
    unit.allocateRenderResources();
    EXPECT_EQ(host.render(512), au::status::ok);
}

TEST(ZindleAudioUnit, BypassReadsBackAndCopiesTheFoldedInputs)
{
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.allocateRenderResources();
    unit.setShouldBypassEffect(true);
    EXPECT_TRUE(unit.shouldBypassEffect());
    EXPECT_TRUE(unit.kernel().bypass());

    TestHost host(unit);
    const auto voice = dsp::test::sine(512, 220.0, 44100.0, 0.5);
    const auto carrier = dsp::test::sawtooth(512, 110.0, 44100.0);
    host.setInput(0, {voice});
    host.setInput(1, {carrier});
    ASSERT_EQ(host.render(512), au::status::ok);
    EXPECT_EQ(host.output(0), voice) << "a mono source on the stereo voice bus keeps its level";
    EXPECT_EQ(host.output(1), carrier);
}

TEST(ZindleAudioUnit, ParametersSetBeforeAllocationReachTheVocoder)
{
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.setParameter(A::quality, 20.0f);
    unit.setParameter(A::outputGain, -6.0f);
    unit.setParameter(A::formantShift, 700.0f);
    unit.setParameter(A::mainMode, 0.0f);
    EXPECT_EQ(unit.kernel().parameterValue(A::mainMode), 0.0f);
    EXPECT_EQ(unit.kernel().takeChangedMask(), 0u) << "values from the user interface are not reported back";

    unit.allocateRenderResources();
    const dsp::LPCVocoderProcessor* vocoder = unit.kernel().vocoder();
    ASSERT_NE(vocoder, nullptr);
    EXPECT_EQ(vocoder->sampleRate(), 44100.0f);
    EXPECT_EQ(vocoder->lpcOrder(), 20);
    EXPECT_FLOAT_EQ(vocoder->outputGain(), dsp::AudioUtils::decibelToScale(-14.0f));
    EXPECT_FLOAT_EQ(vocoder->formantShifter().semitoneShift(), 7.0f);
}

TEST(ZindleAudioUnit, ParametersSetWhileAllocatedReachTheVocoderInTheNextRenderCall)
{
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.allocateRenderResources();
    TestHost host(unit);
    ASSERT_EQ(host.render(512), au::status::ok);
    EXPECT_EQ(unit.kernel().vocoder()->lpcOrder(), 48);

    unit.setParameter(A::quality, 16.0f);
    EXPECT_EQ(unit.kernel().vocoder()->lpcOrder(), 48) << "the vocoder belongs to the render thread";
    ASSERT_EQ(host.render(512), au::status::ok);
    EXPECT_EQ(unit.kernel().vocoder()->lpcOrder(), 16);
}

TEST(ZindleAudioUnit, RendersWhatAVocoderWithTheFixedSettingsRenders)
{
    // Compression on, so that all four compressor settings shape the voice; no noise carrier,
    // so that both vocoders are deterministic.
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.setParameter(A::compress, 1.0f);
    unit.inputBusses()[0].setFormat(au::AudioFormat::standard(44100.0, 1));
    unit.setMaximumFramesToRender(512);
    unit.allocateRenderResources();
    TestHost host(unit);
    const auto voice = dsp::test::resonantPulseVoice(44100, 140.0, 44100.0, {700.0, 1800.0});
    const auto carrier = dsp::test::sawtooth(44100, 110.0, 44100.0);
    host.setInput(0, {voice});
    host.setInput(1, {carrier});

    dsp::LPCVocoderProcessor reference(44100.0f);
    reference.setQuality(48.0f);
    reference.setWhiteNoiseLevel(-20.0f);
    reference.setWhiteNoiseThreshold(0.3f);
    reference.setOutputGain(0.0f);
    reference.setVoiceInGain(0.0f);
    reference.setSynthInGain(0.0f);
    reference.setVoiceMode(0);
    reference.setFormantShift(0.0f);
    reference.setHighPassFilter(false);
    reference.setLowPassFilter(false);
    reference.setVoiceFreeze(false);
    reference.setDownsampleTo31Khz(false);
    reference.set16Bit(false);
    reference.setCompressEnabled(true);
    reference.setVoiceOnlyOutput(false);
    reference.setWetMix(0.8f);
    reference.setDryMix(0.0f);
    reference.setCompressorSettings(0.2f, -14.0f, 0.4f, 50.0f);

    std::vector<float> left(512), right(512);
    for (std::size_t start = 0; start < 16 * 512; start += 512) {
        ASSERT_EQ(host.render(512), au::status::ok);
        std::vector<float> v(voice.begin() + start, voice.begin() + start + 512);
        reference.process(carrier.data() + start, v.data(), left.data(), right.data(), 512);
        ASSERT_EQ(host.output(0), left) << "from sample " << start;
        ASSERT_EQ(host.output(1), right) << "from sample " << start;
    }
    EXPECT_GT(test::peak(left), 1e-3f);
}

TEST(ZindleAudioUnit, AllocationFollowsTheFormatsTheHostSet)
{
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.inputBusses()[0].setFormat(au::AudioFormat::standard(48000.0, 4));
    unit.inputBusses()[1].setFormat(au::AudioFormat::standard(48000.0, 2));
    unit.outputBusses()[0].setFormat(au::AudioFormat::standard(48000.0, 1));
    unit.setMaximumFramesToRender(2048);
    unit.allocateRenderResources();

    EXPECT_EQ(unit.kernel().sampleRate(), 48000.0);
    EXPECT_EQ(unit.kernel().vocoder()->sampleRate(), 48000.0f);
    TestHost host(unit);
    EXPECT_EQ(host.render(2048), au::status::ok);

    EXPECT_THROW(unit.inputBusses()[1].setFormat(au::AudioFormat::standard(44100.0, 1)), au::Error)
        << "formats are fixed while allocated";
}

TEST(ZindleAudioUnit, DeallocationReleasesTheVocoderAndKeepsTheParameters)
{
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.setParameter(A::quality, 10.0f);
    unit.allocateRenderResources();
    unit.deallocateRenderResources();
    EXPECT_EQ(unit.kernel().vocoder(), nullptr);
    EXPECT_EQ(unit.kernel().parameterValue(A::quality), 10.0f);

    unit.setParameter(A::quality, 12.0f); // while deallocated
    unit.allocateRenderResources();
    EXPECT_EQ(unit.kernel().vocoder()->lpcOrder(), 12);
}

TEST(ZindleAudioUnit, InternalRenderBlockRendersOnItsOwn)
{
    // A host may call the effect's own block (behind its own guarantee that no allocation runs).
    ZindleAudioUnit unit;
    unit.allocateRenderResources();
    const au::InternalRenderBlock block = unit.internalRenderBlock();
    std::vector<float> left(256, TestHost::untouched), right(256, TestHost::untouched);
    au::AudioBuffer buffers[2] = {{1, 1024, left.data()}, {1, 1024, right.data()}};
    au::AudioBufferList output{2, buffers};
    auto pull = [](au::RenderActionFlags&, const au::AudioTimeStamp&, au::FrameCount count, std::int64_t,
                   au::AudioBufferList* list) {
        for (auto& buffer : list->span())
            std::fill_n(buffer.data, count, 0.25f);
        return au::status::ok;
    };
    au::RenderActionFlags flags = 0;
    unit.setShouldBypassEffect(true);
    EXPECT_EQ(block(flags, au::AudioTimeStamp{}, 256, 0, &output, nullptr, pull), au::status::ok);
    EXPECT_EQ(left, std::vector<float>(256, 0.25f));
    EXPECT_EQ(right, std::vector<float>(256, 0.25f));
}

} // namespace
} // namespace zindle

#include "TestHost.h"

#include "dsp/AudioUtils.h"
#include "dsp/tests/TestSignals.h"
#include "platform/audiounit/RenderEventList.h"
#include "platform/audiounit/ScopedFlushToZero.h"

#include <gtest/gtest.h>

#include <functional>

namespace zindle {
namespace {

using A = ParameterAddress;
using test::TestHost;
constexpr double rate = 44100.0;
constexpr au::FrameCount frames = 512;

std::vector<float> voiceSignal() { return dsp::test::resonantPulseVoice(44100, 140.0, rate, {700.0, 1800.0}); }
std::vector<float> carrierSignal() { return dsp::test::sawtooth(44100, 110.0, rate); }

void allocate(ZindleAudioUnit& unit, au::FrameCount maxFrames = frames)
{
    unit.setMaximumFramesToRender(maxFrames);
    unit.allocateRenderResources();
}

// --- Status codes -------------------------------------------------------------------------

TEST(RenderPath, StatusCodesInTheirOrderAndNothingDoneAfterAFailure)
{
    enum class Output { hostBuffers, none, firstWithoutData, noBuffers };
    struct Case {
        const char* what;
        au::FrameCount frameCount;
        bool connected;
        au::Status voicePull;
        au::Status sidePull;
        Output output;
        au::Status expected;
        int voicePulls;
        int sidePulls;
    };
    const Case cases[] = {
        {"more frames than the maximum", 1024, true, 0, 0, Output::hostBuffers, au::status::tooManyFramesToProcess, 0, 0},
        {"one frame more than the maximum", 513, false, 0, 0, Output::none, au::status::tooManyFramesToProcess, 0, 0},
        {"exactly the maximum", 512, true, 0, 0, Output::hostBuffers, au::status::ok, 1, 1},
        {"no frames", 0, true, 0, 0, Output::hostBuffers, au::status::ok, 1, 1},
        {"no pull block", 512, false, 0, 0, Output::hostBuffers, au::status::noConnection, 0, 0},
        {"voice pull fails", 512, true, -50, -66, Output::hostBuffers, -50, 1, 0},
        {"side-chain pull fails", 512, true, 0, -66, Output::hostBuffers, -66, 1, 1},
        {"no output list", 512, true, 0, 0, Output::none, au::status::invalidProperty, 1, 1},
        {"first output buffer without data", 512, true, 0, 0, Output::firstWithoutData, au::status::invalidProperty, 1, 1},
        {"output list without buffers", 512, true, 0, 0, Output::noBuffers, au::status::invalidProperty, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ZindleAudioUnit unit;
        test::pushDefaults(unit);
        allocate(unit);
        TestHost host(unit);
        host.setInput(0, {voiceSignal()});
        host.setInput(1, {carrierSignal()});
        host.connected = c.connected;
        host.failPull(0, c.voicePull);
        host.failPull(1, c.sidePull);
        au::RenderEventList events;
        events.addParameter(0, A::outputGain, -3.0f);

        std::vector<float> spare(frames, TestHost::untouched);
        au::AudioBuffer buffers[2] = {{1, frames * 4, nullptr}, {1, frames * 4, spare.data()}};
        au::AudioBufferList list{2, buffers};
        au::Status status = 0;
        switch (c.output) {
        case Output::hostBuffers:
            status = host.render(c.frameCount, events.head());
            break;
        case Output::none:
            status = host.renderInto(c.frameCount, nullptr, events.head());
            break;
        case Output::firstWithoutData:
            status = host.renderInto(c.frameCount, &list, events.head());
            break;
        case Output::noBuffers:
            list.numberBuffers = 0;
            status = host.renderInto(c.frameCount, &list, events.head());
            break;
        }

        EXPECT_EQ(status, c.expected);
        EXPECT_EQ(host.pulls(0), c.voicePulls);
        EXPECT_EQ(host.pulls(1), c.sidePulls);
        EXPECT_EQ(spare, std::vector<float>(frames, TestHost::untouched)) << "no buffer after a missing one is written";
        const bool rendered = c.expected == au::status::ok && c.frameCount > 0;
        if (c.output == Output::hostBuffers) {
            for (std::size_t channel = 0; channel < 2; ++channel) {
                const auto out = host.output(channel);
                const bool written = out != std::vector<float>(out.size(), TestHost::untouched);
                EXPECT_EQ(written, rendered) << "channel " << channel;
            }
        }
        EXPECT_EQ(unit.kernel().parameterValue(A::outputGain), rendered ? -3.0f : 0.0f);
        EXPECT_EQ(unit.kernel().takeChangedMask(), rendered ? 1u << A::outputGain : 0u);
    }
}

TEST(RenderPath, RefusesBeforeAllocationAndAfterDeallocation)
{
    ZindleAudioUnit unit;
    TestHost host(unit);
    EXPECT_EQ(host.render(frames), au::status::uninitialized);
    EXPECT_EQ(host.pulls(0), 0);
    allocate(unit);
    EXPECT_EQ(host.render(frames), au::status::ok);
    unit.deallocateRenderResources();
    EXPECT_EQ(host.render(frames), au::status::uninitialized);
    EXPECT_EQ(host.pulls(0), 1);
}

TEST(RenderPath, RunsWithDenormalsFlushedAndRestoresTheMode)
{
    ZindleAudioUnit unit;
    allocate(unit);
    TestHost host(unit);
    int flushedPulls = 0;
    host.afterPull = [&](std::int64_t, au::AudioBufferList&) { flushedPulls += au::ScopedFlushToZero::isActive(); };
    ASSERT_FALSE(au::ScopedFlushToZero::isActive());
    EXPECT_EQ(host.render(frames), au::status::ok);
    EXPECT_EQ(flushedPulls, 2);
    EXPECT_FALSE(au::ScopedFlushToZero::isActive());
}

// --- Event timing ---------------------------------------------------------------------------

/// Two identical units fed the same signals; only b gets the events under test, so a's output
/// shows what b would have rendered without them. The output gain acts on each sample alone,
/// which makes the sample at which an event took effect visible.
class EventTiming : public testing::Test {
protected:
    void SetUp() override
    {
        for (auto* unit : {&a_, &b_}) {
            test::pushDefaults(*unit);
            allocate(*unit);
        }
        for (auto* host : {&hostA_, &hostB_}) {
            host->setInput(0, {voiceSignal()});
            host->setInput(1, {carrierSignal()});
        }
        for (int i = 0; i < 8; ++i) // past the vocoder's first frames of silence
            renderBoth(nullptr);
        ASSERT_EQ(outA_, outB_);
        b_.kernel().takeChangedMask();
    }

    void renderBoth(const au::RenderEvent* eventsForB)
    {
        ASSERT_EQ(hostA_.render(frames), au::status::ok);
        ASSERT_EQ(hostB_.render(frames, eventsForB), au::status::ok);
        outA_ = hostA_.output(0);
        outB_ = hostB_.output(0);
    }

    void TearDown() override { EXPECT_GT(test::peak(outA_), 1e-3f) << "the reference must carry signal"; }

    static float gainRatio(float decibels)
    {
        return dsp::AudioUtils::decibelToScale(decibels - 8.0f) / dsp::AudioUtils::decibelToScale(-8.0f);
    }

    // b's samples in [begin, end) are a's times ratio (1: the very same samples).
    void expectScaled(std::size_t begin, std::size_t end, float ratio)
    {
        for (std::size_t i = begin; i < end; ++i) {
            if (ratio == 1.0f)
                ASSERT_EQ(outB_[i], outA_[i]) << "sample " << i;
            else
                ASSERT_NEAR(outB_[i], outA_[i] * ratio, 1e-7f + 1e-5f * std::fabs(outA_[i])) << "sample " << i;
        }
    }

    std::int64_t now() const { return hostB_.sampleTime; }

    ZindleAudioUnit a_, b_;
    TestHost hostA_{a_}, hostB_{b_};
    std::vector<float> outA_, outB_;
};

TEST_F(EventTiming, ParameterEventTakesEffectAtItsSample)
{
    au::RenderEventList events;
    events.addParameter(now() + 100, A::outputGain, -20.0f);
    renderBoth(events.head());
    expectScaled(0, 100, 1.0f);
    expectScaled(100, frames, gainRatio(-20.0f));
    EXPECT_EQ(b_.kernel().parameterValue(A::outputGain), -20.0f);
    EXPECT_EQ(b_.kernel().takeChangedMask(), 1u << A::outputGain);
}

TEST_F(EventTiming, EventsAtOneSampleApplyInListOrder)
{
    au::RenderEventList events;
    events.addParameter(now() + 100, A::outputGain, -20.0f);
    events.addParameter(now() + 100, A::outputGain, -6.0f);
    events.addParameter(now() + 100, A::voiceMode, 0.0f);
    renderBoth(events.head());
    expectScaled(0, 100, 1.0f);
    expectScaled(100, frames, gainRatio(-6.0f));
    EXPECT_EQ(b_.kernel().parameterValue(A::outputGain), -6.0f);
    EXPECT_EQ(b_.kernel().takeChangedMask(), (1u << A::outputGain) | (1u << A::voiceMode));
}

TEST_F(EventTiming, LateEventAppliesBeforeTheFirstSample)
{
    au::RenderEventList events;
    events.addParameter(now() - 50, A::outputGain, -20.0f);
    renderBoth(events.head());
    expectScaled(0, frames, gainRatio(-20.0f));
}

TEST_F(EventTiming, SuccessiveEventsSplitTheBufferAtEachSample)
{
    au::RenderEventList events;
    events.addParameter(now() + 1, A::outputGain, -20.0f);
    events.addParameter(now() + 300, A::outputGain, -6.0f);
    events.addParameter(now() + 511, A::outputGain, 0.0f);
    renderBoth(events.head());
    expectScaled(0, 1, 1.0f);
    expectScaled(1, 300, gainRatio(-20.0f));
    expectScaled(300, 511, gainRatio(-6.0f));
    expectScaled(511, frames, 1.0f);
}

TEST_F(EventTiming, RampsAndMidiChangeNothing)
{
    au::RenderEventList events;
    events.addParameterRamp(now() + 10, A::outputGain, -20.0f, 100);
    const std::uint8_t noteOn[] = {0x90, 60, 100};
    events.addMIDI(now() + 20, 0, noteOn);
    renderBoth(events.head());
    expectScaled(0, frames, 1.0f);
    EXPECT_EQ(b_.kernel().parameterValue(A::outputGain), 0.0f);
    EXPECT_EQ(b_.kernel().takeChangedMask(), 0u);
}

TEST_F(EventTiming, EventsBeyondTheBufferApplyAfterItsLastSample)
{
    au::RenderEventList events;
    events.addParameter(now() + 600, A::outputGain, -20.0f);
    events.addParameter(now() + 9000, A::voiceInputGain, -3.0f);
    renderBoth(events.head());
    expectScaled(0, frames, 1.0f);
    EXPECT_EQ(b_.kernel().parameterValue(A::outputGain), -20.0f);
    EXPECT_EQ(b_.kernel().parameterValue(A::voiceInputGain), -3.0f);
    EXPECT_EQ(b_.kernel().takeChangedMask(), (1u << A::outputGain) | (1u << A::voiceInputGain));

    au::RenderEventList restoreVoiceGain; // keep only the output gain different from a
    restoreVoiceGain.addParameter(now(), A::voiceInputGain, 0.0f);
    renderBoth(restoreVoiceGain.head());
    expectScaled(0, frames, gainRatio(-20.0f));
}

TEST_F(EventTiming, ValuesFromTheUserInterfaceApplyAtTheNextRenderCall)
{
    b_.setParameter(A::outputGain, -20.0f);
    EXPECT_EQ(b_.kernel().parameterValue(A::outputGain), -20.0f);
    renderBoth(nullptr);
    expectScaled(0, frames, gainRatio(-20.0f));
    EXPECT_EQ(b_.kernel().takeChangedMask(), 0u);
}

// --- Folding to mono -------------------------------------------------------------------------

using Channels = std::vector<std::vector<float>>;

Channels activeChannels(std::size_t count, double firstFrequency)
{
    Channels channels;
    for (std::size_t c = 0; c < count; ++c)
        channels.push_back(dsp::test::sine(frames, firstFrequency * double(c + 1), rate, 0.5 / double(c + 1)));
    return channels;
}

std::vector<float> average(const std::vector<float>& x, const std::vector<float>& y)
{
    std::vector<float> out(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        out[i] = (x[i] + y[i]) * 0.5f;
    return out;
}

/// In bypass the kernel copies its two mono inputs to the outputs, so the outputs show exactly
/// what the render path handed over.
struct Folded {
    std::vector<float> voice, side;
};

Folded renderBypassed(std::uint32_t voiceChannels, std::uint32_t sideChannels, const Channels& voice,
                      const Channels& side, std::function<void(std::int64_t, au::AudioBufferList&)> afterPull = {})
{
    ZindleAudioUnit unit;
    unit.inputBusses()[0].setFormat(au::AudioFormat::standard(rate, voiceChannels));
    unit.inputBusses()[1].setFormat(au::AudioFormat::standard(rate, sideChannels));
    unit.setShouldBypassEffect(true);
    allocate(unit);
    TestHost host(unit);
    host.setInput(0, voice);
    host.setInput(1, side);
    host.afterPull = std::move(afterPull);
    EXPECT_EQ(host.render(frames), au::status::ok);
    return {host.output(0), host.output(1)};
}

TEST(RenderPath, FoldsEachBusLayoutToTheVoiceAndTheCarrier)
{
    const Channels v = activeChannels(4, 200.0);
    const Channels s = activeChannels(2, 90.0);
    struct Case {
        std::uint32_t voiceChannels;
        std::uint32_t sideChannels;
        std::vector<float> voice;
        std::vector<float> carrier;
    };
    const Case cases[] = {
        {1, 1, v[0], s[0]},
        {2, 1, average(v[0], v[1]), s[0]},
        {2, 2, average(v[0], v[1]), average(s[0], s[1])},
        {1, 2, v[0], average(s[0], s[1])},
        // Three or more voice channels: the carrier rides on bus 0 after the voice.
        {3, 1, average(v[0], v[1]), v[2]},
        {4, 1, average(v[0], v[1]), average(v[2], v[3])},
        {4, 2, average(v[0], v[1]), average(v[2], v[3])},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.voiceChannels << " voice, " << c.sideChannels << " side channels");
        const Channels voice(v.begin(), v.begin() + c.voiceChannels);
        const Channels side(s.begin(), s.begin() + c.sideChannels);
        const Folded folded = renderBypassed(c.voiceChannels, c.sideChannels, voice, side);
        EXPECT_EQ(folded.voice, c.voice);
        EXPECT_EQ(folded.side, c.carrier);
    }
}

TEST(RenderPath, SilentSecondChannelKeepsTheFirstAtFullLevel)
{
    const auto left = dsp::test::sine(frames, 300.0, rate, 0.5);
    struct Case {
        const char* what;
        std::vector<float> right;
        bool averaged;
    };
    std::vector<float> atThreshold(frames, 0.0f);
    atThreshold[10] = 1e-6f;
    atThreshold[20] = -1e-6f;
    std::vector<float> aboveThreshold(frames, 0.0f);
    aboveThreshold[511] = -1.5e-6f;
    const Case cases[] = {
        {"digital silence", std::vector<float>(frames, 0.0f), false},
        {"magnitude exactly 1e-6", atThreshold, false},
        {"one sample above 1e-6", aboveThreshold, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Folded folded = renderBypassed(2, 1, {left, c.right}, {left});
        EXPECT_EQ(folded.voice, c.averaged ? average(left, c.right) : left);
    }
}

TEST(RenderPath, InputWithoutChannelsReadsAsSilence)
{
    const Channels v = activeChannels(2, 200.0);
    const Channels s = activeChannels(1, 90.0);
    for (std::int64_t emptyBus : {0, 1}) {
        SCOPED_TRACE(emptyBus);
        const Folded folded = renderBypassed(2, 1, v, s, [emptyBus](std::int64_t bus, au::AudioBufferList& list) {
            if (bus == emptyBus)
                list.numberBuffers = 0;
        });
        EXPECT_EQ(folded.voice, emptyBus == 0 ? std::vector<float>(frames, 0.0f) : average(v[0], v[1]));
        EXPECT_EQ(folded.side, emptyBus == 1 ? std::vector<float>(frames, 0.0f) : s[0]);
    }
}

TEST(RenderPath, OutputListIsWalkedOnlyAsFarAsBothGo)
{
    const Channels v = activeChannels(1, 200.0);
    const Channels s = activeChannels(1, 90.0);
    struct Case {
        std::uint32_t busChannels;
        std::uint32_t buffers;
    };
    for (const Case c : {Case{1, 1}, Case{1, 2}, Case{2, 1}, Case{2, 3}}) {
        SCOPED_TRACE(testing::Message() << c.busChannels << "-channel bus, " << c.buffers << " buffers");
        ZindleAudioUnit unit;
        unit.inputBusses()[0].setFormat(au::AudioFormat::standard(rate, 1));
        unit.outputBusses()[0].setFormat(au::AudioFormat::standard(rate, c.busChannels));
        unit.setShouldBypassEffect(true);
        allocate(unit);
        TestHost host(unit);
        host.setInput(0, v);
        host.setInput(1, s);
        ASSERT_EQ(host.render(frames, nullptr, c.buffers), au::status::ok);
        const std::vector<float> untouched(frames, TestHost::untouched);
        const Channels expected = {v[0], s[0]};
        for (std::uint32_t channel = 0; channel < c.buffers; ++channel)
            EXPECT_EQ(host.output(channel), channel < c.busChannels ? expected[channel] : untouched) << channel;
    }
}

TEST(RenderPath, MonoOutputStillVocodes)
{
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.outputBusses()[0].setFormat(au::AudioFormat::standard(rate, 1));
    allocate(unit);
    TestHost host(unit);
    host.setInput(0, {voiceSignal()});
    host.setInput(1, {carrierSignal()});
    for (int i = 0; i < 8; ++i)
        ASSERT_EQ(host.render(frames), au::status::ok);
    EXPECT_GT(test::peak(host.output(0)), 1e-3f);
    EXPECT_TRUE(test::allFinite(host.output(0)));
}

TEST(RenderPath, NeverProcessesSamplesTheHostHandedBackInPlace)
{
    // A mono voice is handed to the vocoder without copying, and the vocoder shifts and
    // compresses it in place: that must not reach a buffer of the host's.
    ZindleAudioUnit unit;
    test::pushDefaults(unit);
    unit.setParameter(A::formantShift, 500.0f);
    unit.setParameter(A::compress, 1.0f);
    unit.inputBusses()[0].setFormat(au::AudioFormat::standard(rate, 1));
    allocate(unit);
    TestHost host(unit);
    const auto voice = voiceSignal();
    host.setInput(0, {voice});
    host.setInput(1, {carrierSignal()});
    host.handBackOwnBuffers(0, 1, frames);
    for (int i = 0; i < 8; ++i) {
        const auto start = static_cast<std::size_t>(host.sampleTime);
        ASSERT_EQ(host.render(frames), au::status::ok);
        const std::vector<float> sent(voice.begin() + start, voice.begin() + start + frames);
        ASSERT_EQ(host.upstreamBuffers(0)[0], sent) << "render " << i;
    }
    EXPECT_GT(test::peak(host.output(0)), 1e-3f);

    // And the handed-back samples are what the effect reads.
    unit.setShouldBypassEffect(true);
    const auto start = static_cast<std::size_t>(host.sampleTime);
    ASSERT_EQ(host.render(frames), au::status::ok);
    EXPECT_EQ(host.output(0), std::vector<float>(voice.begin() + start, voice.begin() + start + frames));
}

} // namespace
} // namespace zindle

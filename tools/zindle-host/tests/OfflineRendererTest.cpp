#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/OfflineRenderer.h"

#include "platform/audiounit/AudioFormat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

namespace zindlehost {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

// An effect that shows what a host did: output 0 is the voice (both channels summed) times a gain, output 1 the
// carrier. The gain follows parameter events at their samples; a value set from outside (as
// the tree's observer would) waits for the start of the next render call, as the real
// effect's kernel does. Every call is recorded.
class ProbeUnit : public au::AudioUnit {
public:
    static constexpr au::ParameterAddress gainAddress = 3;

    ProbeUnit()
        : AudioUnit({au::fourCharCode("aufx"), au::fourCharCode("prob"), au::fourCharCode("Test")}),
          inputs_(*this, au::BusType::input,
                  {std::make_shared<au::AudioBus>(au::AudioFormat::standard(44100, 2)),
                   std::make_shared<au::AudioBus>(au::AudioFormat::standard(44100, 1))}),
          outputs_(*this, au::BusType::output, {std::make_shared<au::AudioBus>(au::AudioFormat::standard(44100, 2))})
    {
    }

    au::AudioBusArray& inputBusses() override { return inputs_; }
    au::AudioBusArray& outputBusses() override { return outputs_; }

    void setPendingGain(float gain) { pending_.store(gain); }

    au::InternalRenderBlock internalRenderBlock() override
    {
        return [this](au::RenderActionFlags& flags, const au::AudioTimeStamp& time, au::FrameCount frames,
                      std::int64_t, au::AudioBufferList* output, const au::RenderEvent* event,
                      au::PullInputBlock pull) -> au::Status {
            calls.emplace_back(static_cast<std::int64_t>(time.sampleTime), frames);
            if (failAtCall == static_cast<int>(calls.size()))
                return -1;
            if (const float pending = pending_.exchange(noValue); pending != noValue)
                gain_ = pending;
            au::AudioBuffer voiceBuffers[2] = {{1, frames * 4, voice_[0].data()}, {1, frames * 4, voice_[1].data()}};
            au::AudioBuffer carrierBuffer{1, frames * 4, carrier_.data()};
            au::AudioBufferList voice{2, voiceBuffers};
            au::AudioBufferList carrier{1, &carrierBuffer};
            if (const au::Status status = pull(flags, time, frames, 0, &voice); status != au::status::ok)
                return status;
            if (const au::Status status = pull(flags, time, frames, 1, &carrier); status != au::status::ok)
                return status;
            for (au::FrameCount i = 0; i < frames; ++i) {
                const auto now = static_cast<std::int64_t>(time.sampleTime) + i;
                for (; event && event->sampleTime <= now; event = event->next) {
                    eventTimes.push_back(event->sampleTime);
                    if (event->parameterAddress == gainAddress)
                        gain_ = event->value;
                }
                output->buffers[0].data[i] = (voiceBuffers[0].data[i] + voiceBuffers[1].data[i]) * gain_;
                output->buffers[1].data[i] = carrierBuffer.data[i];
            }
            return au::status::ok;
        };
    }

    std::vector<std::pair<std::int64_t, au::FrameCount>> calls;
    std::vector<std::int64_t> eventTimes;
    int failAtCall = 0;
    int allocations = 0;

protected:
    void doAllocateRenderResources() override
    {
        ++allocations;
        for (auto& channel : voice_)
            channel.assign(maximumFramesToRender(), 0.0f);
        carrier_.assign(maximumFramesToRender(), 0.0f);
    }

private:
    static constexpr float noValue = -12345.0f;
    au::AudioBusArray inputs_;
    au::AudioBusArray outputs_;
    std::vector<float> voice_[2];
    std::vector<float> carrier_;
    float gain_ = 1.0f;
    std::atomic<float> pending_{noValue};
};

std::vector<float> ramp(std::size_t frames, float start)
{
    std::vector<float> x(frames);
    for (std::size_t i = 0; i < frames; ++i)
        x[i] = start + static_cast<float>(i);
    return x;
}

class OfflineRendererTest : public ::testing::Test {
protected:
    // Renders 1000 frames of a ramp voice (1, 2, 3 ...) against a ramp carrier (-1, 0, 1 ...)
    // in blocks of 256, collecting both output channels.
    void render(std::vector<ScheduledChange> changes)
    {
        OfflineRenderer renderer(unit, 256);
        renderer.render(
            voice, carrier, std::move(changes),
            [this](au::ParameterAddress address, au::AUValue value) {
                treeSets.emplace_back(address, value);
                unit.setPendingGain(value);
            },
            [this](const float* const* channels, std::size_t frames) {
                out0.insert(out0.end(), channels[0], channels[0] + frames);
                out1.insert(out1.end(), channels[1], channels[1] + frames);
            },
            [this](std::size_t done) { progress.push_back(done); });
    }

    float out(std::size_t i) const { return out0.at(i); }

    ProbeUnit unit;
    AudioData voice{22050, {ramp(1000, 1.0f)}};
    AudioData carrier{22050, {ramp(1000, -1.0f)}};
    std::vector<float> out0, out1;
    std::vector<std::pair<au::ParameterAddress, au::AUValue>> treeSets;
    std::vector<std::size_t> progress;
};

TEST_F(OfflineRendererTest, PullsBothInputsInBlocksOnTheSampleTimeline)
{
    render({});
    EXPECT_THAT(unit.calls, ElementsAre(Pair(0, 256), Pair(256, 256), Pair(512, 256), Pair(768, 232)));
    EXPECT_EQ(out0, voice.channels[0]);
    EXPECT_EQ(out1, carrier.channels[0]);
    EXPECT_THAT(progress, ElementsAre(256, 512, 768, 1000));

    // The buses took the files' shape and rate; the unit is left deallocated.
    EXPECT_EQ(unit.inputBusses()[0].format(), au::AudioFormat::standard(22050, 1));
    EXPECT_EQ(unit.inputBusses()[1].format(), au::AudioFormat::standard(22050, 1));
    EXPECT_EQ(unit.outputBusses()[0].format(), au::AudioFormat::standard(22050, 2));
    EXPECT_EQ(unit.maximumFramesToRender(), 256u);
    EXPECT_FALSE(unit.renderResourcesAllocated());
}

TEST_F(OfflineRendererTest, RenderEventsLandOnTheirSampleWithoutCuttingTheCall)
{
    render({{300, ProbeUnit::gainAddress, 0.5f, false}, {0, ProbeUnit::gainAddress, 2.0f, false},
            {700, ProbeUnit::gainAddress, 0.0f, false}, {1000, ProbeUnit::gainAddress, 9.0f, false}});
    EXPECT_THAT(unit.calls, ElementsAre(Pair(0, 256), Pair(256, 256), Pair(512, 256), Pair(768, 232)));
    EXPECT_THAT(unit.eventTimes, ElementsAre(0, 300, 700)) << "sorted by time; the one at the end is never due";
    EXPECT_EQ(out(0), 1.0f * 2.0f);
    EXPECT_EQ(out(299), 300.0f * 2.0f);
    EXPECT_EQ(out(300), 301.0f * 0.5f);
    EXPECT_EQ(out(699), 700.0f * 0.5f);
    EXPECT_EQ(out(700), 0.0f);
    EXPECT_TRUE(treeSets.empty());
}

TEST_F(OfflineRendererTest, TreeSetsCutTheCallAtTheirSample)
{
    render({{300, ProbeUnit::gainAddress, 0.5f, true}, {0, ProbeUnit::gainAddress, 3.0f, true}});
    EXPECT_THAT(unit.calls,
                ElementsAre(Pair(0, 256), Pair(256, 44), Pair(300, 256), Pair(556, 256), Pair(812, 188)));
    EXPECT_THAT(treeSets, ElementsAre(Pair(ProbeUnit::gainAddress, 3.0f), Pair(ProbeUnit::gainAddress, 0.5f)));
    EXPECT_EQ(out(0), 3.0f);
    EXPECT_EQ(out(299), 300.0f * 3.0f);
    EXPECT_EQ(out(300), 301.0f * 0.5f);
}

TEST_F(OfflineRendererTest, EventsAndTreeSetsMix)
{
    render({{100, ProbeUnit::gainAddress, 4.0f, false}, {200, ProbeUnit::gainAddress, 0.25f, true},
            {210, ProbeUnit::gainAddress, 8.0f, false}});
    EXPECT_THAT(unit.calls, ElementsAre(Pair(0, 200), Pair(200, 256), Pair(456, 256), Pair(712, 256), Pair(968, 32)));
    EXPECT_EQ(out(99), 100.0f);
    EXPECT_EQ(out(100), 101.0f * 4.0f);
    EXPECT_EQ(out(200), 201.0f * 0.25f);
    EXPECT_EQ(out(209), 210.0f * 0.25f);
    EXPECT_EQ(out(210), 211.0f * 8.0f);
}

TEST_F(OfflineRendererTest, AFailedRenderCallIsAnEffectErrorAndDeallocates)
{
    unit.failAtCall = 3;
    try {
        render({});
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code(), ExitCode::effect);
        EXPECT_STREQ(error.what(), "the effect failed to render at 0.023 s (status -1)");
    }
    EXPECT_EQ(out0.size(), 512u) << "what came before the failure went out";
    EXPECT_FALSE(unit.renderResourcesAllocated());
}

TEST_F(OfflineRendererTest, StereoInputsKeepTheirChannels)
{
    voice.channels.push_back(ramp(1000, 5000.0f));
    render({});
    EXPECT_EQ(unit.inputBusses()[0].format(), au::AudioFormat::standard(22050, 2));
    for (std::size_t i = 0; i < 1000; ++i)
        ASSERT_EQ(out(i), voice.channels[0][i] + voice.channels[1][i]) << i;
}

} // namespace
} // namespace zindlehost

#include "ProbeUnit.h"

#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/OfflineRenderer.h"

#include "platform/audiounit/AudioFormat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zindlehost {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using test::ProbeUnit;
using test::ramp;

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

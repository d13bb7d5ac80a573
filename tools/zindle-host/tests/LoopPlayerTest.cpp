#include "PlaybackTestSupport.h"
#include "ProbeUnit.h"

#include "tools/zindle-host/BlockPacer.h"
#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/LoopPlayer.h"
#include "tools/zindle-host/LoopResampler.h"
#include "tools/zindle-host/SilentOutput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include <unistd.h>

namespace zindlehost {
namespace {

using namespace std::chrono_literals;
using test::ProbeUnit;
using test::ramp;
using test::SteppedOutput;
using test::waitUntil;
using ::testing::ElementsAre;
using ::testing::Pair;

// A player of a ramp voice (1, 2, 3 ...) and a ramp carrier (-1, 0, 1 ...) through the probe,
// whose outputs are its inputs: the test steps the output itself and sees what was fed.
class LoopPlayerTest : public ::testing::Test {
protected:
    LoopPlayer& makePlayer(double outputRate = 22050, au::FrameCount blockSize = 256)
    {
        auto output = std::make_unique<SteppedOutput>(outputRate, blockSize);
        stepped = output.get();
        player.emplace(unit, voice, carrier, std::move(output));
        return *player;
    }

    ProbeUnit unit;
    AudioData voice{22050, {ramp(1000, 1.0f)}};
    AudioData carrier{22050, {ramp(700, -1.0f)}};
    SteppedOutput* stepped = nullptr;
    std::optional<LoopPlayer> player;
};

TEST_F(LoopPlayerTest, BothInputsLoopSeamlesslyEachAtItsOwnLength)
{
    LoopPlayer& loop = makePlayer();
    loop.start();
    // Blocks that end nowhere near a wrap, one longer than the effect may render at once (a
    // server whose period grew) and one short: over three voice loops and four carrier loops.
    const std::vector<au::FrameCount> blocks{256, 256, 256, 600, 37, 256, 256, 256, 256, 256, 256, 256};
    std::size_t total = 0;
    for (const au::FrameCount frames : blocks) {
        stepped->pull(frames);
        total += frames;
    }
    EXPECT_EQ(stepped->played[0], loopToLength(voice, total).channels[0]);
    EXPECT_EQ(stepped->played[1], loopToLength(carrier, total).channels[0]);
    EXPECT_THAT(std::vector(unit.calls.begin() + 3, unit.calls.begin() + 7),
                ElementsAre(Pair(768, 256), Pair(1024, 256), Pair(1280, 88), Pair(1368, 37)))
        << "the long block in calls of at most the block size, on one sample timeline";
    EXPECT_EQ(loop.blocksRendered(), blocks.size());
    EXPECT_EQ(loop.framesRendered(), total);
    EXPECT_EQ(loop.failedRenderCalls(), 0u);
}

TEST_F(LoopPlayerTest, TheLoopsAreResampledOnceToTheOutputsRate)
{
    voice = AudioData{11025, {ramp(500, 1.0f)}};
    LoopPlayer& loop = makePlayer(22050);
    const AudioData resampled = resampleLoop(voice, 22050, "voice");
    ASSERT_EQ(loop.voice().frames(), 1000u);
    EXPECT_EQ(loop.voice().channels, resampled.channels);
    EXPECT_EQ(loop.carrier().channels, carrier.channels) << "a loop at the rate already is played as it is";

    loop.start();
    EXPECT_EQ(unit.inputBusses()[0].format(), au::AudioFormat::standard(22050, 1));
    for (int i = 0; i < 10; ++i)
        stepped->pull(256);
    EXPECT_EQ(stepped->played[0], loopToLength(resampled, 2560).channels[0]);
}

TEST_F(LoopPlayerTest, StartAllocatesForTheOutputAndStopDeallocates)
{
    LoopPlayer& loop = makePlayer(22050, 128);
    EXPECT_FALSE(unit.renderResourcesAllocated());
    loop.start();
    EXPECT_TRUE(loop.isPlaying());
    EXPECT_TRUE(stepped->running());
    EXPECT_TRUE(unit.renderResourcesAllocated());
    EXPECT_EQ(unit.maximumFramesToRender(), 128u);
    EXPECT_EQ(unit.inputBusses()[1].format(), au::AudioFormat::standard(22050, 1));
    EXPECT_EQ(unit.outputBusses()[0].format(), au::AudioFormat::standard(22050, 2));
    loop.start();
    EXPECT_EQ(unit.allocations, 1) << "a second start does nothing";
    stepped->pull(100);

    loop.stop();
    EXPECT_FALSE(loop.isPlaying());
    EXPECT_FALSE(stepped->running()) << "the output stops first";
    EXPECT_FALSE(unit.renderResourcesAllocated());
    loop.stop();

    loop.start();
    EXPECT_EQ(unit.allocations, 2);
    stepped->pull(50);
    EXPECT_THAT(unit.calls.back(), Pair(0, 50)) << "a new start plays the loops from their start";
    EXPECT_EQ(stepped->played[0][100], 1.0f);
}

TEST_F(LoopPlayerTest, AnEffectThatRefusesToRenderStartsNothing)
{
    unit.refuseAllocation = true;
    LoopPlayer& loop = makePlayer();
    try {
        loop.start();
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code(), ExitCode::effect);
        EXPECT_STREQ(error.what(), "the effect cannot render at 22050 Hz: the probe refuses");
    }
    EXPECT_FALSE(loop.isPlaying());
    EXPECT_FALSE(stepped->running());
}

TEST_F(LoopPlayerTest, ARefusedRenderCallGoesOutSilentAndIsCounted)
{
    unit.failAtCall = 2;
    LoopPlayer& loop = makePlayer();
    loop.start();
    for (int i = 0; i < 3; ++i)
        stepped->pull(256);
    EXPECT_EQ(loop.failedRenderCalls(), 1u);
    EXPECT_EQ(stepped->played[0][255], 256.0f);
    EXPECT_EQ(stepped->played[0][256], 0.0f);
    EXPECT_EQ(stepped->played[1][511], 0.0f);
    EXPECT_EQ(stepped->played[0][512], voice.channels[0][512]) << "playback goes on";
}

// The silent output's own thread, in real time.
class SilentPlaybackTest : public ::testing::Test {
protected:
    SilentPlaybackTest() { unit.recordCalls = false; }

    ProbeUnit unit;
    AudioData voice{22050, {ramp(1000, 1.0f)}};
    AudioData carrier{22050, {ramp(700, -1.0f)}};
};

TEST_F(SilentPlaybackTest, RendersBlockAfterBlockUntilStopped)
{
    LoopPlayer loop(unit, voice, carrier, std::make_unique<SilentOutput>(22050, 256));
    EXPECT_EQ(loop.output().kind(), AudioOutput::Kind::silent);
    EXPECT_EQ(loop.outputDescription(), "audio: none, rendering silently in real time");
    loop.start();
    ASSERT_TRUE(waitUntil([&] { return loop.blocksRendered() >= 20; }));
    EXPECT_EQ(loop.framesRendered(), loop.blocksRendered() * 256);
    EXPECT_EQ(loop.failedRenderCalls(), 0u);

    loop.stop();
    EXPECT_FALSE(unit.renderResourcesAllocated());
    const long calls = unit.renderCalls.load();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(unit.renderCalls.load(), calls) << "nothing renders once stop returns";
    EXPECT_EQ(static_cast<long>(loop.blocksRendered()), calls);
}

TEST_F(SilentPlaybackTest, DestroyingAPlayingPlayerStopsItsThread)
{
    {
        LoopPlayer loop(unit, voice, carrier, std::make_unique<SilentOutput>(22050, 64));
        loop.start();
        ASSERT_TRUE(waitUntil([&] { return loop.blocksRendered() >= 5; }));
    }
    EXPECT_FALSE(unit.renderResourcesAllocated());
    const long calls = unit.renderCalls.load();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(unit.renderCalls.load(), calls);
}

TEST(AudioOutputChoice, WithoutAJackServerTheOutputIsSilent)
{
    // A server name that nothing runs under, whatever runs on this machine.
    const char* previous = std::getenv("JACK_DEFAULT_SERVER");
    const std::string saved = previous ? previous : "";
    setenv("JACK_DEFAULT_SERVER", ("zindle-test-absent-" + std::to_string(getpid())).c_str(), 1);
    const auto output = openAudioOutput(32000, 300);
    if (previous)
        setenv("JACK_DEFAULT_SERVER", saved.c_str(), 1);
    else
        unsetenv("JACK_DEFAULT_SERVER");

    EXPECT_EQ(output->kind(), AudioOutput::Kind::silent);
    EXPECT_EQ(output->description(), "audio: none, rendering silently in real time");
    EXPECT_EQ(output->sampleRate(), 32000);
    EXPECT_EQ(output->blockSize(), 300u);
}

// The silent output's timeline: 480 frames at 48 kHz are 10 ms.
TEST(BlockPacer, DeadlinesLieOnAnAbsoluteTimelineAndFarLagRestartsIt)
{
    using Clock = BlockPacer::Clock;
    const Clock::time_point t0{std::chrono::seconds(1000)};
    BlockPacer pacer(480, 48000, t0);
    const struct {
        std::chrono::microseconds renderedAt; // since t0
        std::chrono::microseconds due;        // since t0
        const char* what;
    } steps[] = {
        {1ms, 10ms, "block 1"},
        {10500us, 20ms, "woken late: the next deadline stays put"},
        {45ms, 30ms, "two blocks behind: made up, no sleep"},
        {46ms, 40ms, "still made up"},
        {47ms, 50ms, "back on time"},
        {100ms, 60ms, "four blocks behind: still made up"},
        {10s, 10s, "far behind: the next block is due at once"},
        {10001ms, 10010ms, "and the timeline counts from there"},
    };
    for (const auto& step : steps)
        EXPECT_EQ(pacer.next(t0 + step.renderedAt) - t0, step.due) << step.what;
    EXPECT_EQ(pacer.restarts(), 1u);
}

TEST(BlockPacer, PeriodsThatAreNoWholeNumberOfNanosecondsDoNotDrift)
{
    using Clock = BlockPacer::Clock;
    const Clock::time_point t0{};
    BlockPacer pacer(512, 44100, t0);
    Clock::time_point due{};
    for (int block = 1; block <= 44100; ++block)
        due = pacer.next(due);
    EXPECT_EQ(due - t0, std::chrono::seconds(512)) << "44100 blocks of 512 frames are exactly 512 s";
}

} // namespace
} // namespace zindlehost

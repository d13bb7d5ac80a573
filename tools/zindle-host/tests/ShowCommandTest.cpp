#include "PlaybackTestSupport.h"
#include "PluginTestSupport.h"

#include "tools/zindle-host/CarrierGenerator.h"
#include "tools/zindle-host/LoopPlayer.h"
#include "tools/zindle-host/ShowSession.h"
#include "tools/zindle-host/SilentOutput.h"

#include "extension/AudioUnitViewController.h"

#include <QCoreApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zindlehost {
namespace {

using test::runInProcess;
using test::waitUntil;
using ::testing::HasSubstr;
using ::testing::StartsWith;

void runMainThread() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// The effect's model, as its view sees it, follows the playback: its 60 Hz poll takes the
// kernel's meter readings into the three levels.
TEST(LivePlayback, TheEffectsMetersFollowThePlayback)
{
    zindle::AudioUnitViewController principal;
    const auto unit = principal.createAudioUnit(zindle::ZindleAudioUnit::description);
    const zindle::Settings& settings = *principal.settings();
    const AudioData voice = readAudioFile(ZINDLE_EXAMPLE_VOICE, "voice file", 2);
    const AudioData carrier = makeCarrierChord(voice.sampleRate, 1.0);
    ASSERT_EQ(settings.voiceInLevel(), 0.0);

    LoopPlayer player(*unit, voice, carrier, std::make_unique<SilentOutput>(voice.sampleRate, 512));
    player.start();
    EXPECT_TRUE(waitUntil(
        [&] { return settings.synthInLevel() > 0.0 && settings.voiceInLevel() > 0.0 && settings.outLevel() > 0.0; },
        runMainThread))
        << "levels " << settings.synthInLevel() << ", " << settings.voiceInLevel() << ", " << settings.outLevel()
        << " after " << player.blocksRendered() << " blocks";
    player.stop();
    EXPECT_EQ(player.failedRenderCalls(), 0u);
}

// What the window sees of the session it is handed, while it runs.
struct WindowView {
    bool called = false;
    bool playing = false;
    bool allocated = false;
    std::uint64_t blocks = 0;
    float outputGain = 0.0f;
    std::filesystem::path voice;
    std::filesystem::path carrier;
    std::size_t voiceFrames = 0;
};

ShowWindow watchingWindow(WindowView& view, int exitCode = 0)
{
    return [&view, exitCode](ShowSession& session, const Console&) {
        view.called = true;
        view.playing = session.isPlaying();
        view.allocated = session.effect().unit().renderResourcesAllocated();
        waitUntil([&] { return session.player().blocksRendered() >= 10; });
        view.blocks = session.player().blocksRendered();
        view.outputGain = findParameter(session.effect().parameterTree(), "outputGain")->value();
        view.voice = session.voicePath();
        view.carrier = session.carrierPath();
        view.voiceFrames = session.player().voice().frames();
        return exitCode;
    };
}

test::CommandResult show(const std::vector<std::string>& arguments, const ShowWindow& window)
{
    std::ostringstream out, err;
    const int code = run(arguments, Console{out, err, false}, window);
    return {code, out.str(), err.str()};
}

class HostShowCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        AudioData example = readAudioFile(ZINDLE_EXAMPLE_VOICE, "voice file", 2);
        example.channels[0].resize(22050);
        voicePath = directory.writeAudio("voice.wav", example);
        carrierPath = directory.writeAudio("carrier.wav", makeCarrierChord(44100, 0.5));
    }

    test::TempDirectory directory;
    std::filesystem::path voicePath;
    std::filesystem::path carrierPath;
    WindowView window;
};

TEST_F(HostShowCommand, PlaysTheFilesThroughTheSetEffectWhileTheWindowRuns)
{
    const auto result = show({"show", "--voice", voicePath.string(), "--carrier", carrierPath.string(), "--set",
                              "outputGain=-6"},
                             watchingWindow(window, 7));
    EXPECT_EQ(result.exitCode, 7) << result.err << "the window's status";
    EXPECT_EQ(result.out, "audio: none, rendering silently in real time\n");
    EXPECT_EQ(result.err, "");
    ASSERT_TRUE(window.called);
    EXPECT_TRUE(window.playing);
    EXPECT_TRUE(window.allocated);
    EXPECT_GE(window.blocks, 10u);
    EXPECT_EQ(window.outputGain, -6.0f);
    EXPECT_EQ(window.voice, voicePath);
    EXPECT_EQ(window.carrier, carrierPath);
}

TEST_F(HostShowCommand, TheExamplesPlayWhenNoFilesAreGiven)
{
    const auto result = show({"show"}, watchingWindow(window));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(window.voice, exampleVoicePath());
    EXPECT_EQ(window.carrier, exampleCarrierPath());
    EXPECT_EQ(window.voice.parent_path().filename(), "examples");
    EXPECT_EQ(window.voiceFrames, readAudioFile(ZINDLE_EXAMPLE_VOICE, "voice file", 2).frames());
    EXPECT_GE(window.blocks, 10u);
}

TEST_F(HostShowCommand, FailuresSayWhyInOneLineAndOpenNoWindow)
{
    const auto text = directory.writeText("words.wav", "not a sound\n");
    const auto missing = (directory / "missing.wav").string();
    const std::string voice = voicePath.string();
    const std::string carrier = carrierPath.string();
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"show", "--voice", missing}, 3, "voice file '" + missing + "' does not exist"},
        {{"show", "--voice", voice, "--carrier", text.string()}, 3,
         "carrier file '" + text.string() + "' is not an audio file this tool can read ("},
        {{"show", "--carrier", missing}, 3, "carrier file '" + missing + "' does not exist"},
        {{"show", "--set", "formantShifts=3"}, 2, "unknown parameter 'formantShifts' (the effect has mainMode,"},
        {{"show", "--set", "mainMode=Disco"}, 2, "bad value 'Disco' for mainMode"},
        {{"show", "--set", "formantShift"}, 2, "bad setting 'formantShift'"},
        {{"show", "--voice", voice, "--voice", voice}, 2, "show: the voice file given twice"},
        {{"show", "--carrier"}, 2, "show: option --carrier needs a value"},
        {{"show", voice}, 2, "show takes no argument '" + voice + "'"},
        {{"show", "--loud"}, 2, "show: unknown option '--loud'"},
    };
    for (const auto& c : cases) {
        const auto result = show(c.arguments, watchingWindow(window));
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_THAT(result.err, StartsWith("zindle-host: "));
        EXPECT_THAT(result.err, HasSubstr(c.message));
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(window.called) << c.message;
    }
}

TEST_F(HostShowCommand, AProgramWithoutAWindowSaysSo)
{
    const auto result = runInProcess({"show"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "zindle-host: show: this program has no window to show the effect in\n");
    EXPECT_EQ(result.out, "");
}

} // namespace
} // namespace zindlehost

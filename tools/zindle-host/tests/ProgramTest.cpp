#include "PluginTestSupport.h"

#include "tools/zindle-host/CarrierGenerator.h"

#include "platform/audiounit/tests/ComponentTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zindlehost {
namespace {

using test::runProgram;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// The real program, as a user runs it.
class HostProgram : public ::testing::Test {
protected:
    test::TempDirectory directory;
};

TEST_F(HostProgram, HelpDocumentsTheCommandsAndExitCodes)
{
    const auto result = runProgram({"--help"}, directory);
    EXPECT_EQ(result.exitCode, 0);
    for (const char* text : {"render <voice> <carrier> -o <out.wav>", "--set <id>=<value>", "--automate", "validate",
                             "list", "params", "show [--voice <file>] [--carrier <file>]", "Exit status:", "  0  success", "  2  bad command line",
                             "  3  an input file", "  4  the output", "  5  the effect"})
        EXPECT_THAT(result.out, HasSubstr(text));
}

TEST_F(HostProgram, RendersTheExampleAsTheUnitDoesInProcess)
{
    // Voiced with the noise down: the render is a pure function of its inputs (see
    // RenderCommandTest.cpp for why).
    AudioData voice = readAudioFile(ZINDLE_EXAMPLE_VOICE, "voice file", 2);
    voice.channels[0].resize(33075);
    const AudioData carrier = makeCarrierChord(22050, 1.0);
    const auto voicePath = directory.writeAudio("voice.wav", voice);
    const auto carrierPath = directory.writeAudio("carrier.wav", carrier);
    const auto output = directory / "rendered.wav";

    const auto result = runProgram({"render", voicePath.string(), carrierPath.string(), "-o", output.string(), "--set",
                                    "voiceMode=Voiced", "--set", "whiteNoiseLevel=-60", "--automate",
                                    "synthInputGain=0:0,1.25:-6"},
                                   directory);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "") << "no progress bar when standard error is not a terminal";
    EXPECT_THAT(result.out, StartsWith("Rendered " + output.string()));

    // In the voiced mode the vocoder does not care where render calls begin, so the render
    // event at 1.25 s (27562.5 frames, rounded up) matches a call cut there in process.
    using A = zindle::ParameterAddress;
    constexpr std::size_t step = 27563;
    const auto expected = test::renderInProcess(voice, carrier, {{A::voiceMode, 0.0f}, {A::whiteNoiseLevel, -60.0f}},
                                                512, test::MidwaySettings{step, {{A::synthInputGain, -6.0f}}});
    const AudioData rendered = readAudioFile(output, "output", 2);
    EXPECT_EQ(rendered.sampleRate, 22050);
    EXPECT_EQ(rendered.channels, expected);
    const auto unautomated =
        test::renderInProcess(voice, carrier, {{A::voiceMode, 0.0f}, {A::whiteNoiseLevel, -60.0f}});
    EXPECT_GE(test::firstDifference(rendered.channels[0], unautomated[0]), step);
    EXPECT_NE(rendered.channels, unautomated) << "the automation is heard";
}

TEST_F(HostProgram, AFailureExitsWithItsCodeAndLeavesNothing)
{
    const auto voicePath = directory.writeAudio("voice.wav", makeCarrierChord(22050, 0.5));
    std::filesystem::create_directory(directory / "out");
    const auto result = runProgram({"render", voicePath.string(), voicePath.string(), "-o",
                                    (directory / "out/x.wav").string(), "--automate", "formantShift=1:0,0.5:3"},
                                   directory);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "zindle-host: bad automation 'formantShift=1:0,0.5:3': times must increase, but 0.5 "
                          "follows 1 (expected <identifier>=<seconds>:<value>[,<seconds>:<value>...])\n");
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(std::filesystem::is_empty(directory / "out"));
}

TEST_F(HostProgram, WritesTheCarrier)
{
    const auto output = directory / "chord.wav";
    const auto result =
        runProgram({"carrier", "-o", output.string(), "--seconds", "0.5", "--rate", "22050"}, directory);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const AudioData chord = readAudioFile(output, "carrier", 2);
    EXPECT_EQ(chord.sampleRate, 22050);
    EXPECT_EQ(chord.frames(), 11025u);
    const AudioData expected = makeCarrierChord(22050, 0.5);
    for (std::size_t i = 0; i < chord.frames(); ++i)
        ASSERT_NEAR(chord.channels[0][i], expected.channels[0][i], 1.0 / 32768.0) << i;
}

// The effect runs in a process of its own: one that crashes or hangs fails the validation and
// the program goes on to report it.
TEST_F(HostProgram, ValidateReportsAnEffectThatCrashesOrHangs)
{
    const std::pair<const char*, const char*> cases[] = {
        {"crash", "Verdict: Validation probably crashed\n"},
        {"hang", "Verdict: TIMED OUT\n"},
    };
    for (const auto& [misbehaviour, verdict] : cases) {
        // Installed under the product's codes, so that validate picks it.
        const std::filesystem::path installed = directory / "Components" / "Zindle.component";
        std::filesystem::remove_all(installed);
        std::filesystem::create_directories(installed);
        const std::string library = std::string("Test_") + misbehaviour + ".so";
        std::filesystem::copy_file(std::filesystem::path(ZINDLE_MISBEHAVING_COMPONENTS_DIR)
                                       / (std::string("Test_") + misbehaviour + ".component") / library,
                                   installed / library);
        au::test::writeFile(installed / "Info.json",
                            au::test::manifestJson(au::test::componentEntry("aufx", "voco", "Vart", "65536",
                                                                            "\"" + library + "\"")));
        const au::test::ScopedEnvironment path("ZINDLE_COMPONENT_PATH", (directory / "Components").string());

        const auto result = runProgram({"validate", "--timeout", "1.5"}, directory);
        EXPECT_EQ(result.exitCode, 1) << misbehaviour << "\n" << result.out << result.err;
        EXPECT_THAT(result.out, StartsWith("Validating \"An effect\" (aufx voco Vart)")) << misbehaviour;
        EXPECT_THAT(result.out, ::testing::EndsWith(verdict)) << misbehaviour;
    }
}

} // namespace
} // namespace zindlehost

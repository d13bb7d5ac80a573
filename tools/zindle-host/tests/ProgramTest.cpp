#include "PluginTestSupport.h"

#include "tools/zindle-host/CarrierGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDeadlineTimer>

#include <csignal>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST_F(HostProgram, RefusesAFractionWhereAParameterTakesWholeNumbers)
{
    const auto voice = directory.writeAudio("voice.wav", makeCarrierChord(22050, 0.25));
    const auto output = (directory / "out.wav").string();
    const struct {
        std::vector<std::string> options;
        std::string message;
    } cases[] = {
        {{"--set", "quality=1.5"}, "bad value '1.5' for quality: expected a whole number from 1 to 48"},
        {{"--automate", "retroMode=0:Nuvo,0.1:0.5"},
         "bad value '0.5' for retroMode: expected one of Nuvo, Tazmania, Talkbox or a whole number from 0 to 2"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"render", voice.string(), voice.string(), "-o", output};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const auto result = runProgram(arguments, directory);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "zindle-host: " + c.message + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(output));
}

// Without a display, show still checks its command line first, then says why it opens nothing.
TEST_F(HostProgram, ShowWithoutADisplayChecksItsArgumentsThenSaysSo)
{
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
    const struct {
        std::vector<std::string> arguments;
        std::string env;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"show", "--loud"}, noDisplay, 2, "show: unknown option '--loud' (see 'zindle-host help')"},
        {{"show", "--voice"}, noDisplay, 2, "show: option --voice needs a value"},
        {{"show", "--set", "outputGain"}, noDisplay, 2, "bad setting 'outputGain' (expected <identifier>=<value>)"},
        {{"show"}, noDisplay, 1, "show cannot open a window: no display"},
        {{"show", "--set", "outputGain=-6"}, noDisplay, 1, "show cannot open a window: no display"},
        {{"show"}, noDisplay + " DISPLAY=:4097", 1, "show cannot open a window: no display"}, // nobody answers
    };
    for (const auto& c : cases) {
        const auto result = runProgram(c.arguments, directory, c.env);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(result.err, "zindle-host: " + c.message + "\n");
        EXPECT_EQ(result.out, "");
    }
}

std::string contents(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Replacing the output would destroy an input that is the same file under another name; the
// refusal comes before anything is read or written.
TEST_F(HostProgram, RefusesAnOutputThatIsOneOfItsInputsByAnyName)
{
    std::filesystem::create_directory(directory / "sub");
    const auto voice = directory.writeAudio("voice.wav", makeCarrierChord(22050, 0.25));
    const auto carrier = directory.writeAudio("carrier.wav", makeCarrierChord(22050, 0.5));
    std::filesystem::create_hard_link(carrier, directory / "linked.wav");
    const std::string voiceBytes = contents(voice);
    const std::string carrierBytes = contents(carrier);
    const struct {
        std::filesystem::path output;
        std::string message;
    } cases[] = {
        {voice, "is the voice file '" + voice.string() + "'"},
        {directory / "sub/../voice.wav", "is the voice file '" + voice.string() + "'"},
        {directory / "linked.wav", "is the carrier file '" + carrier.string() + "'"},
    };
    for (const auto& c : cases) {
        const auto result = runProgram({"render", voice.string(), carrier.string(), "-o", c.output.string()}, directory);
        EXPECT_EQ(result.exitCode, 2) << c.output;
        EXPECT_EQ(result.err, "zindle-host: render: the output '" + c.output.string() + "' " + c.message
                                  + "; the render would replace it (choose another output)\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(contents(voice), voiceBytes);
    EXPECT_EQ(contents(carrier), carrierBytes);
    EXPECT_EQ(directory.entries(), (std::vector<std::string>{"carrier.wav", "linked.wav", "sub", "voice.wav"}));
}

// Ctrl-C or SIGTERM while the output is being written: the temporary file goes, the old output
// stays as it was, and the program ends by the signal (which a shell reports as 130 or 143).
TEST_F(HostProgram, ASignalMidRenderLeavesNoTemporaryFileAndTheOldOutput)
{
    std::filesystem::create_directory(directory / "out");
    // Rendered a frame per call, 30 s of audio take seconds: the signal finds the render running.
    const auto input = directory.writeAudio("long.wav", makeCarrierChord(22050, 30.0));
    const auto output = directory / "out/result.wav";
    const std::string oldOutput = "the previous render\n";
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signalNumber));
        std::ofstream(output, std::ios::binary) << oldOutput;

        const std::vector<std::string> arguments{ZINDLE_HOST_PROGRAM, "render", input.string(), input.string(), "-o",
                                                 output.string(), "--block-size", "1"};
        std::vector<char*> argv;
        for (const auto& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);

        // Wait for the temporary file: from then on the render is writing.
        const auto temporaryExists = [&] {
            for (const auto& entry : std::filesystem::directory_iterator(directory / "out"))
                if (entry.path().filename().string().starts_with(".result.wav."))
                    return true;
            return false;
        };
        int status = 0;
        const QDeadlineTimer deadline(std::chrono::seconds(60)); // only keeps a broken run from hanging
        while (!temporaryExists() && !deadline.hasExpired()) {
            ASSERT_EQ(waitpid(child, &status, WNOHANG), 0) << "the render ended unsignalled, status " << status;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_TRUE(temporaryExists());
        kill(child, signalNumber);
        ASSERT_EQ(waitpid(child, &status, 0), child);

        EXPECT_TRUE(WIFSIGNALED(status)) << "status " << status;
        EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : 0, signalNumber);
        EXPECT_EQ(test::TempDirectory::entriesOf(directory / "out"), std::vector<std::string>{"result.wav"});
        EXPECT_EQ(contents(output), oldOutput);
    }
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

} // namespace
} // namespace zindlehost

#include "PluginTestSupport.h"

#include "tools/zindle-host/CarrierGenerator.h"
#include "tools/zindle-host/EffectInstance.h"

#include "platform/audiounit/tests/ComponentTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDeadlineTimer>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

std::string contents(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The effect's library damaged on disk, cut short or not a library at all: every command that
// opens the effect says so and exits 5, none dies of the cut (SIGBUS in the dynamic loader).
TEST_F(HostProgram, ADamagedEffectLibraryIsAnErrorOfEveryCommandThatOpensIt)
{
    const au::ComponentManifest installed = findInstalledEffect(au::ComponentRegistry(), zindleEffect);
    const std::string library = contents(installed.libraryPath);
    const auto voice = directory.writeAudio("voice.wav", makeCarrierChord(22050, 0.2));
    const auto output = directory / "out.wav";

    const struct {
        const char* what;
        std::string contents;
        std::string reason;
    } damages[] = {
        {"cut short", library.substr(0, library.size() / 2),
         "it is " + std::to_string(library.size() / 2) + " bytes long, but its segment "},
        {"not a library", "not a library\n", "it is not an ELF file"},
    };
    for (const auto& damage : damages) {
        const auto components = directory / "Components";
        const auto bundle = components / installed.bundlePath.filename();
        std::filesystem::create_directories(bundle);
        std::filesystem::copy_file(installed.bundlePath / "Info.json", bundle / "Info.json",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(bundle / installed.libraryPath.filename(), std::ios::binary | std::ios::trunc) << damage.contents;
        const std::string expected = "zindle-host: component \"Vart: Zindle\" (aufx voco Vart) cannot be loaded: its "
                                     "library " + (bundle / installed.libraryPath.filename()).string()
                                     + " is truncated or not a shared library (" + damage.reason;
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"params"}, {"validate"},
              {"render", voice.string(), voice.string(), "-o", output.string()}}) {
            const auto result = runProgram(command, directory, {"ZINDLE_COMPONENT_PATH=" + components.string()});
            EXPECT_EQ(result.exitCode, 5) << damage.what << ", " << command[0] << "\n" << result.err;
            EXPECT_THAT(result.err, StartsWith(expected)) << damage.what << ", " << command[0];
            EXPECT_EQ(result.out, "") << damage.what << ", " << command[0];
        }
        EXPECT_FALSE(std::filesystem::exists(output)) << damage.what;
    }
}

// A rate the effect does not run at, as the header of a small file may claim, is refused in
// words before anything is sized for it: at 2 GHz the effect alone would take gigabytes.
TEST_F(HostProgram, AnInputAtARateTheEffectCannotRunAtIsAnInputError)
{
    const auto file = [&](const std::string& name, double rate) {
        return directory.writeAudio(name, test::makeAudio(rate, {std::vector<float>(1000, 0.25f)}),
                                    test::TempDirectory::SampleFormat::pcm16);
    };
    const auto gigahertz = file("2GHz.wav", 2e9);
    const auto oneHertz = file("1Hz.wav", 1.0);
    const auto ordinary = file("ordinary.wav", 22050.0);
    const auto output = directory / "out.wav";
    const struct {
        std::filesystem::path voice;
        std::filesystem::path carrier;
        std::string error;
    } cases[] = {
        {gigahertz, gigahertz,
         "voice file '" + gigahertz.string() + "' runs at 2000000000 Hz; the effect runs at 8000 to 768000 Hz"},
        {oneHertz, oneHertz, "voice file '" + oneHertz.string() + "' runs at 1 Hz; the effect runs at 8000 to 768000 Hz"},
        // The carrier follows the voice's rate, as far as it can be resampled.
        {ordinary, gigahertz, "cannot resample the carrier from 2000000000 Hz to 22050 Hz"},
        {ordinary, oneHertz, "cannot resample the carrier from 1 Hz to 22050 Hz"},
    };
    for (const auto& input : cases) {
        const auto result =
            runProgram({"render", input.voice.string(), input.carrier.string(), "-o", output.string()}, directory);
        EXPECT_EQ(result.exitCode, 3) << input.error;
        EXPECT_EQ(result.err, "zindle-host: " + input.error + "\n");
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

// A damaged installation of the effect fails validation, naming the broken file, before a host
// opens the view. A copy of this program and its validator outside the build tree, beside a
// copy of the plug-in bundle, finds the bundle's own resources as a foreign host does.
TEST_F(HostProgram, ValidateReadsTheResourcesTheViewWillReadAndNamesABrokenFile)
{
    namespace fs = std::filesystem;
    const au::ComponentManifest installed = findInstalledEffect(au::ComponentRegistry(), zindleEffect);
    const fs::path program = directory / "program" / "zindle-host";
    fs::create_directories(program.parent_path());
    fs::copy_file(ZINDLE_HOST_PROGRAM, program);
    fs::copy_file(ZINDLE_VALIDATOR_PROGRAM, program.parent_path() / "zindle-validator");
    const fs::path components = directory / "Components";
    const fs::path resources = components / installed.bundlePath.filename() / "Resources";
    const fs::path framework = resources / "Mossbell_Mossbell.bundle";
    const fs::path extension = resources / "zindleExtension_zindleExtension.bundle";
    const auto write = [](const fs::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    };

    const struct {
        const char* damage;
        std::function<void()> apply;
        std::string line; // the start of the resources line
    } cases[] = {
        {"none", [] {},
         "PASS  resources: Mossbell_Mossbell.bundle: 15 colours, 329 images, 3 fonts; "
         "zindleExtension_zindleExtension.bundle: 6 colours, 499 images\n"},
        {"a font that is none", [&] { write(framework / "Fonts" / "Dosis-Medium.otf", "not a font"); },
         "FAIL  resources: " + (framework / "Fonts" / "Dosis-Medium.otf").string() + " cannot be registered as a font\n"},
        {"an image cut short",
         [&] {
             const fs::path image = extension / "Assets" / "retro-background@2x.png";
             fs::resize_file(image, fs::file_size(image) / 2);
         },
         "FAIL  resources: " + (extension / "Assets" / "retro-background@2x.png").string()
             + " does not read as an image ("},
        {"a colour table cut short", [&] { write(framework / "Assets" / "colors.json", "{\"background\": "); },
         "FAIL  resources: " + (framework / "Assets" / "colors.json").string() + " is not a colour table ("},
        {"no Resources folder", [&] { fs::remove_all(resources); },
         "FAIL  resources: Mossbell_Mossbell.bundle is missing: it is in none of " + program.parent_path().string()
             + ", " + resources.string() + "; zindleExtension_zindleExtension.bundle is missing: "},
    };
    for (const auto& c : cases) {
        fs::remove_all(components);
        fs::create_directories(components);
        fs::copy(installed.bundlePath, components / installed.bundlePath.filename(), fs::copy_options::recursive);
        c.apply();
        const auto result =
            test::runProgram({"validate"}, directory, {"ZINDLE_COMPONENT_PATH=" + components.string()}, program);
        EXPECT_EQ(result.exitCode, std::string(c.damage) == "none" ? 0 : 1) << c.damage << "\n" << result.out;
        EXPECT_THAT(result.out, HasSubstr("\n" + c.line)) << c.damage;
    }
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
    const std::vector<std::string> noDisplay{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"};
    const auto with = [&](const std::string& variable) {
        auto environment = noDisplay;
        environment.push_back(variable);
        return environment;
    };
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> env;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"show", "--loud"}, noDisplay, 2, "show: unknown option '--loud' (see 'zindle-host help')"},
        {{"show", "--voice"}, noDisplay, 2, "show: option --voice needs a value"},
        {{"show", "--set", "outputGain"}, noDisplay, 2, "bad setting 'outputGain' (expected <identifier>=<value>)"},
        {{"show"}, noDisplay, 1, "show cannot open a window: no display"},
        {{"show", "--set", "outputGain=-6"}, noDisplay, 1, "show cannot open a window: no display"},
        {{"show"}, with("DISPLAY=:4097"), 1, "show cannot open a window: no display"}, // nobody answers
    };
    for (const auto& c : cases) {
        const auto result = runProgram(c.arguments, directory, c.env);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(result.err, "zindle-host: " + c.message + "\n");
        EXPECT_EQ(result.out, "");
    }
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

// The effect runs in a process of its own: one that crashes or hangs fails the validation and
// the program goes on to report it.
TEST_F(HostProgram, ValidateReportsAnEffectThatCrashesOrHangs)
{
    // Only the effect that hangs gets a short limit; the crash must come however loaded the
    // machine is.
    const struct {
        const char* misbehaviour;
        const char* verdict;
        const char* timeout;
    } cases[] = {
        {"crash", "Verdict: Validation probably crashed\n", "30"},
        {"hang", "Verdict: TIMED OUT\n", "1.5"},
    };
    for (const auto& [misbehaviour, verdict, timeout] : cases) {
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

        const auto result = runProgram({"validate", "--timeout", timeout}, directory);
        EXPECT_EQ(result.exitCode, 1) << misbehaviour << "\n" << result.out << result.err;
        EXPECT_THAT(result.out, StartsWith("Validating \"An effect\" (aufx voco Vart)")) << misbehaviour;
        EXPECT_THAT(result.out, ::testing::EndsWith(verdict)) << misbehaviour;
    }
}

} // namespace
} // namespace zindlehost

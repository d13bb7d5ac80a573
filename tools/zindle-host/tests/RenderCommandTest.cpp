#include "PluginTestSupport.h"

#include "tools/zindle-host/CarrierGenerator.h"
#include "tools/zindle-host/LevelMeter.h"
#include "tools/zindle-host/LoopResampler.h"

#include "dsp/tests/TestSignals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

namespace zindlehost {
namespace {

using A = zindle::ParameterAddress;
using test::CommandResult;
using test::runInProcess;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// These renders load the installed effect and compare its output sample for sample, so it
// must be a pure function of input and settings. Two generators in it are seeded afresh for
// every instance: the vocoder's noise (from the clock) and the spectral shifter's (from the
// random device). The noise is drawn only in the Unvoiced mode and for unvoiced blocks in
// Auto Noise (LPCVocoderProcessor::blockStep): the renders here stay in Voiced (the default,
// and what the Retro preset loads) or Auto Voice, and keep the noise level at -60 dB where
// they can. The spectral shifter keeps its generator for time stretching, which it never does,
// so formant shifts render the same every time.
class HostRenderCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(directory / "in");
        std::filesystem::create_directory(directory / "out");
        // Two seconds of the example voice and a short chord at the voice's rate.
        AudioData example = readAudioFile(ZINDLE_EXAMPLE_VOICE, "voice file", 2);
        example.channels[0].resize(44100);
        voice = example;
        carrier = makeCarrierChord(22050, 0.75);
        voicePath = directory.writeAudio("in/voice.wav", voice);
        carrierPath = directory.writeAudio("in/carrier.wav", carrier);
    }

    CommandResult render(const std::vector<std::string>& options, const std::string& output = "out/result.wav")
    {
        std::vector<std::string> arguments{"render", voicePath.string(), carrierPath.string(), "-o",
                                           (directory / output).string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return runInProcess(arguments);
    }

    // Renders with options and returns both output channels.
    std::vector<std::vector<float>> rendered(const std::vector<std::string>& options)
    {
        const CommandResult result = render(options);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        if (result.exitCode != 0)
            return {};
        const AudioData output = readAudioFile(directory / "out/result.wav", "output", 2);
        EXPECT_EQ(output.sampleRate, voice.sampleRate);
        EXPECT_EQ(output.frames(), voice.frames());
        return output.channels;
    }

    test::TempDirectory directory;
    AudioData voice;
    AudioData carrier;
    std::filesystem::path voicePath;
    std::filesystem::path carrierPath;
};

const std::vector<std::string> deterministic{"--set", "voiceMode=Voiced", "--set", "whiteNoiseLevel=-60",
                                             "--set", "formantShift=0"};
const test::Settings deterministicSettings{{A::voiceMode, 0.0f}, {A::whiteNoiseLevel, -60.0f}, {A::formantShift, 0.0f}};

// Retro, as the mode preset loads it after mainMode itself.
const test::Settings retroSettings{{A::mainMode, 0.0f},  {A::retroMode, 2.0f},        {A::voiceMode, 0.0f},
                                   {A::whiteNoiseLevel, -20.0f}, {A::whiteNoiseThreshold, 0.3f}, {A::quality, 30.0f},
                                   {A::formantShift, -200.0f}, {A::crush, 1.0f},            {A::compress, 1.0f},
                                   {A::lowPassFilter, 1.0f},   {A::highPassFilter, 1.0f}};

TEST_F(HostRenderCommand, OutputIsWhatTheUnitGivesInProcess)
{
    for (const au::FrameCount blockSize : {512u, 100u}) {
        auto options = deterministic;
        options.insert(options.end(), {"--set", "outputGain=-3", "--block-size", std::to_string(blockSize)});
        auto settings = deterministicSettings;
        settings.emplace_back(A::outputGain, -3.0f);
        const auto expected = test::renderInProcess(voice, carrier, settings, blockSize);
        EXPECT_EQ(rendered(options), expected) << "block size " << blockSize;
        EXPECT_GT(zindle::test::peak(expected[0]), 0.01f) << "the comparison is of sound, not silence";
    }
    EXPECT_THAT(directory.entries(), ElementsAre("in", "out"));
    EXPECT_EQ(std::vector<std::string>{"result.wav"}, [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory / "out"))
            names.push_back(entry.path().filename().string());
        return names;
    }()) << "no temporary file stays beside the output";
}

TEST_F(HostRenderCommand, AModeSetThroughTheTreeLoadsItsPreset)
{
    EXPECT_EQ(rendered({"--set", "mainMode=Retro"}), test::renderInProcess(voice, carrier, retroSettings));
}

TEST_F(HostRenderCommand, ValueStringsMeanTheirIndex)
{
    const auto named = rendered({"--set", "mainMode=Retro", "--set", "retroMode=Nuvo"});
    EXPECT_EQ(named, rendered({"--set", "mainMode=0", "--set", "retroMode=0"}));
    EXPECT_EQ(named, rendered({"--set", "mainMode=retro", "--set", "retroMode=NUVO"})) << "any case";
    EXPECT_NE(named, rendered({"--set", "mainMode=Retro", "--set", "retroMode=Talkbox"})) << "the names choose";
}

TEST_F(HostRenderCommand, AutomationStepsAtItsExactSample)
{
    // 0.5 s is frame 11025 at 22050 Hz: within the 22nd render call of 512 frames.
    constexpr std::size_t step = 11025;
    auto automated = deterministic;
    automated.insert(automated.end(), {"--automate", "outputGain=0:0,0.5:-12"});
    auto quieter = deterministic;
    quieter.insert(quieter.end(), {"--set", "outputGain=-12"});

    const auto withStep = rendered(automated);
    const auto before = rendered(deterministic);
    const auto after = rendered(quieter);
    ASSERT_EQ(withStep.size(), 2u);
    for (std::size_t c = 0; c < 2; ++c) {
        EXPECT_EQ(test::firstDifference(withStep[c], before[c]), step);
        EXPECT_TRUE(std::equal(withStep[c].begin() + step, withStep[c].end(), after[c].begin() + step));
    }
}

// A point at or past the end is never due, however far past: its frame must not wrap round to
// the start.
TEST_F(HostRenderCommand, AutomationPastTheEndIsNeverDue)
{
    const auto plain = rendered(deterministic);
    for (const char* late : {"2", "1e15", "1e20"}) {
        auto automated = deterministic;
        automated.insert(automated.end(), {"--automate", std::string("outputGain=") + late + ":-12"});
        EXPECT_EQ(rendered(automated), plain) << late << " s";
    }
}

TEST_F(HostRenderCommand, AnAutomatedModeLoadsItsPresetAtItsSample)
{
    // A mode's preset is loaded by the effect's model, which only a set through the tree
    // reaches: the render is cut at the step and the preset takes effect from its sample.
    constexpr std::size_t step = 11025;
    const auto automated = rendered({"--automate", "mainMode=0:Modern,0.5:Retro"});
    const auto expected = test::renderInProcess(voice, carrier, {{A::mainMode, 1.0f}}, 512,
                                                test::MidwaySettings{step, retroSettings});
    EXPECT_EQ(automated, expected);
    EXPECT_EQ(test::firstDifference(automated[0], rendered({})[0]), step);
}

TEST_F(HostRenderCommand, TheCarrierIsResampledToTheVoicesRateAndLooped)
{
    // A 44100 Hz voice against a 0.3 s carrier at 22050 Hz.
    AudioData voice44{44100, {dsp::test::resonantPulseVoice(44100, 120.0, 44100.0, {700.0, 1200.0, 2600.0})}};
    const AudioData shortCarrier = makeCarrierChord(22050, 0.3);
    const auto voicePath44 = directory.writeAudio("in/voice44.wav", voice44);
    const auto shortCarrierPath = directory.writeAudio("in/short.wav", shortCarrier);
    const auto outputPath = directory / "out/resampled.wav";

    const CommandResult result = runInProcess({"render", voicePath44.string(), shortCarrierPath.string(), "-o",
                                               outputPath.string(), "--set", "whiteNoiseLevel=-60"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("resampled to 44100 Hz, looped"));
    const AudioData output = readAudioFile(outputPath, "output", 2);
    EXPECT_EQ(output.sampleRate, 44100);
    ASSERT_EQ(output.frames(), 44100u);
    const AudioData fitted = fitCarrier(shortCarrier, 44100, 44100);
    EXPECT_EQ(output.channels, test::renderInProcess(voice44, fitted, {{A::whiteNoiseLevel, -60.0f}}));
}

TEST_F(HostRenderCommand, TheSummaryGivesLevelsLengthAndSpeed)
{
    const CommandResult result = render(deterministic);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "") << "no progress bar off a terminal";

    LevelMeter voiceLevels;
    voiceLevels.add(voice);
    LevelMeter outputLevels;
    outputLevels.add(readAudioFile(directory / "out/result.wav", "output", 2));
    char voiceLine[128], outputLine[128];
    std::snprintf(voiceLine, sizeof voiceLine,
                  "  voice    peak %7.1f dBFS   RMS %7.1f dBFS   1 ch   22050 Hz     2.000 s", voiceLevels.peakDb(),
                  voiceLevels.rmsDb());
    std::snprintf(outputLine, sizeof outputLine,
                  "  output   peak %7.1f dBFS   RMS %7.1f dBFS   2 ch   22050 Hz     2.000 s", outputLevels.peakDb(),
                  outputLevels.rmsDb());
    EXPECT_THAT(result.out, StartsWith("Rendered " + (directory / "out/result.wav").string() + "\n"));
    EXPECT_THAT(result.out, HasSubstr(voiceLine));
    EXPECT_THAT(result.out, HasSubstr(outputLine));
    EXPECT_THAT(result.out, HasSubstr("  carrier  peak    -6.0 dBFS"));
    EXPECT_THAT(result.out, HasSubstr("  0.750 s   looped   "));
    EXPECT_THAT(result.out, HasSubstr("  length   2.000 s (44100 frames)\n"));
    EXPECT_THAT(result.out, HasSubstr("x real time\n"));
}

TEST_F(HostRenderCommand, FailuresSayWhyInOneLineAndLeaveNoFileBehind)
{
    const auto text = directory.writeText("in/words.wav", "not a sound\n");
    const auto missing = (directory / "in/missing.wav").string();
    const auto out = (directory / "out/result.wav").string();
    const std::string voiceFile = voicePath.string();
    const std::string carrierFile = carrierPath.string();
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"render", missing, carrierFile, "-o", out}, 3, "voice file '" + missing + "' does not exist"},
        {{"render", voiceFile, text.string(), "-o", out}, 3,
         "carrier file '" + text.string() + "' is not an audio file this tool can read ("},
        {{"render", voiceFile, carrierFile, "-o", out, "--set", "formantShifts=3"}, 2,
         "unknown parameter 'formantShifts' (the effect has mainMode, quality, whiteNoiseLevel, "
         "whiteNoiseThreshold, outputGain, voiceInputGain, synthInputGain, voiceMode, formantShift, "
         "highPassFilter, lowPassFilter, crush, compress, retroMode, freeze)"},
        {{"render", voiceFile, carrierFile, "-o", out, "--automate", "shift=0:1"}, 2, "unknown parameter 'shift'"},
        {{"render", voiceFile, carrierFile, "-o", out, "--set", "mainMode=Disco"}, 2,
         "bad value 'Disco' for mainMode: expected one of Retro, Modern or a number from 0 to 1"},
        {{"render", voiceFile, carrierFile, "-o", out, "--set", "formantShift=-3000"}, 2,
         "bad value '-3000' for formantShift: expected a number from -1200 to 1200"},
        {{"render", voiceFile, carrierFile, "-o", out, "--automate", "formantShift=0:0,1:high"}, 2,
         "bad value 'high' for formantShift"},
        {{"render", voiceFile, carrierFile, "-o", out, "--automate", "formantShift=0:0,2.5"}, 2,
         "bad automation 'formantShift=0:0,2.5': point '2.5' has no ':' between time and value"},
        {{"render", voiceFile, carrierFile, "-o", out, "--set", "formantShift"}, 2, "bad setting 'formantShift'"},
        {{"render", voiceFile, carrierFile, "-o", out, "--block-size", "0"}, 2,
         "bad value '0' for --block-size: expected a number from 1 to 8192"},
        {{"render", voiceFile, carrierFile, "-o", out, "--loud"}, 2, "render: unknown option '--loud'"},
        {{"render", voiceFile, carrierFile}, 2, "render needs an output file: -o <out.wav>"},
        {{"render", voiceFile, "-o", out}, 2, "render needs a voice file and a carrier file"},
        {{"render", voiceFile, carrierFile, "-o", (directory / "out/nowhere/x.wav").string()}, 4,
         "nowhere' does not exist"},
        {{"render", voiceFile, carrierFile, "-o", (directory / "out/result.flac").string()}, 4,
         "only WAV files are written"},
        {{"render", voiceFile, carrierFile, "-o", out, "-o", out}, 2, "render: the output given twice"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate' (see 'zindle-host help')"},
        {{}, 2, "no command given"},
    };
    for (const auto& c : cases) {
        const CommandResult result = runInProcess(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_THAT(result.err, StartsWith("zindle-host: "));
        EXPECT_THAT(result.err, HasSubstr(c.message));
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(std::filesystem::is_empty(directory / "out")) << c.message;
    }
}

TEST_F(HostRenderCommand, AnUnwritableOutputDirectoryIsReported)
{
    // Root may write where the mode bits say no; sysfs refuses new files even to root.
    std::filesystem::path locked = directory / "out";
    if (geteuid() == 0)
        locked = "/sys";
    else
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const CommandResult result = render(deterministic, (locked / "result.wav").string());
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_EQ(result.err,
              "zindle-host: cannot write output '" + (locked / "result.wav").string() + "': Permission denied\n");
    std::filesystem::permissions(directory / "out", std::filesystem::perms::owner_all);
    EXPECT_TRUE(std::filesystem::is_empty(directory / "out"));
}

} // namespace
} // namespace zindlehost

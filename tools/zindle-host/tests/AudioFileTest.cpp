#include "TempDirectory.h"

#include "tools/zindle-host/AudioFile.h"
#include "tools/zindle-host/HostError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zindlehost {
namespace {

using test::TempDirectory;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The error a call throws, as the tool would print and return it.
template <typename F>
HostError errorOf(F&& call)
{
    try {
        call();
    } catch (const HostError& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return HostError(ExitCode::success, "");
}

TEST(AudioFile, FloatFilesRoundTripExactlyAndSixteenBitToTheLsb)
{
    TempDirectory directory;
    const auto audio = test::makeAudio(48000, {{0.5f, -0.25f, 1e-7f, 0.999f}, {0.0f, -1.0f, 0.125f, 0.3333333f}});
    const auto floatPath = directory.writeAudio("float.wav", audio);
    const AudioData floatBack = readAudioFile(floatPath, "voice file", 2);
    EXPECT_EQ(floatBack.sampleRate, 48000);
    EXPECT_EQ(floatBack.channels, audio.channels);

    const auto pcmPath = directory.writeAudio("pcm.wav", audio, AudioFileWriter::SampleFormat::pcm16);
    const AudioData pcmBack = readAudioFile(pcmPath, "voice file", 2);
    ASSERT_EQ(pcmBack.channelCount(), 2u);
    ASSERT_EQ(pcmBack.frames(), 4u);
    for (std::size_t c = 0; c < 2; ++c)
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(pcmBack.channels[c][i], audio.channels[c][i], 1.0 / 32768.0) << c << " " << i;
}

TEST(AudioFile, LongFilesAreReadWhole)
{
    TempDirectory directory;
    std::vector<float> ramp(200'000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i % 1000) / 1000.0f;
    const auto path = directory.writeAudio("long.wav", test::makeAudio(22050, {ramp}));
    EXPECT_EQ(readAudioFile(path, "voice file", 2).channels.front(), ramp);
}

TEST(AudioFile, InputErrorsNameTheFileAndTheFault)
{
    TempDirectory directory;
    const auto text = directory.writeText("notes.wav", "these are words, not samples\n");
    const auto empty = directory.writeAudio("empty.wav", test::makeAudio(44100, {{}}));
    const auto threeChannels = directory.writeAudio("three.wav", test::makeAudio(44100, {{0.1f}, {0.2f}, {0.3f}}));
    std::filesystem::create_directory(directory / "folder.wav");

    const struct {
        std::filesystem::path path;
        std::string message;
    } cases[] = {
        {directory / "missing.wav", "voice file '" + (directory / "missing.wav").string() + "' does not exist"},
        {directory / "folder.wav", "is a directory, not an audio file"},
        {text, "voice file '" + text.string() + "' is not an audio file this tool can read ("},
        {empty, "' holds no audio"},
        {threeChannels, "' has 3 channels; this input takes at most 2"},
    };
    for (const auto& c : cases) {
        const HostError error = errorOf([&] { readAudioFile(c.path, "voice file", 2); });
        EXPECT_EQ(error.code(), ExitCode::inputFile) << c.path;
        EXPECT_THAT(error.what(), HasSubstr(c.message));
        EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos) << "one line";
    }
}

TEST(AudioFile, NothingAppearsUntilCommitAndNothingStaysWithoutIt)
{
    TempDirectory directory;
    const auto destination = directory / "out.wav";
    {
        AudioFileWriter writer(destination, 44100, 2);
        const float left[] = {0.1f, 0.2f};
        const float right[] = {0.3f, 0.4f};
        const float* channels[] = {left, right};
        writer.write(channels, 2);
        EXPECT_FALSE(std::filesystem::exists(destination)) << "no half file under the destination's name";
        EXPECT_EQ(writer.temporaryPath().parent_path(), directory.path()) << "renamed within one file system";
        EXPECT_EQ(directory.entries().size(), 1u);
    }
    EXPECT_THAT(directory.entries(), ElementsAre()) << "an abandoned writer removes its temporary file";

    {
        AudioFileWriter writer(destination, 44100, 1);
        writer.write(test::makeAudio(44100, {{0.5f, 0.25f}}));
        writer.commit();
    }
    EXPECT_THAT(directory.entries(), ElementsAre("out.wav"));
    EXPECT_EQ(readAudioFile(destination, "output", 2).channels, (std::vector<std::vector<float>>{{0.5f, 0.25f}}));

    struct stat info{};
    ASSERT_EQ(stat(destination.c_str(), &info), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "the permissions of any new file, not the temporary file's";
}

TEST(AudioFile, CommitReplacesAnExistingFileWhole)
{
    TempDirectory directory;
    const auto destination = directory.writeAudio("out.wav", test::makeAudio(44100, {{0.9f, 0.9f, 0.9f}}));
    AudioFileWriter writer(destination, 22050, 1);
    writer.write(test::makeAudio(22050, {{0.1f}}));
    EXPECT_EQ(readAudioFile(destination, "output", 2).frames(), 3u) << "the old file stays readable meanwhile";
    writer.commit();
    const AudioData replaced = readAudioFile(destination, "output", 2);
    EXPECT_EQ(replaced.sampleRate, 22050);
    EXPECT_EQ(replaced.channels, (std::vector<std::vector<float>>{{0.1f}}));
}

TEST(AudioFile, OutputErrorsNameTheFileAndLeaveNothingBehind)
{
    TempDirectory directory;
    const auto plainFile = directory.writeText("plain", "x");
    std::filesystem::create_directory(directory / "out.wav");
    const struct {
        std::filesystem::path path;
        std::string message;
    } cases[] = {
        {directory / "out.mp3", "only WAV files are written"},
        {directory / "missing" / "out.wav", "missing' does not exist"},
        {plainFile / "out.wav", "plain' is not a directory"},
        {directory / "out.wav", "it is a directory"},
    };
    for (const auto& c : cases) {
        const HostError error = errorOf([&] { AudioFileWriter writer(c.path, 44100, 2); });
        EXPECT_EQ(error.code(), ExitCode::outputFile);
        EXPECT_THAT(error.what(), HasSubstr("cannot write output '" + c.path.string() + "': "));
        EXPECT_THAT(error.what(), HasSubstr(c.message));
    }
    EXPECT_THAT(directory.entries(), ElementsAre("out.wav", "plain"));
}

TEST(AudioFile, AnUnwritableDirectoryIsReported)
{
    TempDirectory directory;
    // Root writes anywhere it has a mode bit for; sysfs refuses new files even to root.
    std::filesystem::path locked = directory / "locked";
    if (geteuid() == 0) {
        locked = "/sys";
    } else {
        std::filesystem::create_directory(locked);
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    const HostError error = errorOf([&] { AudioFileWriter writer(locked / "out.wav", 44100, 2); });
    EXPECT_EQ(error.code(), ExitCode::outputFile);
    EXPECT_EQ(std::string(error.what()),
              "cannot write output '" + (locked / "out.wav").string() + "': Permission denied");
    if (geteuid() != 0) {
        EXPECT_TRUE(std::filesystem::is_empty(locked));
        std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    }
}

} // namespace
} // namespace zindlehost

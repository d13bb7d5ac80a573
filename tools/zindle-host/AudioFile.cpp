#include "tools/zindle-host/AudioFile.h"

#include "tools/zindle-host/HostError.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zindlehost {

namespace {

std::string quoted(const std::filesystem::path& path)
{
    std::string text(1, '\'');
    text += path.string();
    text += '\'';
    return text;
}

// libsndfile ends its messages with a full stop; ours are one line without.
std::string sndfileMessage(SNDFILE* file)
{
    std::string message = sf_strerror(file);
    while (!message.empty() && (message.back() == '.' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

bool hasWavExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".wav";
}

} // namespace

void inputError(const std::string& role, const std::filesystem::path& path, const std::string& what)
{
    throw HostError(ExitCode::inputFile, role + " " + quoted(path) + " " + what);
}

AudioData readAudioFile(const std::filesystem::path& path, const std::string& role, std::size_t maxChannels)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        inputError(role, path, "does not exist");
    if (std::filesystem::is_directory(status))
        inputError(role, path, "is a directory, not an audio file");

    SF_INFO info{};
    errno = 0;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        if (sf_error(nullptr) == SF_ERR_SYSTEM && errno != 0)
            inputError(role, path, std::string("cannot be read: ") + std::strerror(errno));
        inputError(role, path, "is not an audio file this tool can read (" + sndfileMessage(nullptr) + ")");
    }
    struct Closer {
        SNDFILE* file;
        ~Closer() { sf_close(file); }
    } closer{file};

    const auto channels = static_cast<std::size_t>(std::max(info.channels, 0));
    if (channels == 0 || info.frames <= 0)
        inputError(role, path, "holds no audio");
    if (channels > maxChannels)
        inputError(role, path, "has " + std::to_string(channels) + " channels; this input takes at most "
                                   + std::to_string(maxChannels));

    // Read in chunks: the frame count in a damaged header may promise more than there is.
    constexpr sf_count_t chunkFrames = 65536;
    std::vector<float> chunk(static_cast<std::size_t>(chunkFrames) * channels);
    AudioData audio;
    audio.sampleRate = info.samplerate;
    audio.channels.assign(channels, {});
    // Trusted only so far as a reservation goes: a damaged header must not cost gigabytes.
    constexpr sf_count_t largestReservation = sf_count_t{1} << 24;
    for (auto& channel : audio.channels)
        channel.reserve(static_cast<std::size_t>(std::min(info.frames, largestReservation)));
    for (;;) {
        const sf_count_t read = sf_readf_float(file, chunk.data(), chunkFrames);
        if (read <= 0)
            break;
        for (sf_count_t i = 0; i < read; ++i)
            for (std::size_t c = 0; c < channels; ++c)
                audio.channels[c].push_back(chunk[static_cast<std::size_t>(i) * channels + c]);
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        inputError(role, path, "cannot be read: " + sndfileMessage(file));
    if (audio.frames() == 0)
        inputError(role, path, "holds no audio");
    return audio;
}

AudioFileWriter::AudioFileWriter(std::filesystem::path destination, double sampleRate, std::size_t channels,
                                 SampleFormat format)
    : destination_(std::move(destination)), channels_(channels)
{
    if (!hasWavExtension(destination_))
        fail("only WAV files are written (name it .wav)");
    if (std::filesystem::is_directory(destination_))
        fail("it is a directory");
    const std::filesystem::path directory =
        destination_.has_parent_path() ? destination_.parent_path() : std::filesystem::path(".");
    std::error_code error;
    const auto directoryStatus = std::filesystem::status(directory, error);
    if (!std::filesystem::is_directory(directoryStatus))
        fail(quoted(directory)
             + (std::filesystem::exists(directoryStatus) ? " is not a directory" : " does not exist"));

    // Hidden and unique beside the destination, so that the final rename stays on one file system.
    std::string hiddenName = destination_.filename().string();
    hiddenName.insert(hiddenName.begin(), '.');
    hiddenName += ".XXXXXX";
    std::string pattern = (directory / hiddenName).string();
    int descriptor = -1;
    int createError = 0;
    {
        // Guarded as it is made: an interrupt can never find the file unguarded.
        const RemoveOnSignal::HoldSignals held;
        descriptor = mkstemp(pattern.data());
        createError = errno;
        if (descriptor >= 0)
            removeOnSignal_.emplace(pattern);
    }
    if (descriptor < 0)
        fail(std::strerror(createError));
    temporary_ = pattern;

    // mkstemp makes the file private; the output gets the permissions any new file would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);

    SF_INFO info{};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = static_cast<int>(channels);
    info.format = SF_FORMAT_WAV | (format == SampleFormat::float32 ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16);
    descriptor_ = descriptor;
    file_ = sf_open_fd(descriptor, SFM_WRITE, &info, SF_FALSE);
    if (!file_) {
        const std::string message = sndfileMessage(nullptr);
        close(descriptor_);
        std::filesystem::remove(temporary_, error);
        fail(message);
    }
    if (format == SampleFormat::pcm16) // full-scale floats become full-scale integers, never wrap
        sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter()
{
    if (file_)
        sf_close(file_);
    if (descriptor_ >= 0)
        close(descriptor_);
    if (!committed_ && !temporary_.empty()) {
        std::error_code error;
        std::filesystem::remove(temporary_, error);
    }
}

void AudioFileWriter::fail(const std::string& what) const
{
    throw HostError(ExitCode::outputFile, "cannot write output " + quoted(destination_) + ": " + what);
}

void AudioFileWriter::write(const float* const* channels, std::size_t frames)
{
    interleaved_.resize(frames * channels_);
    for (std::size_t i = 0; i < frames; ++i)
        for (std::size_t c = 0; c < channels_; ++c)
            interleaved_[i * channels_ + c] = channels[c][i];
    const auto count = static_cast<sf_count_t>(frames);
    if (sf_writef_float(file_, interleaved_.data(), count) != count)
        fail(sndfileMessage(file_));
    framesWritten_ += frames;
}

void AudioFileWriter::write(const AudioData& audio)
{
    std::vector<const float*> pointers;
    for (const auto& channel : audio.channels)
        pointers.push_back(channel.data());
    write(pointers.data(), audio.frames());
}

void AudioFileWriter::commit()
{
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0)
        fail(sf_error_number(closed));
    // The data must be on disk before the name points at it.
    const bool synced = fsync(descriptor_) == 0;
    const int syncError = errno;
    close(descriptor_);
    descriptor_ = -1;
    if (!synced)
        fail(std::strerror(syncError));
    if (std::rename(temporary_.c_str(), destination_.c_str()) != 0)
        fail(std::strerror(errno));
    committed_ = true;
    removeOnSignal_.reset();
}

} // namespace zindlehost

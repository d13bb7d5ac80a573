#pragma once

#include "tools/zindle-host/AudioData.h"
#include "tools/zindle-host/RemoveOnSignal.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct sf_private_tag;

namespace zindlehost {

/// Throws HostError (inputFile) about an input file: "<role> '<path>' <what>".
[[noreturn]] void inputError(const std::string& role, const std::filesystem::path& path, const std::string& what);

/// Reads a whole audio file (any format libsndfile reads) as 32-bit float samples. role names
/// the file in messages ("voice file"). Throws HostError (inputFile) with one clear line when
/// the file is missing, is not a regular file, cannot be read, is not an audio file libsndfile
/// knows, or holds no audio; and when it has more than maxChannels channels.
AudioData readAudioFile(const std::filesystem::path& path, const std::string& role, std::size_t maxChannels);

/// Writes a WAV file so that nobody ever sees half of it: the samples go to a hidden temporary
/// file in the destination's directory, and commit() renames it over the destination. A writer
/// destroyed without commit() removes its temporary file, and so does an interrupt or SIGTERM
/// before the commit (see RemoveOnSignal). Main thread (one writer, one thread).
class AudioFileWriter {
public:
    enum class SampleFormat { float32, pcm16 };

    /// Throws HostError (outputFile) when the destination is not a .wav path, its directory
    /// does not exist or no file can be created in it.
    AudioFileWriter(std::filesystem::path destination, double sampleRate, std::size_t channels,
                    SampleFormat format = SampleFormat::float32);
    ~AudioFileWriter();

    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    /// Appends frames frames; channels[c] points at the samples of channel c. Throws HostError
    /// (outputFile) when the disk refuses them.
    void write(const float* const* channels, std::size_t frames);
    void write(const AudioData& audio);

    /// Finishes the file and moves it to the destination. Throws HostError (outputFile).
    void commit();

    const std::filesystem::path& destination() const { return destination_; }
    const std::filesystem::path& temporaryPath() const { return temporary_; }
    std::size_t framesWritten() const { return framesWritten_; }

private:
    [[noreturn]] void fail(const std::string& what) const;

    std::filesystem::path destination_;
    std::filesystem::path temporary_;
    std::size_t channels_;
    int descriptor_ = -1;
    sf_private_tag* file_ = nullptr;
    std::vector<float> interleaved_;
    std::size_t framesWritten_ = 0;
    bool committed_ = false;
    std::optional<RemoveOnSignal> removeOnSignal_; // last: it outlives the removal in the destructor
};

} // namespace zindlehost

#pragma once

#include "tools/zindle-host/AudioData.h"
#include "tools/zindle-host/AudioFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zindlehost::test {

/// A fresh directory for one test, removed with everything in it afterwards.
class TempDirectory {
public:
    TempDirectory() : path_(directory_.path().toStdString())
    {
        if (!directory_.isValid())
            ADD_FAILURE() << "cannot make a temporary directory";
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    /// The names of the directory's entries, hidden ones included, sorted.
    std::vector<std::string> entries() const { return entriesOf(path_); }

    /// The same for any directory.
    static std::vector<std::string> entriesOf(const std::filesystem::path& directory)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path writeText(const std::string& name, const std::string& text) const
    {
        std::ofstream(path_ / name) << text;
        return path_ / name;
    }

    using SampleFormat = AudioFileWriter::SampleFormat;
    std::filesystem::path writeAudio(const std::string& name, const AudioData& audio,
                                     SampleFormat format = SampleFormat::float32) const
    {
        AudioFileWriter writer(path_ / name, audio.sampleRate, audio.channelCount(), format);
        writer.write(audio);
        writer.commit();
        return path_ / name;
    }

private:
    QTemporaryDir directory_{QDir::tempPath() + QStringLiteral("/zindle-host-test-XXXXXX")};
    std::filesystem::path path_;
};

inline AudioData makeAudio(double sampleRate, std::vector<std::vector<float>> channels)
{
    return AudioData{sampleRate, std::move(channels)};
}

} // namespace zindlehost::test

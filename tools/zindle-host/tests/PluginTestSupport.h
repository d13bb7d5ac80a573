#pragma once

#include "TempDirectory.h"

#include "tools/zindle-host/AudioData.h"
#include "tools/zindle-host/Cli.h"

#include "extension/ParameterAddress.h"
#include "extension/ZindleAudioUnit.h"
#include "extension/tests/TestHost.h"
#include "platform/audiounit/AudioFormat.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Support for the tests that load the installed effect (the build tree's Zindle.component).
namespace zindlehost::test {

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// One command line through the tool's logic, in this process.
inline CommandResult runInProcess(const std::vector<std::string>& arguments)
{
    std::ostringstream out, err;
    const int code = run(arguments, Console{out, err, false});
    return {code, out.str(), err.str()};
}

/// One command line through the real program (standard error is not a terminal here), its
/// environment the test's own changed by env's arguments ("NAME=value" entries, or "-u" and
/// a name); program may be a copy of it.
inline CommandResult runProgram(const std::vector<std::string>& arguments, const TempDirectory& scratch,
                                const std::vector<std::string>& environment = {},
                                const std::filesystem::path& program = ZINDLE_HOST_PROGRAM)
{
    const auto quoted = [](const std::string& text) {
        std::string word = "'";
        for (const char c : text)
            word += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return word + "'";
    };
    std::string command = environment.empty() ? "" : "env ";
    for (const auto& variable : environment)
        command.append(quoted(variable)).append(" ");
    command += quoted(program.string());
    for (const auto& argument : arguments)
        command.append(" ").append(quoted(argument));
    const auto out = scratch / "program.out";
    const auto err = scratch / "program.err";
    command += " > '" + out.string() + "' 2> '" + err.string() + "'";
    const int status = std::system(command.c_str());
    const auto slurp = [](const std::filesystem::path& path) {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    CommandResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

using Settings = std::vector<std::pair<std::uint64_t, float>>;

/// Values set between two render calls, the first call cut at frame.
struct MidwaySettings {
    std::size_t frame = 0;
    Settings settings;
};

/// What the effect gives for voice and carrier when a host drives zindle::ZindleAudioUnit in
/// this process: the plug-in's defaults, then settings (address, value) in order, the buses
/// at the voice's rate and shape, calls of blockSize frames (the last one shorter, one cut at
/// the midway frame, if any, and its settings made before the next call), the carrier looped
/// from its start. Both output channels.
inline std::vector<std::vector<float>> renderInProcess(const AudioData& voice, const AudioData& carrier,
                                                       const Settings& settings, au::FrameCount blockSize = 512,
                                                       const std::optional<MidwaySettings>& midway = std::nullopt)
{
    zindle::ZindleAudioUnit unit;
    zindle::test::pushDefaults(unit);
    for (const auto& [address, value] : settings)
        unit.setParameter(address, value);
    const double rate = voice.sampleRate;
    const auto channels = [](const AudioData& audio) { return static_cast<std::uint32_t>(audio.channelCount()); };
    unit.inputBusses()[0].setFormat(au::AudioFormat::standard(rate, channels(voice)));
    unit.inputBusses()[1].setFormat(au::AudioFormat::standard(rate, channels(carrier)));
    unit.outputBusses()[0].setFormat(au::AudioFormat::standard(rate, 2));
    unit.setMaximumFramesToRender(blockSize);
    unit.allocateRenderResources();

    zindle::test::TestHost host(unit);
    host.setInput(0, voice.channels);
    host.setInput(1, carrier.channels);
    std::vector<std::vector<float>> output(2);
    for (std::size_t done = 0; done < voice.frames();) {
        std::size_t frames = std::min<std::size_t>(blockSize, voice.frames() - done);
        if (midway && done < midway->frame)
            frames = std::min(frames, midway->frame - done);
        if (midway && done == midway->frame)
            for (const auto& [address, value] : midway->settings)
                unit.setParameter(address, value);
        EXPECT_EQ(host.render(static_cast<au::FrameCount>(frames)), au::status::ok);
        for (std::size_t c = 0; c < 2; ++c) {
            const auto block = host.output(c);
            output[c].insert(output[c].end(), block.begin(), block.end());
        }
        done += frames;
    }
    return output;
}

/// The index of the first sample where a and b differ, or their common length.
inline std::size_t firstDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return i;
    return n;
}

} // namespace zindlehost::test

#include "tools/zindle-host/LoopResampler.h"

#include "tools/zindle-host/HostError.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

namespace zindlehost {

namespace {

std::string hertz(double rate) { return std::to_string(std::lround(rate)) + " Hz"; }

} // namespace

AudioData resampleLoop(const AudioData& loop, double rate)
{
    const long from = std::lround(loop.sampleRate);
    const long to = std::lround(rate);
    const double ratio = static_cast<double>(to) / static_cast<double>(from);
    if (from <= 0 || to <= 0 || !src_is_valid_ratio(ratio))
        throw HostError(ExitCode::inputFile,
                        "cannot resample the carrier from " + hertz(loop.sampleRate) + " to " + hertz(rate));

    const std::size_t channels = loop.channelCount();
    const std::size_t frames = loop.frames();

    // Pad the loop on both sides with its own continuation, long enough for the widest sinc
    // filter (it widens by the factor of a downsampling). A pad of whole steps of the rate
    // ratio maps to a whole number of output frames, so the cut below lands on a sample.
    const long divisor = std::gcd(from, to);
    const auto inStep = static_cast<std::size_t>(from / divisor);
    const auto outStep = static_cast<std::size_t>(to / divisor);
    const auto minimumPad = static_cast<std::size_t>(4096.0 * std::max(1.0, 1.0 / ratio));
    const std::size_t pad = (minimumPad + inStep - 1) / inStep * inStep;
    const std::size_t paddedFrames = frames + 2 * pad;

    std::vector<float> input(paddedFrames * channels);
    for (std::size_t i = 0; i < paddedFrames; ++i) {
        // (i - pad) mod frames, without going negative.
        const std::size_t source = (i + frames - pad % frames) % frames;
        for (std::size_t c = 0; c < channels; ++c)
            input[i * channels + c] = loop.channels[c][source];
    }

    const auto outputCapacity = static_cast<std::size_t>(std::ceil(static_cast<double>(paddedFrames) * ratio)) + 16;
    std::vector<float> output(outputCapacity * channels);
    SRC_DATA data{};
    data.data_in = input.data();
    data.input_frames = static_cast<long>(paddedFrames);
    data.data_out = output.data();
    data.output_frames = static_cast<long>(outputCapacity);
    data.src_ratio = ratio;
    data.end_of_input = 1;
    if (const int error = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, static_cast<int>(channels)); error != 0)
        throw HostError(ExitCode::inputFile, std::string("cannot resample the carrier: ") + src_strerror(error));

    const std::size_t offset = pad / inStep * outStep;
    const auto length =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::llround(static_cast<double>(frames) * ratio)));
    const auto generated = static_cast<std::size_t>(data.output_frames_gen);

    AudioData result;
    result.sampleRate = static_cast<double>(to);
    result.channels.assign(channels, std::vector<float>(length, 0.0f));
    for (std::size_t i = 0; i < length && offset + i < generated; ++i)
        for (std::size_t c = 0; c < channels; ++c)
            result.channels[c][i] = output[(offset + i) * channels + c];
    return result;
}

AudioData loopToLength(const AudioData& audio, std::size_t frames)
{
    AudioData result;
    result.sampleRate = audio.sampleRate;
    result.channels.reserve(audio.channelCount());
    for (const auto& channel : audio.channels) {
        std::vector<float> looped(frames, 0.0f);
        if (!channel.empty()) {
            for (std::size_t start = 0; start < frames; start += channel.size()) {
                const std::size_t count = std::min(channel.size(), frames - start);
                std::copy_n(channel.begin(), count, looped.begin() + static_cast<std::ptrdiff_t>(start));
            }
        }
        result.channels.push_back(std::move(looped));
    }
    return result;
}

AudioData fitCarrier(const AudioData& carrier, double rate, std::size_t frames)
{
    if (std::lround(carrier.sampleRate) == std::lround(rate))
        return loopToLength(carrier, frames);
    return loopToLength(resampleLoop(carrier, rate), frames);
}

} // namespace zindlehost

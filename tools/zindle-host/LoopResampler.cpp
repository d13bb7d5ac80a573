#include "tools/zindle-host/LoopResampler.h"

#include "tools/zindle-host/HostError.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <string>

namespace zindlehost {

namespace {

// The endless repetition of loop, resampled to rate, from the loop's start for frames frames.
// The converter is fed the repetition itself, from a little before the start (long enough for
// the widest sinc filter, which widens by the factor of a downsampling), so every seam is
// filtered like any other place, and no period is ever rounded to whole frames: a loop whose
// period is not a whole number of frames at the new rate neither jumps at its seams nor
// drifts against the signal it stands for.
AudioData resampleEndless(const AudioData& loop, double rate, std::size_t frames, const std::string& role)
{
    const long from = std::lround(loop.sampleRate);
    const long to = std::lround(rate);
    const double ratio = static_cast<double>(to) / static_cast<double>(from);
    if (from <= 0 || to <= 0 || !src_is_valid_ratio(ratio))
        throw HostError(ExitCode::inputFile,
                        "cannot resample the " + role + " from " + hertzText(loop.sampleRate) + " to " + hertzText(rate));

    const std::size_t channels = loop.channelCount();
    const std::size_t period = loop.frames();
    AudioData result;
    result.sampleRate = static_cast<double>(to);
    result.channels.assign(channels, std::vector<float>(frames, 0.0f));
    if (channels == 0 || period == 0 || frames == 0)
        return result;

    // A lead-in of whole steps of the rate ratio maps to a whole number of output frames, so
    // dropping them lands the result on the loop's first sample.
    const long divisor = std::gcd(from, to);
    const auto inStep = static_cast<std::size_t>(from / divisor);
    const auto outStep = static_cast<std::size_t>(to / divisor);
    const auto minimumLeadIn = static_cast<std::size_t>(4096.0 * std::max(1.0, 1.0 / ratio));
    const std::size_t leadIn = (minimumLeadIn + inStep - 1) / inStep * inStep;
    std::size_t toDrop = leadIn / inStep * outStep;

    int error = 0;
    const std::unique_ptr<SRC_STATE, SRC_STATE* (*)(SRC_STATE*)> converter(
        src_new(SRC_SINC_MEDIUM_QUALITY, static_cast<int>(channels), &error), src_delete);
    if (!converter)
        throw HostError(ExitCode::inputFile, "cannot resample the " + role + ": " + src_strerror(error));

    constexpr std::size_t chunkFrames = 4096;
    std::vector<float> input(chunkFrames * channels);
    const auto outputCapacity = static_cast<std::size_t>(std::ceil(chunkFrames * ratio)) + 16;
    std::vector<float> output(outputCapacity * channels);
    std::size_t source = (period - leadIn % period) % period; // the loop's sample leadIn before its start
    std::size_t produced = 0;
    while (produced < frames) {
        for (std::size_t i = 0; i < chunkFrames; ++i, source = source + 1 == period ? 0 : source + 1)
            for (std::size_t c = 0; c < channels; ++c)
                input[i * channels + c] = loop.channels[c][source];
        SRC_DATA data{};
        data.data_in = input.data();
        data.input_frames = static_cast<long>(chunkFrames);
        data.src_ratio = ratio;
        while (data.input_frames > 0 && produced < frames) {
            data.data_out = output.data();
            data.output_frames = static_cast<long>(outputCapacity);
            if (const int failure = src_process(converter.get(), &data); failure != 0)
                throw HostError(ExitCode::inputFile,
                                "cannot resample the " + role + ": " + src_strerror(failure));
            const auto generated = static_cast<std::size_t>(data.output_frames_gen);
            const std::size_t dropped = std::min(toDrop, generated);
            toDrop -= dropped;
            const std::size_t kept = std::min(generated - dropped, frames - produced);
            for (std::size_t i = 0; i < kept; ++i)
                for (std::size_t c = 0; c < channels; ++c)
                    result.channels[c][produced + i] = output[(dropped + i) * channels + c];
            produced += kept;
            data.data_in += data.input_frames_used * static_cast<long>(channels);
            data.input_frames -= data.input_frames_used;
        }
    }
    return result;
}

} // namespace

AudioData resampleLoop(const AudioData& loop, double rate, const std::string& role)
{
    const double ratio = static_cast<double>(std::lround(rate)) / static_cast<double>(std::lround(loop.sampleRate));
    const auto length = std::max<std::size_t>(1, static_cast<std::size_t>(std::llround(loop.frames() * ratio)));
    return resampleEndless(loop, rate, length, role);
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
    return resampleEndless(carrier, rate, frames, "carrier");
}

AudioData loopAtRate(const AudioData& loop, double rate, const std::string& role)
{
    if (std::lround(loop.sampleRate) == std::lround(rate))
        return loop;
    return resampleLoop(loop, rate, role);
}

} // namespace zindlehost

// What the render path costs on top of the vocoder: the same signal through the Audio Unit's
// render block (pull of both buses, the event walk, folding to mono, the kernel with its
// meters) and through the vocoder called directly.
#include "extension/ZindleAudioUnit.h"

#include "dsp/LPCVocoderProcessor.h"
#include "dsp/tests/TestSignals.h"
#include "dsp/tests/VocoderDefaults.h"
#include "extension/tests/TestHost.h"
#include "platform/audiounit/RenderEventList.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

using zindle::ParameterAddress;
constexpr double rate = 44100.0;
constexpr au::FrameCount frames = 512;
constexpr std::size_t length = frames * 86; // about a second, a whole number of buffers

/// A stereo voice (both channels carrying signal, so it is really folded) and a mono carrier.
struct Signals {
    Signals()
        : voiceLeft(dsp::test::resonantPulseVoice(int(length), 140.0, rate, {700.0, 1800.0})),
          voiceRight(dsp::test::resonantPulseVoice(int(length), 141.0, rate, {650.0, 1700.0})),
          carrier(dsp::test::sawtooth(int(length), 110.0, rate)),
          foldedVoice(length)
    {
        for (std::size_t i = 0; i < length; ++i)
            foldedVoice[i] = (voiceLeft[i] + voiceRight[i]) * 0.5f;
    }
    std::vector<float> voiceLeft, voiceRight, carrier, foldedVoice;
};

const Signals& signals()
{
    static const Signals s;
    return s;
}

void renderBlock(benchmark::State& state, int splittingEvents)
{
    const Signals& s = signals();
    zindle::ZindleAudioUnit unit;
    zindle::test::pushDefaults(unit);
    unit.setMaximumFramesToRender(frames);
    unit.allocateRenderResources();
    const au::RenderBlock& render = unit.renderBlock();

    std::vector<float> left(frames), right(frames);
    au::AudioBuffer buffers[2] = {{1, frames * 4, left.data()}, {1, frames * 4, right.data()}};
    au::AudioBufferList output{2, buffers};

    std::size_t position = 0;
    // The upstream: copies the next stretch of each signal into the effect's buffers.
    auto pull = [&](au::RenderActionFlags&, const au::AudioTimeStamp&, au::FrameCount count, std::int64_t bus,
                    au::AudioBufferList* list) {
        const float* sources[2] = {bus == 0 ? s.voiceLeft.data() : s.carrier.data(), s.voiceRight.data()};
        for (std::uint32_t c = 0; c < list->numberBuffers; ++c)
            std::memcpy(list->buffers[c].data, sources[c] + position, count * sizeof(float));
        return au::status::ok;
    };

    // A late event (applied before the first sample, no split) on every call; optionally
    // events inside the buffer that split it.
    au::RenderEventList late;
    late.addParameter(std::numeric_limits<std::int64_t>::min() / 2, ParameterAddress::outputGain, 0.0f);
    au::RenderEventList splitting;
    au::AudioTimeStamp timestamp{};
    au::RenderActionFlags flags = 0;
    for (auto _ : state) {
        const au::RenderEvent* events = late.head();
        if (splittingEvents > 0) {
            state.PauseTiming();
            splitting.clear();
            for (int e = 1; e <= splittingEvents; ++e)
                splitting.addParameter(std::int64_t(timestamp.sampleTime) + e * frames / (splittingEvents + 1),
                                       ParameterAddress::outputGain, 0.0f);
            events = splitting.head();
            state.ResumeTiming();
        }
        const au::Status status = render(flags, timestamp, frames, 0, &output, events, pull);
        if (status != au::status::ok)
            state.SkipWithError("render failed");
        benchmark::DoNotOptimize(left.data());
        position = (position + frames) % length;
        timestamp.sampleTime += frames;
    }
    state.SetItemsProcessed(state.iterations() * frames);
}

void BM_RenderBlock(benchmark::State& state) { renderBlock(state, 0); }
BENCHMARK(BM_RenderBlock);

void BM_RenderBlockSplitTwice(benchmark::State& state) { renderBlock(state, 2); }
BENCHMARK(BM_RenderBlockSplitTwice);

void BM_VocoderDirect(benchmark::State& state)
{
    const Signals& s = signals();
    // The vocoder as the kernel sets it up for a fresh plug-in.
    dsp::LPCVocoderProcessor vocoder(static_cast<float>(rate));
    dsp::test::configureDefaults(vocoder);
    vocoder.setVoiceFreeze(false);
    vocoder.setVoiceOnlyOutput(false);
    vocoder.setWetMix(zindle::ZindleAudioUnit::wetMix);
    vocoder.setDryMix(zindle::ZindleAudioUnit::dryMix);
    vocoder.setCompressorSettings(zindle::ZindleAudioUnit::compressorRatio, zindle::ZindleAudioUnit::compressorThreshold,
                                  zindle::ZindleAudioUnit::compressorAttackMs,
                                  zindle::ZindleAudioUnit::compressorReleaseMs);

    std::vector<float> voice(frames), left(frames), right(frames);
    std::size_t position = 0;
    for (auto _ : state) {
        // The vocoder works on the voice in place, so it gets a copy, as in the render path.
        std::memcpy(voice.data(), s.foldedVoice.data() + position, frames * sizeof(float));
        vocoder.process(s.carrier.data() + position, voice.data(), left.data(), right.data(), int(frames));
        benchmark::DoNotOptimize(left.data());
        position = (position + frames) % length;
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_VocoderDirect);

} // namespace

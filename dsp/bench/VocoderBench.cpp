#include "dsp/LPCVocoderProcessor.h"
#include "dsp/tests/VocoderDefaults.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr int blockFrames = 512;

// Two seconds of a buzzy vowel with a noisy stretch (so both voicing decisions occur)
// against a three-note sawtooth chord.
struct Signals {
    std::vector<float> voice, carrier;

    explicit Signals(float rate)
    {
        const int n = static_cast<int>(2 * rate) / blockFrames * blockFrames;
        voice.resize(n);
        carrier.resize(n);
        std::minstd_rand random(7);
        std::uniform_real_distribution<float> noise(-0.3f, 0.3f);
        const double twoPi = 2.0 * std::numbers::pi;
        double y1 = 0.0, y2 = 0.0;
        const double r = std::exp(-std::numbers::pi * 90.0 / rate);
        const double a1 = 2.0 * r * std::cos(twoPi * 700.0 / rate);
        const double phases[3] = {110.0 / rate, 138.6 / rate, 164.8 / rate};
        double phase[3] = {};
        const int period = static_cast<int>(rate / 130.0f);
        for (int i = 0; i < n; ++i) {
            const double pulse = i % period == 0 ? 1.0 : 0.0;
            const double y = pulse + a1 * y1 - r * r * y2;
            y2 = y1;
            y1 = y;
            voice[i] = i > n * 3 / 4 ? noise(random) : static_cast<float>(0.05 * y);
            float chord = 0.0f;
            for (int k = 0; k < 3; ++k) {
                chord += static_cast<float>(0.3 * (2.0 * phase[k] - 1.0));
                phase[k] += phases[k];
                phase[k] -= std::floor(phase[k]);
            }
            carrier[i] = chord;
        }
    }
};

void vocoderProcess(benchmark::State& state)
{
    const float rate = static_cast<float>(state.range(0));
    const float cents = static_cast<float>(state.range(1));
    const bool crush = state.range(2) != 0;

    dsp::LPCVocoderProcessor vocoder(rate);
    dsp::test::configureDefaults(vocoder);
    vocoder.setFormantShift(cents);
    vocoder.setHighPassFilter(true);
    vocoder.setDownsampleTo31Khz(crush);
    vocoder.set16Bit(crush);
    vocoder.setCompressEnabled(true);

    const Signals signals(rate);
    const std::size_t length = signals.voice.size();
    std::vector<float> voice(blockFrames), left(blockFrames), right(blockFrames);
    std::size_t position = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        std::copy_n(signals.voice.begin() + position, blockFrames, voice.begin());
        vocoder.process(signals.carrier.data() + position, voice.data(), left.data(), right.data(), blockFrames);
        benchmark::DoNotOptimize(left.data());
        benchmark::ClobberMemory();
        position = (position + blockFrames) % length;
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;

    // Plain numbers, not rates: the library would print a rate counter with a unit suffix.
    const double samples = static_cast<double>(state.iterations()) * blockFrames;
    if (samples > 0.0 && elapsed.count() > 0.0) {
        state.counters["ns_per_sample"] = elapsed.count() / samples;
        state.counters["realtime_factor"] = samples / rate / (elapsed.count() * 1e-9);
    }
}

BENCHMARK(vocoderProcess)
    ->ArgNames({"rate", "cents", "crush"})
    ->ArgsProduct({{44100, 48000}, {0, 300}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

// The vocoder's per-frame mathematics on one frame stream's work at 44.1 kHz: the
// autocorrelation of a 720-sample frame and the lattice over a half frame (360 samples), alone
// and as the pair of streams the vocoder runs, at the effect's default order of 48.
#include "dsp/LPCMath.h"
#include "dsp/tests/TestSignals.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace {

constexpr int order = 48;
constexpr int frame = 720;
constexpr int half = frame / 2;

std::array<float, dsp::LPCMath::maxOrder + 1> coefficients()
{
    const auto voice = dsp::test::resonantPulseVoice(frame, 130.0, 44100.0, {700.0, 1200.0, 2600.0});
    float r[dsp::LPCMath::maxOrder + 1];
    dsp::LPCMath::calculateAutocorrelation(voice.data(), frame, order, r);
    r[0] *= 1.001f;
    std::array<float, dsp::LPCMath::maxOrder + 1> k{};
    float gain = 0.0f;
    dsp::LPCMath::solveDurbin(r, order, k.data(), gain);
    return k;
}

void latticeAlone(benchmark::State& state)
{
    const auto k = coefficients();
    const auto carrier = dsp::test::sawtooth(half, 200.0, 44100.0);
    std::vector<float> out(half);
    for (auto _ : state) {
        float s[dsp::LPCMath::maxOrder + 1] = {};
        dsp::LPCMath::applyFilter(carrier.data(), half, order, k.data(), 0.1f, s, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["ns_per_sample"] = benchmark::Counter(static_cast<double>(half), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void latticePair(benchmark::State& state)
{
    const auto k = coefficients();
    const auto carrier = dsp::test::sawtooth(half, 200.0, 44100.0);
    std::vector<float> out1(half), out2(half);
    for (auto _ : state) {
        float s1[dsp::LPCMath::maxOrder + 1] = {}, s2[dsp::LPCMath::maxOrder + 1] = {};
        dsp::LPCMath::applyFilters({carrier.data(), out1.data(), k.data(), 0.1f, s1},
                                   {carrier.data(), out2.data(), k.data(), 0.1f, s2}, half, order);
        benchmark::DoNotOptimize(out1.data());
        benchmark::DoNotOptimize(out2.data());
        benchmark::ClobberMemory();
    }
    // Per sample of each stream.
    state.counters["ns_per_sample"] = benchmark::Counter(2.0 * half, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void autocorrelation(benchmark::State& state)
{
    const auto voice = dsp::test::resonantPulseVoice(frame, 130.0, 44100.0, {700.0, 1200.0, 2600.0});
    float r[dsp::LPCMath::maxOrder + 1];
    for (auto _ : state) {
        dsp::LPCMath::calculateAutocorrelation(voice.data(), frame, order, r);
        benchmark::DoNotOptimize(r);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(latticeAlone);
BENCHMARK(latticePair);
BENCHMARK(autocorrelation);

} // namespace

// The formant shifter alone on the vocoder's voice path: a buzzy vowel in 512-sample blocks,
// shifted by +300 cents, at the crush rate and the common host rates.
#include "dsp/VoiceProcessor.h"
#include "dsp/tests/TestSignals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int blockFrames = 512;

void formantShifter(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    const int length = static_cast<int>(rate) / blockFrames * blockFrames;
    const auto voice = dsp::test::resonantPulseVoice(length, 130.0, rate, {700.0, 1200.0, 2600.0});
    dsp::VoiceProcessor shifter(static_cast<float>(rate));
    shifter.setSemitoneShift(3.0f);
    std::vector<float> block(blockFrames);
    int position = 0;
    for (auto _ : state) {
        std::copy_n(voice.begin() + position, blockFrames, block.begin());
        shifter.formantShift(block.data(), blockFrames);
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
        position = (position + blockFrames) % length;
    }
    state.counters["ns_per_frame"] = benchmark::Counter(static_cast<double>(blockFrames),
                                                        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(formantShifter)->ArgName("rate")->Arg(31250)->Arg(44100)->Arg(48000);

} // namespace

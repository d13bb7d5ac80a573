// The vocoder beside a peer talkbox effect, on the same signals in the same process: each of
// our cases runs its blocks in turns with the peer's and reports both per-frame costs in thread
// CPU time and "speed_vs_peer", the peer's time over ours (above 1: we are faster). The ratio
// is what to compare between machines; for stable figures run with
//   --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true
//   --benchmark_report_aggregates_only=true
// and read the medians.
#include "dsp/LPCVocoderProcessor.h"
#include "dsp/bench/PeerTalkbox.h"
#include "dsp/tests/VocoderDefaults.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numbers>
#include <vector>

namespace {

constexpr int blockFrames = 512;
constexpr int blocksPerTurn = 8; // between two clock reads, so that reading the clock costs nothing

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Two seconds of a buzzy vowel gliding in pitch against a 200 Hz sawtooth.
struct Signals {
    std::vector<float> voice, carrier;

    explicit Signals(double rate)
    {
        const int n = static_cast<int>(2 * rate) / (blockFrames * blocksPerTurn) * (blockFrames * blocksPerTurn);
        voice.resize(n);
        carrier.resize(n);
        const double twoPi = 2.0 * std::numbers::pi;
        const double r = std::exp(-std::numbers::pi * 90.0 / rate);
        const double a1 = 2.0 * r * std::cos(twoPi * 700.0 / rate);
        double y1 = 0.0, y2 = 0.0, pulsePhase = 0.0, sawPhase = 0.0;
        for (int i = 0; i < n; ++i) {
            const double pitch = 120.0 + 30.0 * static_cast<double>(i) / n;
            pulsePhase += pitch / rate;
            const double pulse = pulsePhase >= 1.0 ? 1.0 : 0.0;
            pulsePhase -= std::floor(pulsePhase);
            const double y = pulse + a1 * y1 - r * r * y2;
            y2 = y1;
            y1 = y;
            voice[i] = static_cast<float>(0.05 * y);
            carrier[i] = static_cast<float>(0.3 * (2.0 * sawPhase - 1.0));
            sawPhase += 200.0 / rate;
            sawPhase -= std::floor(sawPhase);
        }
    }
};

/// Runs blocksPerTurn blocks from position through process(voice, carrier, out1, out2, n) on a
/// copy of the voice (ours shifts it in place) and returns the thread time they took.
template <typename Process>
double turn(const Signals& signals, std::size_t& position, std::vector<float>& voice, std::vector<float>& left,
            std::vector<float>& right, Process&& process)
{
    const double start = threadSeconds();
    for (int b = 0; b < blocksPerTurn; ++b) {
        std::copy_n(signals.voice.begin() + static_cast<std::ptrdiff_t>(position), blockFrames, voice.begin());
        process(voice.data(), signals.carrier.data() + position, left.data(), right.data(), blockFrames);
        benchmark::DoNotOptimize(left.data());
        benchmark::ClobberMemory();
        position = (position + blockFrames) % signals.voice.size();
    }
    return threadSeconds() - start;
}

void reportFrames(benchmark::State& state, double seconds, double frames, double rate, const char* prefix)
{
    // Plain numbers, not rates: the library would print a rate counter with a unit suffix.
    if (frames > 0.0 && seconds > 0.0) {
        state.counters[std::string(prefix) + "ns_per_frame"] = seconds * 1e9 / frames;
        state.counters[std::string(prefix) + "realtime_factor"] = frames / rate / seconds;
    }
}

// Crushed cases load what the Retro skin's talkbox voicing switches on besides the crush:
// compression and both filters. The others keep the effect's defaults.
void vocoder(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    const float cents = static_cast<float>(state.range(1));
    const bool crush = state.range(2) != 0;

    dsp::LPCVocoderProcessor ours(static_cast<float>(rate));
    dsp::test::configureDefaults(ours);
    ours.setFormantShift(cents);
    ours.setDownsampleTo31Khz(crush);
    ours.set16Bit(crush);
    ours.setCompressEnabled(crush);
    ours.setHighPassFilter(crush);
    ours.setLowPassFilter(crush);
    dsp::bench::PeerTalkbox peer(rate);

    const Signals signals(rate);
    std::vector<float> voice(blockFrames), left(blockFrames), right(blockFrames);
    std::size_t oursAt = 0, peerAt = 0;
    double oursSeconds = 0.0, peerSeconds = 0.0;
    const auto runOurs = [&ours](float* v, const float* c, float* l, float* r, int n) { ours.process(c, v, l, r, n); };
    const auto runPeer = [&peer](float* v, const float* c, float* l, float* r, int n) { peer.process(v, c, l, r, n); };
    for (auto _ : state) {
        const double seconds = turn(signals, oursAt, voice, left, right, runOurs);
        oursSeconds += seconds;
        state.SetIterationTime(seconds);
        if (peer.available())
            peerSeconds += turn(signals, peerAt, voice, left, right, runPeer);
    }

    const double frames = static_cast<double>(state.iterations()) * blocksPerTurn * blockFrames;
    reportFrames(state, oursSeconds, frames, rate, "");
    if (peer.available() && oursSeconds > 0.0) {
        reportFrames(state, peerSeconds, frames, rate, "peer_");
        state.counters["speed_vs_peer"] = peerSeconds / oursSeconds;
    }
}

void peerTalkbox(benchmark::State& state)
{
    const double rate = static_cast<double>(state.range(0));
    dsp::bench::PeerTalkbox peer(rate);
    if (!peer.available()) {
        state.SkipWithError(("skipped: " + peer.problem()).c_str());
        return;
    }
    const Signals signals(rate);
    std::vector<float> voice(blockFrames), left(blockFrames), right(blockFrames);
    std::size_t position = 0;
    double seconds = 0.0;
    const auto runPeer = [&peer](float* v, const float* c, float* l, float* r, int n) { peer.process(v, c, l, r, n); };
    for (auto _ : state) {
        const double s = turn(signals, position, voice, left, right, runPeer);
        seconds += s;
        state.SetIterationTime(s);
    }
    reportFrames(state, seconds, static_cast<double>(state.iterations()) * blocksPerTurn * blockFrames, rate, "");
}

BENCHMARK(peerTalkbox)->ArgName("rate")->Arg(44100)->Arg(48000)->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK(vocoder)
    ->ArgNames({"rate", "cents", "crush"})
    ->ArgsProduct({{44100, 48000}, {0, 300}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

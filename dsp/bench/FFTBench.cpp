#include "dsp/HalfBinRealFFT.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <chrono>
#include <complex>
#include <cstddef>
#include <map>
#include <random>
#include <vector>

// One forward and one inverse real transform per iteration, ours beside FFTW's of the
// same length. FFTW's run reports "ratio" = our time / its time from the same process.
namespace {

std::map<std::size_t, double>& ourNanoseconds()
{
    static std::map<std::size_t, double> times;
    return times;
}

void fillNoise(float* x, std::size_t n)
{
    std::minstd_rand random(3);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = uniform(random);
}

template <typename Body>
double timedLoop(benchmark::State& state, Body&& body)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        body();
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return state.iterations() > 0 ? elapsed.count() / double(state.iterations()) : 0.0;
}

void BM_HalfBinRealFFT(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    dsp::HalfBinRealFFT fft(n);
    std::vector<float> time(n), result(n);
    std::vector<std::complex<float>> spectrum(n / 2);
    fillNoise(time.data(), n);
    ourNanoseconds()[n] = timedLoop(state, [&] {
        fft.forward(time.data(), spectrum.data());
        fft.inverse(spectrum.data(), result.data());
        benchmark::DoNotOptimize(result.data());
        benchmark::ClobberMemory();
    });
}

void BM_FFTWReal(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const int length = static_cast<int>(n);
    float* time = fftwf_alloc_real(n);
    float* result = fftwf_alloc_real(n);
    fftwf_complex* spectrum = fftwf_alloc_complex(n / 2 + 1);
    fftwf_plan forward = fftwf_plan_dft_r2c_1d(length, time, spectrum, FFTW_MEASURE);
    fftwf_plan inverse = fftwf_plan_dft_c2r_1d(length, spectrum, result, FFTW_MEASURE);
    fillNoise(time, n); // planning with FFTW_MEASURE overwrites the arrays
    const double ns = timedLoop(state, [&] {
        fftwf_execute(forward);
        fftwf_execute(inverse);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    });
    const auto ours = ourNanoseconds().find(n);
    if (ours != ourNanoseconds().end() && ns > 0.0)
        state.counters["ratio"] = ours->second / ns;
    fftwf_destroy_plan(inverse);
    fftwf_destroy_plan(forward);
    fftwf_free(spectrum);
    fftwf_free(result);
    fftwf_free(time);
}

// Frame lengths of the STFT at the crush rate (640) and the common host rates.
void frameLengths(benchmark::internal::Benchmark* b)
{
    for (const int n : {640, 1024, 2048})
        b->Arg(n);
}

} // namespace

BENCHMARK(BM_HalfBinRealFFT)->Apply(frameLengths);
BENCHMARK(BM_FFTWReal)->Apply(frameLengths);

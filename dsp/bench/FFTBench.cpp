#include "dsp/HalfBinRealFFT.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <complex>
#include <cstddef>
#include <ctime>
#include <random>
#include <vector>

// One forward and one inverse real transform, ours beside FFTW's of the same length, in turns
// within one benchmark so that both see the same machine: "ns" is ours per transform pair,
// "fftw_ns" FFTW's, and "ratio" our time over FFTW's (thread CPU time).
namespace {

constexpr int pairsPerTurn = 32;

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void fillNoise(float* x, std::size_t n)
{
    std::minstd_rand random(3);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = uniform(random);
}

template <typename Body>
double turn(Body&& body)
{
    const double start = threadSeconds();
    for (int i = 0; i < pairsPerTurn; ++i) {
        body();
        benchmark::ClobberMemory();
    }
    return threadSeconds() - start;
}

void realTransform(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    dsp::HalfBinRealFFT fft(n);
    std::vector<float> time(n), result(n);
    std::vector<std::complex<float>> spectrum(n / 2);
    fillNoise(time.data(), n);

    float* fftwTime = fftwf_alloc_real(n);
    float* fftwResult = fftwf_alloc_real(n);
    fftwf_complex* fftwSpectrum = fftwf_alloc_complex(n / 2 + 1);
    fftwf_plan forward = fftwf_plan_dft_r2c_1d(static_cast<int>(n), fftwTime, fftwSpectrum, FFTW_MEASURE);
    fftwf_plan inverse = fftwf_plan_dft_c2r_1d(static_cast<int>(n), fftwSpectrum, fftwResult, FFTW_MEASURE);
    fillNoise(fftwTime, n); // planning with FFTW_MEASURE overwrites the arrays

    double ours = 0.0, theirs = 0.0;
    for (auto _ : state) {
        const double seconds = turn([&] {
            fft.forward(time.data(), spectrum.data());
            fft.inverse(spectrum.data(), result.data());
            benchmark::DoNotOptimize(result.data());
        });
        ours += seconds;
        state.SetIterationTime(seconds);
        theirs += turn([&] {
            fftwf_execute(forward);
            fftwf_execute(inverse);
            benchmark::DoNotOptimize(fftwResult);
        });
    }
    const double pairs = static_cast<double>(state.iterations()) * pairsPerTurn;
    if (pairs > 0.0 && theirs > 0.0) {
        state.counters["ns"] = ours * 1e9 / pairs;
        state.counters["fftw_ns"] = theirs * 1e9 / pairs;
        state.counters["ratio"] = ours / theirs;
    }

    fftwf_destroy_plan(inverse);
    fftwf_destroy_plan(forward);
    fftwf_free(fftwSpectrum);
    fftwf_free(fftwResult);
    fftwf_free(fftwTime);
}

// Frame lengths of the STFT at the crush rate (640) and the common host rates.
BENCHMARK(realTransform)->ArgName("n")->Arg(640)->Arg(1024)->Arg(2048)->UseManualTime();

} // namespace

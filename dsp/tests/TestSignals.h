#pragma once

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

// Signals and measurements shared by the DSP tests.
namespace dsp::test {

inline constexpr double twoPi = 2.0 * std::numbers::pi;

inline std::vector<float> sine(int n, double frequency, double sampleRate, double amplitude = 1.0)
{
    std::vector<float> x(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        x[i] = static_cast<float>(amplitude * std::sin(twoPi * frequency * i / sampleRate));
    return x;
}

inline std::vector<float> whiteNoise(int n, double amplitude, std::uint32_t seed = 1234)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> uniform(-amplitude, amplitude);
    std::vector<float> x(static_cast<std::size_t>(n));
    for (auto& v : x)
        v = static_cast<float>(uniform(generator));
    return x;
}

inline std::vector<float> sawtooth(int n, double frequency, double sampleRate, double amplitude = 0.5)
{
    std::vector<float> x(static_cast<std::size_t>(n));
    double phase = 0.0;
    for (auto& v : x) {
        v = static_cast<float>(amplitude * (2.0 * phase - 1.0));
        phase += frequency / sampleRate;
        phase -= std::floor(phase);
    }
    return x;
}

/// A vowel-like test voice: a pulse train through two-pole resonators in series.
inline std::vector<float> resonantPulseVoice(int n, double pitch, double sampleRate,
                                             const std::vector<double>& formants,
                                             double bandwidth = 80.0, double amplitude = 0.5)
{
    std::vector<double> signal(static_cast<std::size_t>(n), 0.0);
    const int period = static_cast<int>(sampleRate / pitch);
    for (int i = 0; i < n; i += period)
        signal[i] = 1.0;
    for (double formant : formants) {
        const double r = std::exp(-std::numbers::pi * bandwidth / sampleRate);
        const double a1 = 2.0 * r * std::cos(twoPi * formant / sampleRate);
        const double a2 = -r * r;
        double y1 = 0.0, y2 = 0.0;
        for (auto& v : signal) {
            const double y = v + a1 * y1 + a2 * y2;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
    double peak = 0.0;
    for (double v : signal)
        peak = std::max(peak, std::fabs(v));
    std::vector<float> x(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        x[i] = static_cast<float>(amplitude * signal[i] / peak);
    return x;
}

/// Magnitude of one frequency in a Hann-windowed stretch of x, in double precision.
inline double magnitudeAt(const float* x, int n, double frequency, double sampleRate)
{
    std::complex<double> sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(twoPi * i / n);
        sum += w * x[i] * std::polar(1.0, -twoPi * frequency * i / sampleRate);
    }
    return std::abs(sum);
}

inline double energy(const float* x, int n)
{
    double e = 0.0;
    for (int i = 0; i < n; ++i)
        e += static_cast<double>(x[i]) * x[i];
    return e;
}

} // namespace dsp::test

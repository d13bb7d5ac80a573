#include "tools/zindle-host/CarrierGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

namespace zindlehost {

namespace {

// A2, E3, G3, C4, E4: wide enough that a vocoded voice has partials across its formants.
constexpr std::array<double, 5> chordHz{110.0, 164.814, 195.998, 261.626, 329.628};
constexpr std::array<double, 2> detune{0.9975, 1.0025}; // a slow chorus between the two voices
constexpr double highestPartialHz = 12000.0;
constexpr double peakLevel = 0.5; // -6 dBFS

} // namespace

AudioData makeCarrierChord(double sampleRate, double seconds)
{
    const auto frames = static_cast<std::size_t>(std::llround(sampleRate * seconds));
    const double length = static_cast<double>(frames) / sampleRate;
    const double limit = std::min(highestPartialHz, 0.45 * sampleRate);
    std::vector<double> mix(frames, 0.0);

    for (const double note : chordHz) {
        for (const double factor : detune) {
            // Whole cycles over the length: the loop point falls on the same phase.
            const double cycles = std::max(1.0, std::round(note * factor * length));
            const double frequency = cycles / length;
            // Sawtooth: partial k at 1/k, alternating in sign; each turns by a fixed phasor.
            for (int k = 1; k * frequency < limit; ++k) {
                const double step = 2.0 * std::numbers::pi * k * frequency / sampleRate;
                const std::complex<double> turn = std::polar(1.0, step);
                std::complex<double> phase = 1.0;
                const double amplitude = (k % 2 == 1 ? 1.0 : -1.0) / k;
                for (std::size_t i = 0; i < frames; ++i) {
                    mix[i] += amplitude * phase.imag();
                    phase *= turn;
                }
            }
        }
    }

    double peak = 0.0;
    for (const double x : mix)
        peak = std::max(peak, std::fabs(x));
    const double gain = peak > 0.0 ? peakLevel / peak : 0.0;

    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(1, std::vector<float>(frames));
    std::transform(mix.begin(), mix.end(), audio.channels[0].begin(),
                   [gain](double x) { return static_cast<float>(x * gain); });
    return audio;
}

} // namespace zindlehost

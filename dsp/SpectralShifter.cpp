#include "dsp/SpectralShifter.h"

#include "dsp/BinInterpolation.h"
#include "dsp/Float4.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace dsp {

namespace {

using Complex = std::complex<float>;

/// Floor of every energy and squared magnitude that is divided by, so near-silent bins stay finite.
constexpr float energyFloor = 1e-15f;
constexpr float twoPi = 6.28318530717958647692f;

// Plain complex products: std::complex's own operator* tests every product for NaN to recover
// infinite results, a branch and a possible library call in every bin loop.
inline Complex mul(Complex a, Complex b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

/// a * conj(b)
inline Complex mulConj(Complex a, Complex b)
{
    return {a.real() * b.real() + a.imag() * b.imag(), a.imag() * b.real() - a.real() * b.imag()};
}

inline float norm2(Complex a) { return a.real() * a.real() + a.imag() * a.imag(); }

/// min(bands, ceil(x)), and 0 below 1 or for NaN.
inline int ceilBin(float x, int bands)
{
    if (!(x > 0.0f))
        return 0;
    if (x >= static_cast<float>(bands))
        return bands;
    return static_cast<int>(std::ceil(x));
}

/// min(bands, x truncated), and 0 below 1 or for NaN.
inline int truncatedBin(float x, int bands)
{
    if (!(x > 0.0f))
        return 0;
    if (x >= static_cast<float>(bands))
        return bands;
    return static_cast<int>(x);
}

/// offset - samples, held at INT_MIN: a stream of calls without output must not overflow it.
inline int offsetBefore(int offset, std::size_t samples)
{
    const std::int64_t moved = static_cast<std::int64_t>(offset)
                               - static_cast<std::int64_t>(std::min<std::size_t>(samples, INT_MAX));
    return static_cast<int>(std::max<std::int64_t>(moved, INT_MIN));
}

/// The one-pole smoother state += (x - state) x slew over x[0 .. count - 1], in place, upwards
/// or downwards; returns the final state. It runs four values at a time, each output of a group
/// following from the state before the group, so that the serial chain is one multiply-add per
/// four values instead of three operations per value. The filter is the same; its results
/// agree to rounding.
template <bool Downwards>
[[gnu::always_inline]] inline float smoothRun(float* x, std::size_t count, float state, float slew)
{
    const auto at = [x, count](std::size_t n) -> float& { return Downwards ? x[count - 1 - n] : x[n]; };
    const float a = 1.0f - slew;
    const float a2 = a * a;
    const float a3 = a2 * a;
    const float a4 = a2 * a2;
    std::size_t n = 0;
    for (; n + 4 <= count; n += 4) {
        const float u0 = slew * at(n);
        const float p1 = a * u0 + slew * at(n + 1);
        const float p2 = a * p1 + slew * at(n + 2);
        const float p3 = a * p2 + slew * at(n + 3);
        at(n) = a * state + u0;
        at(n + 1) = a2 * state + p1;
        at(n + 2) = a3 * state + p2;
        state = a4 * state + p3;
        at(n + 3) = state;
    }
    for (; n < count; ++n) {
        state = a * state + slew * at(n);
        at(n) = state;
    }
    return state;
}

std::uint32_t randomSeed()
{
    constexpr std::uint32_t modulus = 2147483647u;
    std::uint32_t value = 1;
    try {
        std::random_device device;
        value = device();
    } catch (...) {
        // No entropy source: any fixed seed will do, and the engine must not throw.
    }
    const std::uint32_t seed = value % modulus;
    return seed == 0 ? 1 : seed;
}

} // namespace

SpectralShifter::SpectralShifter() : random_(randomSeed()) {}

bool SpectralShifter::configure(int channels, int blockSamples, int interval, bool splitComputation)
{
    splitComputation_ = splitComputation;
    channels_ = std::max(channels, 0);
    const std::size_t channelCount = static_cast<std::size_t>(channels_);

    // The STFT takes a quarter block at first; the Kaiser window with the real interval follows.
    configured_ = blockSamples > 0 && interval > 0
                  && stft_.configure(channelCount, channelCount, static_cast<std::size_t>(blockSamples),
                                     static_cast<std::size_t>(interval) + 1, 0)
                  && stft_.setInterval(static_cast<std::size_t>(interval), OverlapAddSTFT::WindowShape::kaiser);
    clearBlockState();
    if (!configured_) {
        stft_ = OverlapAddSTFT();
        bands_ = 0;
        return false;
    }
    stft_.reset(0.1f);

    stashedInput_ = stft_.inputState();
    stashedOutput_ = stft_.outputState();

    bands_ = static_cast<int>(stft_.bands());
    const std::size_t bands = stft_.bands();
    channelBands_.assign(channelCount * bands, Band{});
    peaks_.clear();
    peaks_.reserve((bands + 1) / 2); // every run of peak bins is ended by a skipped bin
    energy_.resize(bands);
    smoothedEnergy_.resize(bands);
    outputMap_.resize(bands);
    channelPredictions_.resize(channelCount * bands);
    lockTerms_.resize(bands);
    nearInput_.resize(channelCount * bands);
    farInput_.resize(channelCount * bands);

    // The rotation's phasor starts at theta_0 and advances bin by bin by complex multiplication;
    // the recurrence only depends on the timing, so it runs here once.
    rotation_.resize(bands);
    const float hop = static_cast<float>(stft_.interval());
    const float size = static_cast<float>(stft_.fftSize());
    const float theta0 = twoPi * hop * 0.5f / size;
    const float delta = twoPi * hop / size;
    Complex phasor(std::cos(theta0), std::sin(theta0));
    const Complex step(std::cos(delta), std::sin(delta));
    for (Complex& r : rotation_) {
        r = phasor;
        phasor = mul(phasor, step);
    }
    return true;
}

void SpectralShifter::restart()
{
    if (!configured_)
        return;
    clearBlockState();
    stft_.reset(0.1f);
    stashedInput_ = stft_.inputState(); // the same sizes: the copies reuse their storage
    stashedOutput_ = stft_.outputState();
    std::fill(channelBands_.begin(), channelBands_.end(), Band{});
    std::fill(channelPredictions_.begin(), channelPredictions_.end(), Prediction{});
    smoothingState_ = 0.0f;
    silenceCounter_ = 0;
    silenceFirst_ = true;
    prevInputOffset_ = -1;
}

void SpectralShifter::clearBlockState()
{
    samplesSinceBlock_ = ~std::uint64_t(0);
    stepsTotal_ = 0;
    stepsDone_ = 0;
    newSpectrum_ = false;
    analysePrevious_ = false;
    mapFrequencies_ = false;
    processFormants_ = false;
    timeFactor_ = 0.0f;
}

void SpectralShifter::passThrough(const float* const* inputs, std::size_t inputSamples, float* const* outputs,
                                  std::size_t outputSamples) const
{
    for (int c = 0; c < channels_; ++c) {
        const float* in = inputs[c];
        float* out = outputs[c];
        if (inputSamples == 0) {
            std::fill_n(out, outputSamples, 0.0f);
            continue;
        }
        // A longer output repeats the input; in place, the first copy is already there.
        for (std::size_t i = in == out ? inputSamples : 0; i < outputSamples; i += inputSamples)
            std::copy_n(in, std::min(inputSamples, outputSamples - i), out + i);
    }
}

void SpectralShifter::feed(const float* const* inputs, std::size_t& fed, std::size_t upTo)
{
    if (upTo <= fed)
        return;
    // Older samples would be overwritten before any analysis reads them.
    const std::size_t count = std::min(upTo - fed, stft_.interval() + stft_.blockSamples());
    stft_.writeInput(inputs, upTo - count, count);
    fed = upTo;
}

void SpectralShifter::process(const float* const* inputs, int inputSamples, float* const* outputs, int outputSamples)
{
    const std::size_t inCount = inputSamples > 0 ? static_cast<std::size_t>(inputSamples) : 0;
    const std::size_t outCount = outputSamples > 0 ? static_cast<std::size_t>(outputSamples) : 0;
    if (!configured_) {
        passThrough(inputs, inCount, outputs, outCount);
        return;
    }

    std::size_t fed = 0;

    // The running sum of squares never falls, so the scan stops at the first proof of sound.
    bool sound = false;
    if (channels_ >= 1 && inCount >= 1) {
        float sum = 0.0f;
        for (int c = 0; c < channels_ && !sound; ++c) {
            const float* x = inputs[c];
            for (std::size_t i = 0; i < inCount; ++i) {
                sum = std::fma(x[i], x[i], sum);
                if (!(sum < energyFloor)) {
                    sound = true;
                    break;
                }
            }
        }
    }
    if (sound) {
        silenceCounter_ = 0;
        silenceFirst_ = true;
    } else if (silenceCounter_ < 2 * static_cast<std::uint64_t>(stft_.blockSamples())) {
        silenceCounter_ += inCount;
    } else {
        if (silenceFirst_) {
            silenceFirst_ = false;
            clearBlockState();
            std::fill(channelBands_.begin(), channelBands_.end(), Band{});
        }
        passThrough(inputs, inCount, outputs, outCount);
        feed(inputs, fed, inCount);
        return;
    }

    if (outCount == 0) {
        feed(inputs, fed, inCount);
        prevInputOffset_ = offsetBefore(prevInputOffset_, inCount);
        return;
    }

    const std::uint64_t interval = stft_.interval();
    const std::size_t channels = static_cast<std::size_t>(channels_);
    for (std::size_t i = 0; i < outCount;) {
        if (samplesSinceBlock_ >= interval) {
            const float pos = std::round(static_cast<float>(inCount) * static_cast<float>(i)
                                         / static_cast<float>(outCount));
            startBlock(inputs, fed, std::min(static_cast<std::size_t>(pos), inCount));
        }

        const std::uint64_t at = samplesSinceBlock_;
        const std::uint64_t target = splitComputation_ ? stepsDueAt(at) : (at == 0 ? stepsTotal_ : 0);
        for (; stepsDone_ < target; ++stepsDone_)
            runStep(stepsDone_);

        // The samples after this one up to the next with steps due, or to the block's end, are
        // read and consumed in one run.
        const std::uint64_t end = std::min<std::uint64_t>(interval, at + (outCount - i));
        std::uint64_t next = at + 1;
        if (splitComputation_) {
            while (next < end && stepsDueAt(next) <= stepsDone_)
                ++next;
        } else {
            next = end;
        }
        const std::size_t run = static_cast<std::size_t>(next - at);
        const OverlapAddSTFT::OutputState& state = splitComputation_ ? stashedOutput_ : stft_.outputState();
        for (std::size_t c = 0; c < channels; ++c)
            stft_.readOutput(state, c, outputs[c] + i, run);
        if (splitComputation_)
            stft_.moveOutput(stashedOutput_, run);
        else
            stft_.moveOutput(run);
        samplesSinceBlock_ = next;
        i += run;
    }

    feed(inputs, fed, inCount);
    prevInputOffset_ = offsetBefore(prevInputOffset_, inCount);
}

// Split computation ends the block's steps on the interval's last sample, evenly spread: by
// sample `at` of the block, this many are done.
inline std::uint64_t SpectralShifter::stepsDueAt(std::uint64_t at) const
{
    if (stepsDone_ >= stepsTotal_)
        return stepsTotal_;
    // Below stepsTotal + 1, so the signed conversion (cheaper than the unsigned one) holds it.
    const float share = static_cast<float>(at + 1) / static_cast<float>(stft_.interval())
                        * (static_cast<float>(stepsTotal_) + 0.999f);
    return std::min(stepsTotal_, static_cast<std::uint64_t>(static_cast<std::int64_t>(share)));
}

void SpectralShifter::startBlock(const float* const* inputs, std::size_t& fed, std::size_t pos)
{
    samplesSinceBlock_ = 0;
    stepsTotal_ = 0;
    stepsDone_ = 0;

    const std::int64_t prev = prevInputOffset_;
    prevInputOffset_ = static_cast<int>(std::min<std::size_t>(pos, INT_MAX));
    feed(inputs, fed, pos);

    // Every analysis of this block reads this copy, however much input arrives meanwhile.
    // The copies reuse the storage sized by configure.
    stashedInput_ = stft_.inputState();
    if (splitComputation_) {
        // Output is read from the copy while this block's frame goes to the live state, one
        // interval further on.
        stashedOutput_ = stft_.outputState();
        stft_.moveOutput(stft_.interval());
    }

    const std::int64_t interval = static_cast<std::int64_t>(stft_.interval());
    const std::int64_t advance = static_cast<std::int64_t>(pos) - prev;
    const std::uint64_t channels = static_cast<std::uint64_t>(channels_);
    newSpectrum_ = advance > 0 || didSeek_;
    analysePrevious_ = newSpectrum_ && (didSeek_ || std::llabs(advance - interval) > 1);
    if (newSpectrum_)
        stepsTotal_ += (channels + 1) * (analysePrevious_ ? 2 : 1);
    mapFrequencies_ = frequencyScaled_ || static_cast<bool>(customFrequencyMap_) || freqMultiplier_ != 1.0f;
    processFormants_ = formantMultiplier_ != 1.0f || (formantCompensation_ && mapFrequencies_);
    timeFactor_ = didSeek_ ? seekTimeFactor_
                           : static_cast<float>(interval) / static_cast<float>(std::max<std::int64_t>(advance, 1));
    didSeek_ = false;

    processSpectrumSteps_ = (newSpectrum_ ? channels + 1 : 0) + (mapFrequencies_ ? 5 : 1)
                            + (processFormants_ ? 3 : 0) + channels + 8;
    stepsTotal_ += channels + processSpectrumSteps_ + 1;
}

bool SpectralShifter::analysisStep(std::uint64_t& step, std::size_t offset, Complex Band::*field)
{
    // channels + 1 steps: one analysis per channel, then the spectra are copied into the bands.
    const std::uint64_t channels = static_cast<std::uint64_t>(channels_);
    const std::size_t bands = static_cast<std::size_t>(bands_);
    if (step < channels) {
        stft_.analyse(static_cast<std::size_t>(step), stashedInput_, offset);
        return true;
    }
    if (step == channels) {
        for (std::size_t c = 0; c < channels; ++c) {
            const Complex* spectrum = stft_.spectrum(c);
            Band* band = channelBands_.data() + c * bands;
            for (std::size_t b = 0; b < bands; ++b)
                band[b].*field = spectrum[b];
        }
        return true;
    }
    step -= channels + 1;
    return false;
}

void SpectralShifter::runStep(std::uint64_t step)
{
    const std::uint64_t channels = static_cast<std::uint64_t>(channels_);
    const std::size_t bands = static_cast<std::size_t>(bands_);

    if (newSpectrum_) {
        // No usable previous frame: analyse the one an interval older first.
        if (analysePrevious_ && analysisStep(step, stft_.interval(), &Band::prevInput))
            return;
        if (analysisStep(step, 0, &Band::input))
            return;
    }

    if (step < processSpectrumSteps_) {
        processSpectrum(step);
        return;
    }
    if (step == processSpectrumSteps_) {
        for (std::size_t c = 0; c < channels; ++c) {
            Complex* spectrum = stft_.spectrum(c);
            const Band* band = channelBands_.data() + c * bands;
            for (std::size_t b = 0; b < bands; ++b)
                spectrum[b] = band[b].output;
        }
        return;
    }
    step -= processSpectrumSteps_ + 1;
    if (step < channels)
        stft_.synthesise(static_cast<std::size_t>(step));
}

void SpectralShifter::processSpectrum(std::uint64_t step)
{
    const std::uint64_t channels = static_cast<std::uint64_t>(channels_);

    if (newSpectrum_) {
        if (step < channels) {
            rotate(static_cast<int>(step));
            return;
        }
        step -= channels;
    }

    if (mapFrequencies_) {
        if (step < 3) {
            smoothEnergy(static_cast<int>(step));
            return;
        }
        if (step == 3) {
            findPeaks();
            return;
        }
        if (step == 4) {
            updateOutputMap();
            return;
        }
        step -= 5;
    } else {
        if (step == 0) {
            for (Band& band : channelBands_)
                band.inputEnergy = norm2(band.input);
            for (int b = 0; b < bands_; ++b)
                outputMap_[static_cast<std::size_t>(b)] = {static_cast<float>(b), 1.0f};
            return;
        }
        step -= 1;
    }

    if (processFormants_) {
        // The formant stage is never enabled in this system; its steps are only counted.
        if (step < 3)
            return;
        step -= 3;
    }

    if (step < channels) {
        // One channel predicts its bins in the phase lock's steps, a few ahead of its chain
        // along the bins, where the work runs while the chain waits.
        if (channels == 1)
            predictedTo_ = 0;
        else
            predict(static_cast<int>(step));
        return;
    }
    step -= channels;

    if (step < 8) {
        lockPhases(static_cast<int>(step));
        return;
    }
    step -= 8;

    if (newSpectrum_ && step == 0) {
        for (Band& band : channelBands_)
            band.prevInput = band.input;
    }
}

void SpectralShifter::rotate(int channel)
{
    // Advance the previous frames by one interval at each bin's centre frequency, so that they
    // carry the phase a steady component would have now.
    Band* band = channelBands_.data() + static_cast<std::size_t>(channel) * static_cast<std::size_t>(bands_);
    const Complex* rotation = rotation_.data();
    for (int b = 0; b < bands_; ++b) {
        const Complex r = rotation[b];
        const Complex prevInput = band[b].prevInput;
        const Complex output = band[b].output;
        band[b].prevInput = mul(prevInput, r);
        band[b].output = mul(output, r);
    }
}

ZINDLE_VECTOR_CLONES void SpectralShifter::smoothEnergy(int step)
{
    const std::size_t bands = static_cast<std::size_t>(bands_);
    if (step == 0) {
        std::fill(energy_.begin(), energy_.end(), 0.0f);
        for (int c = 0; c < channels_; ++c) {
            Band* band = channelBands_.data() + static_cast<std::size_t>(c) * bands;
            float* energy = energy_.data();
            for (std::size_t b = 0; b < bands; ++b) {
                const float e = norm2(band[b].input);
                const float sum = energy[b] + e;
                band[b].inputEnergy = e;
                energy[b] = sum;
            }
        }
        smoothedEnergy_ = energy_;
        smoothingState_ = 0.0f;
        return;
    }

    // One zero-phase pass of a one-pole smoother: down the bins, then up again; the state
    // carries over between directions and passes.
    const float slew = 1.0f / (1.0f + 0.5f * static_cast<float>(stft_.fftSize()) / static_cast<float>(stft_.interval()));
    float state = smoothingState_;
    float* x = smoothedEnergy_.data();
    state = smoothRun<true>(x, bands, state, slew);
    state = smoothRun<false>(x, bands, state, slew);
    smoothingState_ = state;
}

inline float SpectralShifter::mapFrequency(float frequency) const
{
    if (frequencyScaled_)
        return frequencyScale_ * frequency;
    if (customFrequencyMap_)
        return customFrequencyMap_(frequency);
    if (frequency <= freqTonalityLimit_)
        return frequency * freqMultiplier_;
    return frequency + (freqMultiplier_ - 1.0f) * freqTonalityLimit_;
}

ZINDLE_VECTOR_CLONES void SpectralShifter::findPeaks()
{
    // A peak is a run of bins above the smoothed energy, placed at its energy centroid.
    peaks_.clear();
    const int bands = bands_;
    const float size = static_cast<float>(stft_.fftSize());
    const float* energy = energy_.data();
    const float* smoothed = smoothedEnergy_.data();
    for (int b = 0; b < bands;) {
        if (!(energy[b] > smoothed[b])) {
            ++b;
            continue;
        }
        float sum = 0.0f;
        float weighted = 0.0f;
        int j = b;
        for (; j < bands && energy[j] > smoothed[j]; ++j) {
            sum += energy[j];
            weighted += static_cast<float>(j) * energy[j];
        }
        const float input = weighted / sum;
        const float frequency = (input + 0.5f) / size;
        peaks_.push_back({input, mapFrequency(frequency) * size - 0.5f});
        b = j + 1; // the bin that ended the run
    }
}

ZINDLE_VECTOR_CLONES void SpectralShifter::updateOutputMap()
{
    const int bands = bands_;
    MapPoint* map = outputMap_.data();
    if (peaks_.empty()) {
        for (int b = 0; b < bands; ++b)
            map[b] = {static_cast<float>(b), 1.0f};
        return;
    }

    // Below the first and above the last peak the map is a plain shift; between two peaks a
    // smoothstep takes the shift of one to that of the other.
    const Peak& first = peaks_.front();
    for (int b = 0, end = ceilBin(first.output, bands); b < end; ++b)
        map[b] = {static_cast<float>(b) + first.input - first.output, 1.0f};

    for (std::size_t k = 1; k < peaks_.size(); ++k) {
        const Peak& p = peaks_[k - 1];
        const Peak& q = peaks_[k];
        const int begin = ceilBin(p.output, bands);
        const int end = ceilBin(q.output, bands);
        if (begin >= end)
            continue;
        const float inverseSpan = 1.0f / (q.output - p.output);
        const float offset = p.input - p.output;
        const float d = (q.input - q.output) - offset;
        const float slope = d * inverseSpan * 6.0f;
        for (int b = begin; b < end; ++b) {
            const float r = (static_cast<float>(b) - p.output) * inverseSpan;
            map[b] = {static_cast<float>(b) + offset + d * r * r * (3.0f - 2.0f * r), 1.0f + slope * r * (1.0f - r)};
        }
    }

    const Peak& last = peaks_.back();
    for (int b = truncatedBin(last.output, bands); b < bands; ++b)
        map[b] = {static_cast<float>(b) + last.input - last.output, 1.0f};
}

ZINDLE_VECTOR_CLONES void SpectralShifter::predict(int channel) { predictBins(channel, 0, bands_); }

/// Bins from .. to - 1 of one channel: each output bin reads the input at its mapped position
/// and advances its previous output by the input's phase change over the interval. Four bins
/// at a time, each lane by the operations of one bin.
[[gnu::always_inline]] inline void SpectralShifter::predictBins(int channel, int from, int to)
{
    using simd::I4;
    using simd::V4;
    const int bands = bands_;
    const std::size_t base = static_cast<std::size_t>(channel) * static_cast<std::size_t>(bands);
    Band* band = channelBands_.data() + base;
    Prediction* prediction = channelPredictions_.data() + base;
    const MapPoint* map = outputMap_.data();
    const V4 one = V4{} + 1.0f, zero{}, floor = V4{} + energyFloor;

    const auto record = [band](int index, V4& spectra, V4& rest) {
        spectra = simd::load(reinterpret_cast<const float*>(band + index));
        rest = simd::load(reinterpret_cast<const float*>(band + index) + 4);
    };
    int b = from;
    for (; b + 4 <= to; b += 4) {
        const V4 position{map[b].inputBin, map[b + 1].inputBin, map[b + 2].inputBin, map[b + 3].inputBin};
        const V4 grad{map[b].freqGrad, map[b + 1].freqGrad, map[b + 2].freqGrad, map[b + 3].freqGrad};
        const BinInterpolation4 at = BinInterpolation4::at(position, bands);
        const I4 lowerIndex = at.lower, upperIndex = at.upper;
        const V4 lowerWeight = at.lowerWeight, upperWeight = at.upperWeight;

        V4 lowerA[4], lowerB[4], upperA[4], upperB[4], ownA[4], ownB[4];
        for (int l = 0; l < 4; ++l) {
            record(lowerIndex[l], lowerA[l], lowerB[l]);
            record(upperIndex[l], upperA[l], upperB[l]);
            record(b + l, ownA[l], ownB[l]);
        }
        // Columns: input re, im, previous input re, im; output re, im, energy.
        simd::transpose(lowerA[0], lowerA[1], lowerA[2], lowerA[3]);
        simd::transpose(lowerB[0], lowerB[1], lowerB[2], lowerB[3]);
        simd::transpose(upperA[0], upperA[1], upperA[2], upperA[3]);
        simd::transpose(upperB[0], upperB[1], upperB[2], upperB[3]);
        simd::transpose(ownB[0], ownB[1], ownB[2], ownB[3]);
        const V4 oldEnergy{prediction[b].energy, prediction[b + 1].energy, prediction[b + 2].energy,
                           prediction[b + 3].energy};

        const V4 energy = lowerB[2] * lowerWeight + upperB[2] * upperWeight;
        const V4 inRe = lowerA[0] * lowerWeight + upperA[0] * upperWeight;
        const V4 inIm = lowerA[1] * lowerWeight + upperA[1] * upperWeight;
        const V4 prevRe = lowerA[2] * lowerWeight + upperA[2] * upperWeight;
        const V4 prevIm = lowerA[3] * lowerWeight + upperA[3] * upperWeight;
        const V4 newEnergy = (grad < zero ? zero : grad) * energy;
        const V4 advanceRe = inRe * prevRe + inIm * prevIm;
        const V4 advanceIm = inIm * prevRe - inRe * prevIm;
        const V4 scale = one / ((newEnergy < oldEnergy ? oldEnergy : newEnergy) + floor);
        const V4 outRe = (ownB[0] * advanceRe - ownB[1] * advanceIm) * scale;
        const V4 outIm = (ownB[0] * advanceIm + ownB[1] * advanceRe) * scale;
        for (int l = 0; l < 4; ++l) {
            prediction[b + l].energy = newEnergy[l];
            prediction[b + l].input = Complex(inRe[l], inIm[l]);
            band[b + l].output = Complex(outRe[l], outIm[l]);
        }
    }
    for (; b < to; ++b) {
        const MapPoint m = map[b];
        const BinInterpolation at = BinInterpolation::at(m.inputBin, bands);
        const Band lower = band[at.lower];
        const Band upper = band[at.upper];
        const Complex previousOutput = band[b].output;
        const float oldEnergy = prediction[b].energy;

        const float energy = lower.inputEnergy * at.lowerWeight + upper.inputEnergy * at.upperWeight;
        const Complex input = lower.input * at.lowerWeight + upper.input * at.upperWeight;
        const Complex prevInput = lower.prevInput * at.lowerWeight + upper.prevInput * at.upperWeight;
        const float newEnergy = std::max(m.freqGrad, 0.0f) * energy;
        const Complex advance = mulConj(input, prevInput);

        prediction[b].energy = newEnergy;
        prediction[b].input = input;
        band[b].output = mul(previousOutput, advance) * (1.0f / (std::max(newEnergy, oldEnergy) + energyFloor));
    }
}

/// A channel's input read at a fractional bin position.
inline Complex SpectralShifter::inputAt(const Band* band, float position, int bands)
{
    const BinInterpolation at = BinInterpolation::at(position, bands);
    return band[at.lower].input * at.lowerWeight + band[at.upper].input * at.upperWeight;
}

/// The terms of bin b's phase sum that do not depend on the chain along the bins.
inline SpectralShifter::LockTerms SpectralShifter::lockTerms(const Band* band, const Prediction* prediction,
                                                             const Complex* nearInput, const Complex* farInput, int b,
                                                             int bands, int hop, int lead)
{
    const Complex p = prediction[b].input;
    const Complex lower = b > 0 ? mulConj(p, nearInput[b]) : Complex();
    const Complex farLower = b >= hop ? mulConj(p, farInput[b]) : Complex();
    Complex upper;
    if (b < bands - 1)
        upper += mul(mulConj(band[b + 1].output, prediction[b + 1].input), nearInput[b + 1]);
    if (b < bands - hop)
        upper += mul(mulConj(band[b + hop].output, prediction[b + hop].input), farInput[b + hop]);
    return {lower, farLower, upper, lead};
}

/// The locked output of a bin from its phase sum: the sum's direction at the predicted
/// magnitude, or the prediction itself when the sum is too weak to carry a phase. The chain
/// along the bins runs through here: a division and a square root for every bin.
inline Complex SpectralShifter::lockedOutput(Complex sum, const Prediction& now, Complex& direction, float& gain)
{
    const Complex p = now.input;
    const float sumMagnitude2 = norm2(sum);
    const bool weak = sumMagnitude2 <= energyFloor;
    const float magnitude2 = weak ? norm2(p) + energyFloor : sumMagnitude2;
    direction = Complex(weak ? p.real() : sum.real(), weak ? p.imag() : sum.imag());
    gain = std::sqrt(now.energy / magnitude2);
    return direction * gain;
}

void SpectralShifter::lockPhases(int part)
{
    const int bands = bands_;
    const int begin = part * bands / 8;
    const int end = (part + 1) * bands / 8;
    const int hop = static_cast<int>(std::lround(static_cast<float>(stft_.fftSize()) / static_cast<float>(stft_.interval())));
    // Strong time stretching (u above 2) would randomise u; that mode is not part of this
    // engine, so u is used as it is. Here it only exceeds 2 on the first block after a restart,
    // when the spectral history has been cleared.
    const float u = std::max(timeFactor_, 0.5f);
    const float uHop = u * static_cast<float>(hop);
    if (channels_ == 1)
        lockSingleChannel(begin, end, hop, u, uHop);
    else
        lockChannels(begin, end, hop, u, uHop);
}

ZINDLE_VECTOR_CLONES void SpectralShifter::lockSingleChannel(int begin, int end, int hop, float u, float uHop)
{
    // Each bin's phase follows its lower neighbours' final outputs, so the bins form one serial
    // chain. Everything else for a bin is worked out in the same pass, a few bins ahead, so
    // that it runs while the chain waits. The lower neighbour's output stays in registers
    // along the chain, as its direction and its gain: the product with the next bin's factor
    // then starts before the gain, which waits for a division and a square root, is known.
    const int bands = bands_;
    Band* band = channelBands_.data();
    const Prediction* prediction = channelPredictions_.data();
    const MapPoint* map = outputMap_.data();
    Complex* nearInput = nearInput_.data();
    Complex* farInput = farInput_.data();
    const int readEnd = std::min(end + hop, bands);
    // The input at the shifted positions, read four bins at a time ahead of the chain.
    int readTo = begin;
    const auto readAhead = [&](int upTo) __attribute__((always_inline)) {
        upTo = std::min(upTo, readEnd);
        // Predicted in whole groups of four from bin 0, so that only the spectrum's top
        // leaves a rest.
        if (predictedTo_ < upTo) {
            const int to = std::min(predictedTo_ + (upTo - predictedTo_ + 3) / 4 * 4, bands);
            predictBins(0, predictedTo_, to);
            predictedTo_ = to;
        }
        for (; readTo + 4 <= upTo; readTo += 4) {
            const int j = readTo;
            const simd::V4 position{map[j].inputBin, map[j + 1].inputBin, map[j + 2].inputBin, map[j + 3].inputBin};
            const BinInterpolation4 nearAt = BinInterpolation4::at(position - u, bands);
            const BinInterpolation4 farAt = BinInterpolation4::at(position - uHop, bands);
            for (int l = 0; l < 4; ++l) {
                nearInput[j + l] = band[nearAt.lower[l]].input * nearAt.lowerWeight[l]
                                   + band[nearAt.upper[l]].input * nearAt.upperWeight[l];
                farInput[j + l] =
                    band[farAt.lower[l]].input * farAt.lowerWeight[l] + band[farAt.upper[l]].input * farAt.upperWeight[l];
            }
        }
        for (; readTo < upTo; ++readTo) {
            nearInput[readTo] = inputAt(band, map[readTo].inputBin - u, bands);
            farInput[readTo] = inputAt(band, map[readTo].inputBin - uHop, bands);
        }
    };
    readAhead(begin + hop);

    Complex previousDirection;
    float previousGain = 0.0f;
    if (begin > 0) {
        previousDirection = band[begin - 1].output;
        previousGain = 1.0f;
    }
    for (int b = begin; b < end; ++b) {
        // The upper neighbours still hold their predictions: the chain has not reached them.
        if (readTo <= b + hop)
            readAhead(b + hop + 4);
        const LockTerms t = lockTerms(band, prediction, nearInput, farInput, b, bands, hop, 0);

        const Complex farOutput = b >= hop ? band[b - hop].output : Complex();
        Complex lowerTerm;
        if (b > 0)
            lowerTerm = mul(previousDirection, t.lower) * previousGain;
        const Complex sum = t.upper + mul(farOutput, t.farLower) + lowerTerm;
        band[b].output = lockedOutput(sum, prediction[b], previousDirection, previousGain);
    }
}

void SpectralShifter::lockChannels(int begin, int end, int hop, float u, float uHop)
{
    const int bands = bands_;
    const int channels = channels_;
    const std::size_t stride = static_cast<std::size_t>(bands);
    const MapPoint* map = outputMap_.data();
    LockTerms* terms = lockTerms_.data();

    // Each bin's phase follows its lower neighbours' final outputs, so the bins form one serial
    // chain. Everything that does not depend on that chain is gathered first: the input read
    // at the positions the terms ask for, the factors for the lower neighbours, and the terms
    // of the upper neighbours, which still hold their predictions.
    const int readEnd = std::min(end + hop, bands);
    for (int c = 0; c < channels; ++c) {
        const std::size_t base = static_cast<std::size_t>(c) * stride;
        const Band* band = channelBands_.data() + base;
        Complex* nearInput = nearInput_.data() + base;
        Complex* farInput = farInput_.data() + base;
        for (int j = begin; j < readEnd; ++j) {
            nearInput[j] = inputAt(band, map[j].inputBin - u, bands);
            farInput[j] = inputAt(band, map[j].inputBin - uHop, bands);
        }
    }

    for (int b = begin; b < end; ++b) {
        // The loudest channel leads; the others keep their phase offsets to it.
        int lead = 0;
        float loudest = channelPredictions_[static_cast<std::size_t>(b)].energy;
        for (int c = 1; c < channels; ++c) {
            const float e = channelPredictions_[static_cast<std::size_t>(c) * stride + static_cast<std::size_t>(b)].energy;
            if (e > loudest) {
                loudest = e;
                lead = c;
            }
        }
        const std::size_t base = static_cast<std::size_t>(lead) * stride;
        terms[b] = lockTerms(channelBands_.data() + base, channelPredictions_.data() + base, nearInput_.data() + base,
                             farInput_.data() + base, b, bands, hop, lead);
    }

    for (int b = begin; b < end; ++b) {
        const LockTerms t = terms[b];
        Band* band = channelBands_.data() + static_cast<std::size_t>(t.lead) * stride;
        const Prediction now = channelPredictions_[static_cast<std::size_t>(t.lead) * stride + static_cast<std::size_t>(b)];
        const Complex farOutput = b >= hop ? band[b - hop].output : Complex();
        Complex lowerTerm;
        if (b > 0)
            lowerTerm = mul(band[b - 1].output, t.lower);
        const Complex sum = t.upper + mul(farOutput, t.farLower) + lowerTerm;
        Complex direction;
        float gain = 0.0f;
        const Complex leadOutput = lockedOutput(sum, now, direction, gain);
        band[b].output = leadOutput;

        const Complex p = now.input;
        for (int d = 0; d < channels; ++d) {
            if (d == t.lead)
                continue;
            const std::size_t index = static_cast<std::size_t>(d) * stride + static_cast<std::size_t>(b);
            const Prediction& other = channelPredictions_[index];
            Complex r = mulConj(mul(leadOutput, other.input), p);
            float r2 = norm2(r);
            if (r2 <= energyFloor) {
                r = other.input;
                r2 = norm2(other.input) + energyFloor;
            }
            channelBands_[index].output = r * std::sqrt(other.energy / r2);
        }
    }
}

} // namespace dsp

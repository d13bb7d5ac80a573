#include "dsp/SpectralShifter.h"

#include "dsp/BinInterpolation.h"
#include "dsp/Float4.h"

#include <algorithm>
#include <bit>
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

/// A complex value of float lanes: one bin, or four bins side by side.
template <typename T>
struct Lanes {
    T re, im;
};

template <typename T>
inline Lanes<T> mul(Lanes<T> a, Lanes<T> b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

/// a * conj(b)
template <typename T>
inline Lanes<T> mulConj(Lanes<T> a, Lanes<T> b)
{
    return {a.re * b.re + a.im * b.im, a.im * b.re - a.re * b.im};
}

/// The value of re and im at index i, one float or four.
template <typename T>
inline Lanes<T> loadLanes(const float* re, const float* im, int i)
{
    return {simd::load<T>(re + i), simd::load<T>(im + i)};
}

template <typename T>
inline void storeLanes(float* re, float* im, int i, Lanes<T> v)
{
    simd::store(re + i, v.re);
    simd::store(im + i, v.im);
}

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
/// agree to rounding. The parts of four groups that do not wait for the state are worked out
/// side by side, a group in each lane.
template <bool Downwards>
[[gnu::always_inline]] inline float smoothRun(float* x, std::size_t count, float state, float slew)
{
    using simd::V4;
    const auto at = [x, count](std::size_t n) -> float& { return Downwards ? x[count - 1 - n] : x[n]; };
    // The four values from at(n) on, in that order.
    const auto loadGroup = [x, count](std::size_t n) {
        return Downwards ? simd::reversed(simd::load(x + count - 4 - n)) : simd::load(x + n);
    };
    const auto storeGroup = [x, count](std::size_t n, V4 v) {
        if (Downwards)
            simd::store(x + count - 4 - n, simd::reversed(v));
        else
            simd::store(x + n, v);
    };
    const float a = 1.0f - slew;
    const float a2 = a * a;
    const float a3 = a2 * a;
    const float a4 = a2 * a2;
    const V4 powers{a, a2, a3, a4};
    std::size_t n = 0;
    for (; n + 16 <= count; n += 16) {
        // Columns: lane g holds value k of group g.
        V4 c0 = loadGroup(n), c1 = loadGroup(n + 4), c2 = loadGroup(n + 8), c3 = loadGroup(n + 12);
        simd::transpose(c0, c1, c2, c3);
        V4 u0 = slew * c0;
        V4 p1 = a * u0 + slew * c1;
        V4 p2 = a * p1 + slew * c2;
        V4 p3 = a * p2 + slew * c3;
        const V4 last = p3;
        simd::transpose(u0, p1, p2, p3); // now group by group
        const V4 parts[4] = {u0, p1, p2, p3};
        for (int g = 0; g < 4; ++g) {
            storeGroup(n + 4 * static_cast<std::size_t>(g), powers * state + parts[g]);
            state = a4 * state + last[g];
        }
    }
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

void SpectralShifter::Predictions::resize(std::size_t size)
{
    for (std::vector<float>* v : {&energy, &re, &im, &outRe, &outIm, &nearRe, &nearIm, &farRe, &farIm})
        v->resize(size);
}

void SpectralShifter::Predictions::clear()
{
    for (std::vector<float>* v : {&energy, &re, &im, &outRe, &outIm, &nearRe, &nearIm, &farRe, &farIm})
        std::fill(v->begin(), v->end(), 0.0f);
}

void SpectralShifter::LockTerms::resize(std::size_t size)
{
    for (std::vector<float>* v : {&lowerRe, &lowerIm, &farLowerRe, &farLowerIm, &upperRe, &upperIm})
        v->resize(size);
    lead.resize(size);
}

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
    pendingOutput_.assign(channelCount * stft_.interval(), 0.0f);

    bands_ = static_cast<int>(stft_.bands());
    const std::size_t bands = stft_.bands();
    channelBands_.assign(channelCount * bands, Band{});
    peaks_.clear();
    peaks_.reserve((bands + 1) / 2); // every run of peak bins is ended by a skipped bin
    energy_.assign(bands + 4, 0.0f); // the peak search reads four bins at a time
    aboveBits_.assign((bands + 63) / 64, 0);
    smoothedEnergy_.resize(bands);
    outputMap_.resize(bands + 3); // the map between two peaks is written four bins at a time
    predictions_.resize(channelCount * bands);
    lockTerms_.resize(bands);

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
    stashedInput_ = stft_.inputState(); // the same size: the copy reuses its storage
    std::fill(pendingOutput_.begin(), pendingOutput_.end(), 0.0f);
    std::fill(channelBands_.begin(), channelBands_.end(), Band{});
    predictions_.clear();
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
        const std::uint64_t next = splitComputation_ ? nextStepSample(at + 1, end) : end;
        const std::size_t run = static_cast<std::size_t>(next - at);
        if (splitComputation_) {
            for (std::size_t c = 0; c < channels; ++c)
                std::copy_n(pendingOutput_.data() + c * interval + at, run, outputs[c] + i);
        } else {
            for (std::size_t c = 0; c < channels; ++c)
                stft_.readOutput(stft_.outputState(), c, outputs[c] + i, run);
            stft_.moveOutput(run);
        }
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
    // Within a block the sample count stays below the interval and the share below
    // stepsTotal + 1, so the signed conversions (cheaper than the unsigned ones) hold them.
    const float share = static_cast<float>(static_cast<std::int64_t>(at + 1)) / intervalSamples_ * stepShare_;
    return std::min(stepsTotal_, static_cast<std::uint64_t>(static_cast<std::int64_t>(share)));
}

/// The first sample from `from` on, below `end`, on which steps are due; end if there is none.
std::uint64_t SpectralShifter::nextStepSample(std::uint64_t from, std::uint64_t end) const
{
    if (stepsDone_ >= stepsTotal_ || from >= end)
        return end;
    // The share only grows with the sample, so the first one is found from an estimate and the
    // exact test on either side of it.
    const auto due = [this](std::uint64_t s) { return stepsDueAt(s) > stepsDone_; };
    const double estimate = std::ceil(static_cast<double>(stepsDone_ + 1) * samplesPerStep_) - 1.0;
    std::uint64_t s = from;
    if (estimate > static_cast<double>(from))
        s = estimate < static_cast<double>(end) ? static_cast<std::uint64_t>(estimate) : end;
    while (s > from && due(s - 1))
        --s;
    while (s < end && !due(s))
        ++s;
    return s;
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
    // The copy reuses the storage sized by configure.
    stashedInput_ = stft_.inputState();
    if (splitComputation_) {
        // The interval's output is final now: it is read out, while this block's frame goes
        // to the live state one interval further on.
        const std::size_t interval = stft_.interval();
        for (std::size_t c = 0; c < static_cast<std::size_t>(channels_); ++c)
            stft_.readOutput(stft_.outputState(), c, pendingOutput_.data() + c * interval, interval);
        stft_.moveOutput(interval);
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
    intervalSamples_ = static_cast<float>(interval);
    stepShare_ = static_cast<float>(static_cast<std::int64_t>(stepsTotal_)) + 0.999f;
    samplesPerStep_ = static_cast<double>(interval) / (static_cast<double>(stepsTotal_) + 0.999);
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
    // A peak is a run of bins above the smoothed energy, placed at its energy centroid. Runs of
    // a few bins come and go in no pattern a branch predictor follows, so they are found as
    // bits and summed four bins at a time, the bins past a run's end adding 0.
    peaks_.clear();
    const int bands = bands_;
    const float size = static_cast<float>(stft_.fftSize());
    const float* energy = energy_.data(); // four zeros past the last bin
    const float* smoothed = smoothedEnergy_.data();
    std::uint64_t* above = aboveBits_.data(); // bit b % 64 of word b / 64: bin b is above
    const int words = static_cast<int>(aboveBits_.size());
    for (int w = 0; w < words; ++w) {
        std::uint64_t bits = 0;
        for (int b = 64 * w, end = std::min(b + 64, bands); b < end; ++b)
            bits |= static_cast<std::uint64_t>(energy[b] > smoothed[b]) << (b & 63);
        above[w] = bits;
    }

    const auto kept = [](float v, bool keep) {
        return std::bit_cast<float>(std::bit_cast<std::uint32_t>(v) & (keep ? ~0u : 0u));
    };
    std::uint64_t carry = 0; // the last bit of the word before
    for (int w = 0; w < words; ++w) {
        const std::uint64_t bits = above[w];
        std::uint64_t starts = bits & ~((bits << 1) | carry);
        carry = bits >> 63;
        while (starts != 0) {
            const int first = std::countr_zero(starts);
            starts &= starts - 1;
            // The run's length, through the words it reaches into.
            int length = std::countr_one(bits >> first);
            for (int next = w + 1; first + length == 64 * (next - w) && next < words; ++next)
                length += std::countr_one(above[next]);
            const int start = 64 * w + first;
            float sum = 0.0f;
            float weighted = 0.0f;
            for (int j = start, left = length; left > 0; j += 4, left -= 4) {
                const float e0 = energy[j], e1 = kept(energy[j + 1], left > 1), e2 = kept(energy[j + 2], left > 2),
                            e3 = kept(energy[j + 3], left > 3);
                sum += e0;
                weighted += static_cast<float>(j) * e0;
                sum += e1;
                weighted += static_cast<float>(j + 1) * e1;
                sum += e2;
                weighted += static_cast<float>(j + 2) * e2;
                sum += e3;
                weighted += static_cast<float>(j + 3) * e3;
            }
            const float input = weighted / sum;
            const float frequency = (input + 0.5f) / size;
            peaks_.push_back({input, mapFrequency(frequency) * size - 0.5f});
        }
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

    // Where the peaks' output positions rise, every span starts where the one before ends, and
    // the last peak's shift covers the top from where the last span ends or earlier; so a span
    // may be written four bins at a time, its last group reaching past its end, as what follows
    // overwrites that. A span is a few bins, whose count a loop over single bins would branch
    // on. Elsewhere the spans go bin by bin, a later one over an earlier one.
    bool rising = true;
    for (std::size_t k = 1; k < peaks_.size(); ++k)
        rising = rising && peaks_[k - 1].output <= peaks_[k].output;
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
        if (rising) {
            for (int b = begin; b < end; b += 4) {
                using simd::V4;
                const V4 bin = V4{0.0f, 1.0f, 2.0f, 3.0f} + static_cast<float>(b);
                const V4 r = (bin - p.output) * inverseSpan;
                simd::storePairs(reinterpret_cast<float*>(map + b), bin + offset + d * r * r * (3.0f - 2.0f * r),
                                 1.0f + slope * r * (1.0f - r));
            }
            continue;
        }
        for (int b = begin; b < end; ++b) {
            const float r = (static_cast<float>(b) - p.output) * inverseSpan;
            map[b] = {static_cast<float>(b) + offset + d * r * r * (3.0f - 2.0f * r), 1.0f + slope * r * (1.0f - r)};
        }
    }

    const Peak& last = peaks_.back();
    for (int b = truncatedBin(last.output, bands); b < bands; ++b)
        map[b] = {static_cast<float>(b) + last.input - last.output, 1.0f};
}

ZINDLE_VECTOR_CLONES void SpectralShifter::predict(int channel) { predictBins<false>(channel, 0, bands_, 1.0f, 1.0f, 1); }

inline SpectralShifter::PredictionLanes SpectralShifter::predictionLanes(int channel)
{
    const std::size_t base = static_cast<std::size_t>(channel) * static_cast<std::size_t>(bands_);
    Predictions& p = predictions_;
    return {p.energy.data() + base, p.re.data() + base,     p.im.data() + base,
            p.outRe.data() + base,  p.outIm.data() + base,  p.nearRe.data() + base,
            p.nearIm.data() + base, p.farRe.data() + base,  p.farIm.data() + base};
}

inline SpectralShifter::TermLanes SpectralShifter::termLanes()
{
    LockTerms& t = lockTerms_;
    return {t.lowerRe.data(), t.lowerIm.data(), t.farLowerRe.data(), t.farLowerIm.data(), t.upperRe.data(),
            t.upperIm.data()};
}

/// Bins from .. to - 1 of one channel: each output bin reads the input at its mapped position
/// and advances its previous output by the input's phase change over the interval. Four bins
/// at a time, each lane by the operations of one bin.
template <bool WithReads>
[[gnu::always_inline]] inline void SpectralShifter::predictBins(int channel, int from, int to, float u, float uHop,
                                                                int hop)
{
    using simd::I4;
    using simd::V4;
    const int bands = bands_;
    const Band* band = channelBands_.data() + static_cast<std::size_t>(channel) * static_cast<std::size_t>(bands);
    const PredictionLanes p = predictionLanes(channel);
    const MapPoint* map = outputMap_.data();
    const V4 one = V4{} + 1.0f, zero{}, floor = V4{} + energyFloor;

    const auto record = [band](int index, V4& spectra, V4& rest) {
        spectra = simd::load(reinterpret_cast<const float*>(band + index));
        rest = simd::load(reinterpret_cast<const float*>(band + index) + 4);
    };
    const auto spectra = [band](int index) { return simd::load(reinterpret_cast<const float*>(band + index)); };
    // With a whole-bin step and a whole hop, the shifted reads at x - 1 and x - L have the
    // interpolation of x moved down by 1 and L bins: wherever x - L is at least 1 the
    // subtractions are exact, so the same weights come out of them. The input read at x - 1
    // then shares its upper bin with the prediction's lower one.
    const bool wholeSteps = WithReads && u == 1.0f && uHop == static_cast<float>(hop);
    const float shiftedFrom = static_cast<float>(hop) + 1.0f;
    const float shiftedBelow = static_cast<float>(bands - 1);
    int b = from;
    for (; b + 4 <= to; b += 4) {
        V4 position, grad;
        simd::loadPairs(reinterpret_cast<const float*>(map + b), position, grad);
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
        const V4 oldEnergy = simd::load(p.energy + b);

        const V4 energy = lowerB[2] * lowerWeight + upperB[2] * upperWeight;
        const V4 inRe = lowerA[0] * lowerWeight + upperA[0] * upperWeight;
        const V4 inIm = lowerA[1] * lowerWeight + upperA[1] * upperWeight;
        const V4 prevRe = lowerA[2] * lowerWeight + upperA[2] * upperWeight;
        const V4 prevIm = lowerA[3] * lowerWeight + upperA[3] * upperWeight;
        const V4 newEnergy = (grad < zero ? zero : grad) * energy;
        const V4 advanceRe = inRe * prevRe + inIm * prevIm;
        const V4 advanceIm = inIm * prevRe - inRe * prevIm;
        const V4 scale = one / ((newEnergy < oldEnergy ? oldEnergy : newEnergy) + floor);
        simd::store(p.energy + b, newEnergy);
        simd::store(p.re + b, inRe);
        simd::store(p.im + b, inIm);
        simd::store(p.outRe + b, (ownB[0] * advanceRe - ownB[1] * advanceIm) * scale);
        simd::store(p.outIm + b, (ownB[0] * advanceIm + ownB[1] * advanceRe) * scale);
        if constexpr (WithReads) {
            const I4 interior = (position >= shiftedFrom) & (position < shiftedBelow);
            if (wholeSteps && (interior[0] & interior[1] & interior[2] & interior[3])) {
                V4 nearLower[4], farLower[4], farUpper[4];
                for (int l = 0; l < 4; ++l) {
                    nearLower[l] = spectra(lowerIndex[l] - 1);
                    farLower[l] = spectra(lowerIndex[l] - hop);
                    farUpper[l] = spectra(lowerIndex[l] - hop + 1);
                }
                simd::transpose(nearLower[0], nearLower[1], nearLower[2], nearLower[3]);
                simd::transpose(farLower[0], farLower[1], farLower[2], farLower[3]);
                simd::transpose(farUpper[0], farUpper[1], farUpper[2], farUpper[3]);
                simd::store(p.nearRe + b, nearLower[0] * lowerWeight + lowerA[0] * upperWeight);
                simd::store(p.nearIm + b, nearLower[1] * lowerWeight + lowerA[1] * upperWeight);
                simd::store(p.farRe + b, farLower[0] * lowerWeight + farUpper[0] * upperWeight);
                simd::store(p.farIm + b, farLower[1] * lowerWeight + farUpper[1] * upperWeight);
            } else {
                readShifted(channel, b, b + 4, u, uHop);
            }
        }
    }
    if constexpr (WithReads) {
        if (b < to)
            readShifted(channel, b, to, u, uHop);
    }
    for (; b < to; ++b) {
        const MapPoint m = map[b];
        const BinInterpolation at = BinInterpolation::at(m.inputBin, bands);
        const Band lower = band[at.lower];
        const Band upper = band[at.upper];
        const float oldEnergy = p.energy[b];

        const float energy = lower.inputEnergy * at.lowerWeight + upper.inputEnergy * at.upperWeight;
        const Complex input = lower.input * at.lowerWeight + upper.input * at.upperWeight;
        const Complex prevInput = lower.prevInput * at.lowerWeight + upper.prevInput * at.upperWeight;
        const float newEnergy = std::max(m.freqGrad, 0.0f) * energy;
        const Complex output =
            mul(band[b].output, mulConj(input, prevInput)) * (1.0f / (std::max(newEnergy, oldEnergy) + energyFloor));
        p.energy[b] = newEnergy;
        p.re[b] = input.real();
        p.im[b] = input.imag();
        p.outRe[b] = output.real();
        p.outIm[b] = output.imag();
    }
}

/// Bins from .. to - 1 of one channel: the input read u and u L bins below the mapped position,
/// where the phase sums look for the phase change of their neighbours.
[[gnu::always_inline]] inline void SpectralShifter::readShifted(int channel, int from, int to, float u, float uHop)
{
    using simd::V4;
    const int bands = bands_;
    const Band* band = channelBands_.data() + static_cast<std::size_t>(channel) * static_cast<std::size_t>(bands);
    const PredictionLanes p = predictionLanes(channel);
    const MapPoint* map = outputMap_.data();
    // Four records' input spectra side by side: columns re, im (then the previous input, unused).
    const auto inputAt4 = [band](const BinInterpolation4& at, float* re, float* im) __attribute__((always_inline)) {
        V4 lower[4], upper[4];
        for (int l = 0; l < 4; ++l) {
            lower[l] = simd::load(reinterpret_cast<const float*>(band + at.lower[l]));
            upper[l] = simd::load(reinterpret_cast<const float*>(band + at.upper[l]));
        }
        simd::transpose(lower[0], lower[1], lower[2], lower[3]);
        simd::transpose(upper[0], upper[1], upper[2], upper[3]);
        simd::store(re, lower[0] * at.lowerWeight + upper[0] * at.upperWeight);
        simd::store(im, lower[1] * at.lowerWeight + upper[1] * at.upperWeight);
    };
    const auto inputAt = [band, bands](float position, float* re, float* im) __attribute__((always_inline)) {
        const BinInterpolation at = BinInterpolation::at(position, bands);
        const Complex v = band[at.lower].input * at.lowerWeight + band[at.upper].input * at.upperWeight;
        *re = v.real();
        *im = v.imag();
    };
    int j = from;
    for (; j + 4 <= to; j += 4) {
        V4 position, grad;
        simd::loadPairs(reinterpret_cast<const float*>(map + j), position, grad);
        inputAt4(BinInterpolation4::at(position - u, bands), p.nearRe + j, p.nearIm + j);
        inputAt4(BinInterpolation4::at(position - uHop, bands), p.farRe + j, p.farIm + j);
    }
    for (; j < to; ++j) {
        inputAt(map[j].inputBin - u, p.nearRe + j, p.nearIm + j);
        inputAt(map[j].inputBin - uHop, p.farRe + j, p.farIm + j);
    }
}

/// The terms of bin b's phase sum that do not depend on the chain along the bins, for one bin,
/// or for four that all have their neighbours b - L and b + L inside the spectrum.
template <typename T>
[[gnu::always_inline]] inline void SpectralShifter::lockTermsAt(const PredictionLanes& p, const TermLanes& t, int b,
                                                                int bands, int hop)
{
    constexpr bool inside = sizeof(T) > sizeof(float);
    const T zero{};
    const Lanes<T> prediction = loadLanes<T>(p.re, p.im, b);
    Lanes<T> lower{zero, zero}, farLower{zero, zero}, upper{zero, zero};
    if (inside || b > 0)
        lower = mulConj(prediction, loadLanes<T>(p.nearRe, p.nearIm, b));
    if (inside || b >= hop)
        farLower = mulConj(prediction, loadLanes<T>(p.farRe, p.farIm, b));
    // The upper neighbours still hold their predictions: the chain has not reached them.
    const auto addUpper = [&](int n, const float* re, const float* im) __attribute__((always_inline)) {
        const Lanes<T> term =
            mul(mulConj(loadLanes<T>(p.outRe, p.outIm, n), loadLanes<T>(p.re, p.im, n)), loadLanes<T>(re, im, n));
        upper = {upper.re + term.re, upper.im + term.im};
    };
    if (inside || b < bands - 1)
        addUpper(b + 1, p.nearRe, p.nearIm);
    if (inside || b < bands - hop)
        addUpper(b + hop, p.farRe, p.farIm);
    storeLanes(t.lowerRe, t.lowerIm, b, lower);
    storeLanes(t.farLowerRe, t.farLowerIm, b, farLower);
    storeLanes(t.upperRe, t.upperIm, b, upper);
}

/// The locked output of a bin from its phase sum: the sum's direction at the predicted
/// magnitude, or the prediction itself when the sum is too weak to carry a phase. The chain
/// along the bins runs through here: a division and a square root for every bin.
[[gnu::always_inline]] inline Complex lockedOutput(Complex sum, Complex prediction, float energy, Complex& direction,
                                                   float& gain)
{
    const float sumMagnitude2 = norm2(sum);
    const bool weak = sumMagnitude2 <= energyFloor;
    const float magnitude2 = weak ? norm2(prediction) + energyFloor : sumMagnitude2;
    direction = weak ? prediction : sum;
    gain = std::sqrt(energy / magnitude2);
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
    // chain. Everything else for a bin is worked out a group of bins ahead of it, four bins at
    // a time, so that it runs while the chain waits. The lower neighbour's output stays in
    // registers along the chain, as its direction and its gain: the product with the next
    // bin's factor then starts before the gain, which waits for a division and a square root,
    // is known.
    const int bands = bands_;
    Band* band = channelBands_.data();
    const PredictionLanes p = predictionLanes(0);
    const TermLanes t = termLanes();
    int termsTo = begin;
    // The two parts of making the terms of the bins below upTo known. The terms of bin b read
    // the predictions and shifted input of bins b + 1 and b + L; both go in whole groups of
    // four where they can, from bin 0 on, so that only the spectrum's top leaves a rest. Neither
    // depends on the chain, so what an earlier part made ahead stands.
    const auto predictFor = [&](int upTo) __attribute__((always_inline)) {
        const int needed = std::min(std::min(upTo, end) + hop, bands);
        if (predictedTo_ < needed) {
            const int to = std::min(predictedTo_ + (needed - predictedTo_ + 3) / 4 * 4, bands);
            predictBins<true>(0, predictedTo_, to, u, uHop, hop);
            predictedTo_ = to;
        }
    };
    const auto termsFor = [&](int upTo) __attribute__((always_inline)) {
        upTo = std::min(upTo, end);
        int b = termsTo;
        while (b < upTo) {
            if (b >= hop && b + 4 <= upTo && b + 4 <= bands - hop) {
                lockTermsAt<simd::V4>(p, t, b, bands, hop);
                b += 4;
            } else {
                lockTermsAt<float>(p, t, b, bands, hop);
                ++b;
            }
        }
        termsTo = std::max(termsTo, upTo);
    };

    Complex direction;
    float gain = 0.0f;
    if (begin > 0) {
        direction = band[begin - 1].output;
        gain = 1.0f;
    }
    const auto lock = [&](int k) __attribute__((always_inline)) {
        if (k >= end)
            return;
        const Complex farOutput = k >= hop ? band[k - hop].output : Complex();
        Complex lowerTerm;
        if (k > 0)
            lowerTerm = mul(direction, Complex(t.lowerRe[k], t.lowerIm[k])) * gain;
        const Complex sum = Complex(t.upperRe[k], t.upperIm[k])
                            + mul(farOutput, Complex(t.farLowerRe[k], t.farLowerIm[k])) + lowerTerm;
        band[k].output = lockedOutput(sum, Complex(p.re[k], p.im[k]), p.energy[k], direction, gain);
    };
    predictFor(begin + 4);
    termsFor(begin + 4);
    // The work for the next group goes between the bins of this one, a part after each bin:
    // the chain's operations then wait in the schedulers a bin at a time, not four, and leave
    // them room for the independent work.
    for (int b = begin; b < end; b += 4) {
        lock(b);
        predictFor(b + 8);
        lock(b + 1);
        lock(b + 2);
        termsFor(b + 8);
        lock(b + 3);
    }
}

void SpectralShifter::lockChannels(int begin, int end, int hop, float u, float uHop)
{
    const int bands = bands_;
    const int channels = channels_;
    const std::size_t stride = static_cast<std::size_t>(bands);
    const TermLanes t = termLanes();
    int* leads = lockTerms_.lead.data();

    // Each bin's phase follows its lower neighbours' final outputs, so the bins form one serial
    // chain. Everything that does not depend on that chain is gathered first: the input read
    // at the positions the terms ask for, and the terms of the loudest channel of every bin,
    // whose upper neighbours still hold their predictions.
    const int readEnd = std::min(end + hop, bands);
    for (int c = 0; c < channels; ++c)
        readShifted(c, begin, readEnd, u, uHop);
    const float* energy = predictions_.energy.data();
    for (int b = begin; b < end; ++b) {
        // The loudest channel leads; the others keep their phase offsets to it.
        int lead = 0;
        float loudest = energy[b];
        for (int c = 1; c < channels; ++c) {
            const float e = energy[static_cast<std::size_t>(c) * stride + static_cast<std::size_t>(b)];
            if (e > loudest) {
                loudest = e;
                lead = c;
            }
        }
        leads[b] = lead;
        lockTermsAt<float>(predictionLanes(lead), t, b, bands, hop);
    }

    const float* re = predictions_.re.data();
    const float* im = predictions_.im.data();
    for (int b = begin; b < end; ++b) {
        const int lead = leads[b];
        const std::size_t at = static_cast<std::size_t>(lead) * stride + static_cast<std::size_t>(b);
        Band* band = channelBands_.data() + static_cast<std::size_t>(lead) * stride;
        const Complex farOutput = b >= hop ? band[b - hop].output : Complex();
        Complex lowerTerm;
        if (b > 0)
            lowerTerm = mul(band[b - 1].output, Complex(t.lowerRe[b], t.lowerIm[b]));
        const Complex sum =
            Complex(t.upperRe[b], t.upperIm[b]) + mul(farOutput, Complex(t.farLowerRe[b], t.farLowerIm[b])) + lowerTerm;
        const Complex p(re[at], im[at]);
        Complex direction;
        float gain = 0.0f;
        const Complex leadOutput = lockedOutput(sum, p, energy[at], direction, gain);
        band[b].output = leadOutput;

        for (int d = 0; d < channels; ++d) {
            if (d == lead)
                continue;
            const std::size_t index = static_cast<std::size_t>(d) * stride + static_cast<std::size_t>(b);
            const Complex other(re[index], im[index]);
            Complex r = mulConj(mul(leadOutput, other), p);
            float r2 = norm2(r);
            if (r2 <= energyFloor) {
                r = other;
                r2 = norm2(other) + energyFloor;
            }
            channelBands_[index].output = r * std::sqrt(energy[index] / r2);
        }
    }
}

} // namespace dsp

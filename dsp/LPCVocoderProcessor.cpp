#include "dsp/LPCVocoderProcessor.h"

#include "dsp/AudioUtils.h"
#include "dsp/Compressor.h"
#include "dsp/Float4.h"
#include "dsp/VectorOps.h"
#include "dsp/VoiceProcessor.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <iterator>
#include <limits>
#include <numbers>

namespace dsp {

namespace {

constexpr float highPassTimeConstant = 0.00022736419f; // RC of a 700 Hz corner
constexpr float highPassAlphaAtCrushRate = 0.8766213f;
constexpr float lowPassOmegaTimesRate = 33300.883f;    // 2 pi 5300 Hz
constexpr float frameSeconds = 0.01633f;

// The input stage: a NaN or infinity from the host becomes silence, which would otherwise stay
// in the filter, frame and shifter memories for ever, and anything beyond 60 dB above full
// scale is held there, so that no stage overflows (the formant shifter's phase lock carries
// the sixth power of its input's spectrum, which single precision holds up to about that).
// Ordinary signals pass bit for bit.
constexpr float inputLimit = 1000.0f;
inline float safeInput(float x) { return std::isfinite(x) ? std::clamp(x, -inputLimit, inputLimit) : 0.0f; }

inline void silenceNonFinite(float* x, int n)
{
    for (int i = 0; i < n; ++i)
        x[i] = std::isfinite(x[i]) ? x[i] : 0.0f;
}

inline float quantise(float x, float steps, float inverseSteps)
{
    const float scaled = std::round(std::clamp(x, -1.0f, 1.0f) * steps);
    std::int32_t integer;
    if (scaled >= 2147483648.0f)
        integer = std::numeric_limits<std::int32_t>::max();
    else if (scaled <= -2147483648.0f)
        integer = std::numeric_limits<std::int32_t>::min();
    else
        integer = static_cast<std::int32_t>(scaled);
    return static_cast<float>(integer) * inverseSteps;
}

// Linear interpolation of read(0 .. last) at position.
template <typename Read>
inline float interpolate(Read read, float position, int last)
{
    const int i0 = std::min(static_cast<int>(std::floor(position)), last);
    const float fraction = position - static_cast<float>(i0);
    const int i1 = std::min(last, i0 + 1);
    const float a0 = read(i0);
    return a0 + fraction * (read(i1) - a0);
}

} // namespace

LPCVocoderProcessor::LPCVocoderProcessor(float sampleRate)
    : sampleRate_(sampleRate),
      outputGain_(AudioUtils::decibelToScale(-8.0f)),
      voiceFrameA_(maxFrameLength, 0.0f),
      voiceFrameB_(maxFrameLength, 0.0f),
      window_(maxFrameLength, 0.0f),
      carrierFrameA_(maxFrameLength, 0.0f),
      carrierFrameB_(maxFrameLength, 0.0f)
{
    // The noise carrier draws from a generator of our own: the C library's rand() takes a
    // lock, which the render thread must not.
    noiseState_ = static_cast<std::uint32_t>(std::time(nullptr)) ^ 0x9e3779b9u;
    if (noiseState_ == 0)
        noiseState_ = 1;

    formantShifter_ = std::make_unique<VoiceProcessor>(sampleRate_);
    compressor_ = std::make_unique<Compressor>(sampleRate_);

    const auto latency = formantShifter_->inputLatency() + formantShifter_->outputLatency();
    delayLine_.assign(static_cast<std::size_t>(latency + maxFrameLength), 0.0f);

    // Converted only once known to fit, so that no rate, however odd, reaches undefined behaviour.
    const float frameSamples = sampleRate_ * frameSeconds;
    const int frames =
        frameSamples >= 1.0f ? static_cast<int>(std::min(frameSamples, static_cast<float>(maxFrameLength))) : 0;
    frameLength_ = std::clamp(frames, 1, maxFrameLength);
    // Frame A is complete when B is half way, and B when A has come N - N/2 further: each
    // first half covers the samples read until the other frame is complete. A one-sample
    // frame has no halves.
    firstHalfA_ = frameLength_ > 1 ? frameLength_ - frameLength_ / 2 : 1;
    firstHalfB_ = frameLength_ > 1 ? frameLength_ / 2 : 1;
    if (frames >= 1) {
        const float step = 2.0f * std::numbers::pi_v<float> / static_cast<float>(frameLength_);
        float x = 0.0f;
        for (int i = 0; i < frameLength_; ++i) {
            window_[i] = 0.5f - 0.5f * std::cos(x);
            x += step;
        }
    }
    computeFilters();
}

LPCVocoderProcessor::~LPCVocoderProcessor() = default;

void LPCVocoderProcessor::computeFilters()
{
    const float rate = processingRate();
    highPassAlpha_ = rate == crushSampleRate
                         ? highPassAlphaAtCrushRate
                         : highPassTimeConstant / (highPassTimeConstant + 1.0f / rate);

    const float w0 = lowPassOmegaTimesRate / rate;
    const float cosW0 = std::cos(w0);
    const float alpha = std::sin(w0) / 1.4142f;
    const float a0 = 1.0f + alpha;
    lowPassB0_ = (1.0f - cosW0) / 2.0f / a0;
    lowPassB1_ = (1.0f - cosW0) / a0;
    lowPassB2_ = lowPassB0_;
    lowPassA1_ = -2.0f * cosW0 / a0;
    lowPassA2_ = (1.0f - alpha) / a0;

    highPassPreviousInput_ = highPassPreviousOutput_ = 0.0f;
    lowPassX1_ = lowPassX2_ = lowPassY1_ = lowPassY2_ = 0.0f;
}

void LPCVocoderProcessor::grow(std::vector<float>& buffer, int n)
{
    if (buffer.size() < static_cast<std::size_t>(n))
        buffer.resize(static_cast<std::size_t>(n));
}

void LPCVocoderProcessor::process(const float* carrier, float* voice, float* out1, float* out2, int n)
{
    if (n < 1)
        return;
    render(carrier, voice, out1, out2, n);

    // Past the input stage nothing makes a sample that is not finite, short of gains far
    // outside their ranges. Should one appear all the same, it is silenced, and the signal
    // state starts afresh so that nothing stays poisoned: one test of the block, not of
    // every sample.
    const bool voiceInPlace = voice && !downsample_ && !sixteenBit_;
    if (allFinite(out1, n) && (out2 == out1 || allFinite(out2, n)) && (!voiceInPlace || allFinite(voice, n))
        && signalStateFinite())
        return;
    silenceNonFinite(out1, n);
    silenceNonFinite(out2, n);
    if (voiceInPlace)
        silenceNonFinite(voice, n);
    restartSignal();
}

bool LPCVocoderProcessor::signalStateFinite() const
{
    const float states[] = {carrierHalfBand_.branch1, carrierHalfBand_.branch1Older, carrierHalfBand_.branch2,
                            carrierHalfBand_.branch2Older, carrierHalfBand_.previousInput, outputHalfBand_.branch1,
                            outputHalfBand_.branch1Older, outputHalfBand_.branch2, outputHalfBand_.branch2Older,
                            outputHalfBand_.previousInput, highPassPreviousInput_, highPassPreviousOutput_,
                            lowPassX1_, lowPassX2_, lowPassY1_, lowPassY2_, previousVoiceSample_, savedGain_};
    return allFinite(states, static_cast<int>(std::size(states)))
           && allFinite(savedCoefficients_.data(), static_cast<int>(savedCoefficients_.size()));
}

void LPCVocoderProcessor::restartSignal()
{
    carrierHalfBand_ = {};
    outputHalfBand_ = {};
    highPassPreviousInput_ = highPassPreviousOutput_ = 0.0f;
    lowPassX1_ = lowPassX2_ = lowPassY1_ = lowPassY2_ = 0.0f;
    std::fill(delayLine_.begin(), delayLine_.end(), 0.0f);
    clearFrames();
    if (!(std::isfinite(savedGain_)
          && allFinite(savedCoefficients_.data(), static_cast<int>(savedCoefficients_.size())))) {
        savedCoefficients_.fill(0.0f);
        savedGain_ = 0.0f;
        savedCoefficientsValid_ = false;
    }
    formantShifter_->restart();
    compressor_->restart();
}

void LPCVocoderProcessor::clearFrames()
{
    filterA_.pending = filterB_.pending = false;
    std::fill(voiceFrameA_.begin(), voiceFrameA_.end(), 0.0f);
    std::fill(voiceFrameB_.begin(), voiceFrameB_.end(), 0.0f);
    std::fill(carrierFrameA_.begin(), carrierFrameA_.end(), 0.0f);
    std::fill(carrierFrameB_.begin(), carrierFrameB_.end(), 0.0f);
    framePosA_ = 0;
    previousVoiceSample_ = 0.0f;
}

void LPCVocoderProcessor::render(const float* carrier, float* voice, float* out1, float* out2, int n)
{
    grow(delayedCarrier_, n);
    float* delayed = delayedCarrier_.data();
    // In runs that wrap neither position, no longer than the delay nor than the line beyond it,
    // no sample is read in the run that wrote it or overwritten before it is read (with no
    // delay each reads its own), so the loops run straight.
    const std::uint64_t length = delayLine_.size();
    const std::uint64_t delay = carrierDelay_;
    float* line = delayLine_.data();
    std::uint64_t write = delayWritePos_;
    for (std::uint64_t i = 0, count = static_cast<std::uint64_t>(std::max(n, 0)); i < count;) {
        const std::uint64_t read = write >= delay ? write - delay : write + length - delay;
        std::uint64_t run = std::min({count - i, length - write, length - read, length - delay});
        if (delay > 0)
            run = std::min(run, delay);
        for (std::uint64_t j = 0; j < run; ++j)
            line[write + j] = safeInput(carrier[i + j]);
        std::copy_n(line + read, run, delayed + i);
        i += run;
        write += run;
        if (write == length)
            write = 0;
    }
    delayWritePos_ = write;

    if (!downsample_ && !sixteenBit_) {
        if (voice) {
            for (int i = 0; i < n; ++i)
                voice[i] = safeInput(voice[i]);
        }
        blockStep(delayed, voice, out1, out2, n);
        return;
    }

    const float steps = sixteenBit_ ? 32767.0f : 2147483648.0f;
    const float inverseSteps = 1.0f / steps;
    const float targetRate = downsample_ ? crushSampleRate : sampleRate_;
    const float ratio = sampleRate_ / targetRate;
    const int m = std::max(static_cast<int>(std::floor(static_cast<float>(n) / ratio)), 1);

    grow(crushCarrier_, m);
    grow(crushVoice_, m);
    grow(crushOutput_, m);
    float* carrierIn = crushCarrier_.data();
    float* voiceIn = voice ? crushVoice_.data() : nullptr;
    float* processed = crushOutput_.data();
    for (int j = 0; j < m; ++j) {
        const float position = ratio * static_cast<float>(j);
        carrierIn[j] = quantise(interpolate([delayed](int k) { return delayed[k]; }, position, n - 1), steps,
                                inverseSteps);
        if (voiceIn) {
            const float v = interpolate([voice](int k) { return safeInput(voice[k]); }, position, n - 1);
            voiceIn[j] = quantise(v, steps, inverseSteps);
        }
    }

    // Both output channels of the block step carry the same samples, so one work block serves.
    blockStep(carrierIn, voiceIn, processed, processed, m);

    for (int i = 0; i < n; ++i) {
        const float position = n > 1 ? static_cast<float>(m - 1) * static_cast<float>(i) / static_cast<float>(n - 1) : 0.0f;
        const float y = interpolate([processed](int k) { return processed[k]; }, position, m - 1);
        out1[i] = y;
        out2[i] = y;
    }
}

[[gnu::always_inline]] inline float LPCVocoderProcessor::halfBand(HalfBandState& state, float x)
{
    // Polyphase pair of second-order all-passes; each branch keeps u - a * y of its last
    // two samples.
    constexpr float a1 = 0.3f;
    constexpr float a2 = 0.77f;
    const float y1 = a1 * x + state.branch1Older;
    state.branch1Older = state.branch1;
    state.branch1 = x - a1 * y1;

    const float u2 = state.previousInput;
    const float y2 = a2 * u2 + state.branch2Older;
    state.branch2Older = state.branch2;
    state.branch2 = u2 - a2 * y2;

    state.previousInput = x;
    return y1 + y2;
}

float LPCVocoderProcessor::nextNoise(std::uint32_t& state)
{
    std::uint32_t s = state;
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    state = s;
    const float draw = static_cast<float>(s >> 1); // 0 .. 2^31 - 1, the range of rand()
    return 2.0f * draw / 2147483648.0f - 1.0f;
}

ZINDLE_VECTOR_CLONES void LPCVocoderProcessor::blockStep(const float* carrier, float* voice, float* out1, float* out2, int n)
{
    const float rate = processingRate();
    const int mode = voiceMode_ >= 0 && voiceMode_ <= 3 ? voiceMode_ : 0;
    // Only the modes that switch on unvoiced blocks pay for the voicing detector.
    const bool unvoiced = voice && (mode == 2 || mode == 3) && AudioUtils::isUnVoiced(voice, n, rate, unvoicedThreshold_);
    const bool noiseCarrier = mode == 1 || (mode == 2 && unvoiced);
    const bool bypass = mode == 3 && unvoiced;

    if (voice) {
        if (formantShift_ != 0.0f)
            formantShifter_->formantShift(voice, n);
        if (compressEnabled_)
            compressor_->compress(voice, n);
    }
    if (n < 1)
        return;

    const int frameLength = frameLength_;
    int posA = framePosA_;
    int posB = (posA + frameLength / 2) % frameLength;
    float previousVoice = previousVoiceSample_;
    const bool frozen = voiceFreeze_;
    const FrameStream streamA{voiceFrameA_, carrierFrameA_, filterA_};
    const FrameStream streamB{voiceFrameB_, carrierFrameB_, filterB_};

    // The filter memories live in locals through the loop, so that the frame calls between its
    // runs do not keep them in memory, to be stored and loaded again on every sample.
    HalfBandState carrierHalfBand = carrierHalfBand_, outputHalfBand = outputHalfBand_;
    float highPassIn = highPassPreviousInput_, highPassOut = highPassPreviousOutput_;
    float lowPassX1 = lowPassX1_, lowPassX2 = lowPassX2_, lowPassY1 = lowPassY1_, lowPassY2 = lowPassY2_;
    std::uint32_t noise = noiseState_;
    float* const voiceA = voiceFrameA_.data();
    float* const voiceB = voiceFrameB_.data();
    float* const carrierA = carrierFrameA_.data();
    float* const carrierB = carrierFrameB_.data();
    const float* const window = window_.data();

    for (int t = 0; t < n;) {
        // Up to the next frame end; a frame read from the next sample on is filtered after it.
        const int end = bypass ? n : t + std::min({n - t, frameLength - posA, frameLength - posB});
        for (; t < end; ++t) {
            const float s = voice ? voice[t] * voiceInGain_ : 0.0f;
            const float x = noiseCarrier ? noiseLevel_ * nextNoise(noise) : carrier[t] * synthInGain_;
            const float dry = voice ? s : x;

            float y;
            if (bypass) {
                y = dry;
            } else {
                const float filteredCarrier = halfBand(carrierHalfBand, x);
                carrierA[posA] = filteredCarrier;
                carrierB[posB] = filteredCarrier;

                const float wA = window[posA];
                const float wB = 1.0f - wA;
                const float oldA = voiceA[posA];
                const float oldB = voiceB[posB];
                if (!frozen) {
                    const float emphasised = s - previousVoice; // first-difference pre-emphasis
                    voiceA[posA] = emphasised * wA;
                    voiceB[posB] = emphasised * wB;
                    previousVoice = s;
                }
                ++posA;
                ++posB;
                const float overlapped = wA * oldA + wB * oldB;
                y = wetMix_ * halfBand(outputHalfBand, overlapped) + dryMix_ * dry;
            }

            if (highPassOn_) {
                const float highPassed = highPassAlpha_ * (highPassOut + y - highPassIn);
                highPassIn = y;
                highPassOut = highPassed;
                y = highPassed;
            }
            if (lowPassOn_) {
                const float lowPassed =
                    lowPassB0_ * y + lowPassB1_ * lowPassX1 + lowPassB2_ * lowPassX2 - lowPassA1_ * lowPassY1 - lowPassA2_ * lowPassY2;
                lowPassX2 = lowPassX1;
                lowPassX1 = y;
                lowPassY2 = lowPassY1;
                lowPassY1 = lowPassed;
                y = lowPassed;
            }

            const float out = voiceOnlyOutput_ ? s : y * outputGain_;
            out1[t] = out;
            out2[t] = out;
        }
        if (posA == frameLength) {
            completeFrame(streamA, streamB, firstHalfA_);
            posA = 0;
        }
        if (posB == frameLength) {
            completeFrame(streamB, streamA, firstHalfB_);
            posB = 0;
        }
    }

    carrierHalfBand_ = carrierHalfBand;
    outputHalfBand_ = outputHalfBand;
    highPassPreviousInput_ = highPassIn;
    highPassPreviousOutput_ = highPassOut;
    lowPassX1_ = lowPassX1;
    lowPassX2_ = lowPassX2;
    lowPassY1_ = lowPassY1;
    lowPassY2_ = lowPassY2;
    noiseState_ = noise;
    framePosA_ = posA;
    previousVoiceSample_ = previousVoice;
}

void LPCVocoderProcessor::completeFrame(FrameStream x, FrameStream y, int half)
{
    prepareFilter(x.voice.data(), x.filter);
    const bool second = y.filter.pending;
    y.filter.pending = false;
    x.filter.pending = half < frameLength_;
    filterSegments(x, second ? &y : nullptr, half);
}

void LPCVocoderProcessor::prepareFilter(const float* voiceFrame, FrameFilter& filter)
{
    filter.state.fill(0.0f);
    filter.silent = false;
    if (voiceFreeze_ && savedCoefficientsValid_) {
        filter.k = savedCoefficients_;
        filter.gain = savedGain_;
        filter.order = lpcOrder_;
        return;
    }

    const int order = lpcOrder_;
    float r[LPCMath::maxOrder + 1];
    LPCMath::calculateAutocorrelation(voiceFrame, frameLength_, order, r);
    r[0] *= 1.001f;
    if (r[0] < 1e-5f) {
        filter.silent = true;
        return;
    }

    float* k = filter.k.data();
    float gain = 0.0f;
    LPCMath::solveDurbin(r, order, k, gain);
    for (int i = 0; i <= order; ++i)
        k[i] = std::clamp(k[i], -0.995f, 0.995f); // keeps the lattice stable
    std::fill(filter.k.begin() + order + 1, filter.k.end(), 0.0f);
    filter.gain = gain;
    filter.order = order;

    savedGain_ = gain;
    savedCoefficientsValid_ = true;
    savedCoefficients_ = filter.k;
}

void LPCVocoderProcessor::filterSegments(FrameStream x, FrameStream* y, int half)
{
    // x's first half from position 0, y's second from frameLength - half: the same length.
    const int from = frameLength_ - half;
    const auto run = [](FrameStream& s, int at) {
        return LPCMath::LatticeRun{s.carrier.data() + at, s.voice.data() + at, s.filter.k.data(), s.filter.gain,
                                   s.filter.state.data()};
    };
    const auto alone = [&run, half](FrameStream& s, int at) {
        if (s.filter.silent) {
            std::fill_n(s.voice.begin() + at, half, 0.0f);
            return;
        }
        const LPCMath::LatticeRun r = run(s, at);
        LPCMath::applyFilter(r.input, half, s.filter.order, r.k, r.gain, r.state, r.output);
    };
    if (y && !x.filter.silent && !y->filter.silent && x.filter.order == y->filter.order) {
        LPCMath::applyFilters(run(x, 0), run(*y, from), half, x.filter.order);
        return;
    }
    alone(x, 0);
    if (y)
        alone(*y, from);
}

void LPCVocoderProcessor::setQuality(float quality)
{
    // Host automation reaches this unclamped; the coefficient store holds order 49 at most.
    if (std::isnan(quality))
        return;
    lpcOrder_ = static_cast<int>(std::clamp(std::trunc(quality), 0.0f, static_cast<float>(LPCMath::maxOrder)));
}

void LPCVocoderProcessor::setWhiteNoiseLevel(float decibels) { noiseLevel_ = AudioUtils::decibelToScale(decibels); }

void LPCVocoderProcessor::setWhiteNoiseThreshold(float threshold) { unvoicedThreshold_ = threshold; }

void LPCVocoderProcessor::setOutputGain(float decibels)
{
    // The output sits 8 dB below the nominal setting.
    outputGain_ = AudioUtils::decibelToScale(decibels - 8.0f);
}

void LPCVocoderProcessor::setVoiceInGain(float decibels) { voiceInGain_ = AudioUtils::decibelToScale(decibels); }

void LPCVocoderProcessor::setSynthInGain(float decibels) { synthInGain_ = AudioUtils::decibelToScale(decibels); }

void LPCVocoderProcessor::setVoiceMode(int mode) { voiceMode_ = mode; }

void LPCVocoderProcessor::setFormantShift(float cents)
{
    formantShift_ = cents / 100.0f;
    formantShifter_->setSemitoneShift(formantShift_);
    // The carrier waits for the voice to come out of the shifter.
    carrierDelay_ = formantShift_ != 0.0f
                        ? static_cast<std::uint32_t>(formantShifter_->inputLatency() + formantShifter_->outputLatency())
                        : 0u;
}

void LPCVocoderProcessor::setHighPassFilter(bool on) { highPassOn_ = on; }

void LPCVocoderProcessor::setLowPassFilter(bool on) { lowPassOn_ = on; }

void LPCVocoderProcessor::setVoiceFreeze(bool on)
{
    if (voiceFreeze_ && !on)
        clearFrames();
    voiceFreeze_ = on;
}

void LPCVocoderProcessor::setDownsampleTo31Khz(bool on)
{
    downsample_ = on;
    formantShifter_->setSampleRate(on ? crushSampleRate : sampleRate_);
    computeFilters();
}

void LPCVocoderProcessor::set16Bit(bool on) { sixteenBit_ = on; }

void LPCVocoderProcessor::setVoiceOnlyOutput(bool on) { voiceOnlyOutput_ = on; }

void LPCVocoderProcessor::setWetMix(float mix) { wetMix_ = mix; }

void LPCVocoderProcessor::setDryMix(float mix) { dryMix_ = mix; }

void LPCVocoderProcessor::setCompressorSettings(float ratio, float thresholdDb, float attackMs, float releaseMs)
{
    compressor_->setRatio(ratio);
    compressor_->setThreshold(thresholdDb);
    compressor_->setWindow(attackMs, releaseMs);
}

void LPCVocoderProcessor::setCompressEnabled(bool on) { compressEnabled_ = on; }

} // namespace dsp

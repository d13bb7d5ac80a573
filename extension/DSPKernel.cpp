#include "extension/DSPKernel.h"

#include "dsp/AudioUtils.h"
#include "dsp/LPCVocoderProcessor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace zindle {

namespace {

constexpr bool isOn(float value) { return value > 0.5f; }

// Toward zero, as an integer field wants it; NaN and out-of-range values from a host must not
// reach an undefined float-to-int conversion.
std::int32_t truncated(float value)
{
    if (std::isnan(value))
        return 0;
    constexpr float lowest = static_cast<float>(std::numeric_limits<std::int32_t>::min());
    constexpr float highest = 2147483520.0f; // the largest float below 2^31
    return static_cast<std::int32_t>(std::clamp(value, lowest, highest));
}

float peakOf(const float* samples, std::uint32_t count, float scale)
{
    float peak = 0.0f;
    for (std::uint32_t i = 0; i < count; ++i)
        peak = std::max(peak, std::fabs(samples[i] * scale));
    return peak;
}

float decibelsOf(float peak) { return peak <= 1e-5f ? DSPKernel::meterFloorDb : 20.0f * std::log10(peak); }

} // namespace

DSPKernel::DSPKernel() = default;
DSPKernel::~DSPKernel() = default;

void DSPKernel::initialize(bool voiceOnlyOutput, double sampleRate, float wetMix, float dryMix, float compressorRatio,
                           float compressorThreshold, float compressorAttackMs, float compressorReleaseMs)
{
    vocoder_.reset();
    sampleRate_ = sampleRate;
    applyPendingParameters(); // into the fields; the new vocoder takes them all below

    vocoder_ = std::make_unique<dsp::LPCVocoderProcessor>(static_cast<float>(sampleRate));
    auto& v = *vocoder_;
    const Parameters& p = parameters_;
    v.setQuality(p.quality);
    v.setWhiteNoiseLevel(p.whiteNoiseLevel);
    v.setWhiteNoiseThreshold(p.whiteNoiseThreshold);
    v.setOutputGain(p.outputGain);
    v.setVoiceInGain(p.voiceInputGain);
    v.setSynthInGain(p.synthInputGain);
    v.setVoiceMode(p.voiceMode);
    v.setFormantShift(p.formantShift);
    v.setHighPassFilter(p.highPassFilter);
    v.setLowPassFilter(p.lowPassFilter);
    v.setVoiceFreeze(p.freeze);
    v.setDownsampleTo31Khz(p.crush);
    v.set16Bit(p.crush);
    v.setCompressEnabled(p.compress);

    v.setVoiceOnlyOutput(voiceOnlyOutput);
    v.setWetMix(wetMix);
    v.setDryMix(dryMix);
    v.setCompressorSettings(compressorRatio, compressorThreshold, compressorAttackMs, compressorReleaseMs);

    // The meters scale their inputs by the gains in force, also when those were set before.
    meters_ = MeterState{};
    meters_->voiceScale = dsp::AudioUtils::decibelToScale(p.voiceInputGain);
    meters_->synthScale = dsp::AudioUtils::decibelToScale(p.synthInputGain);
}

void DSPKernel::releaseVocoder() { vocoder_.reset(); }

void DSPKernel::setParameter(std::uint64_t address, float value, bool notify)
{
    if (address >= parameterCount)
        return;
    const std::uint32_t bit = std::uint32_t(1) << address;
    if (notify) {
        apply(address, value);
        paramValues_[address].store(value, std::memory_order_relaxed);
        changedMask_.fetch_or(bit, std::memory_order_release);
    } else {
        paramValues_[address].store(value, std::memory_order_relaxed);
        pendingMask_.fetch_or(bit, std::memory_order_release);
    }
}

void DSPKernel::applyPendingParameters()
{
    if (pendingMask_.load(std::memory_order_relaxed) == 0)
        return;
    std::uint32_t pending = pendingMask_.exchange(0, std::memory_order_acquire);
    while (pending != 0) {
        const auto address = static_cast<std::uint64_t>(std::countr_zero(pending));
        pending &= pending - 1;
        apply(address, paramValues_[address].load(std::memory_order_relaxed));
    }
}

float DSPKernel::parameterValue(std::uint64_t address) const
{
    return address < parameterCount ? paramValues_[address].load(std::memory_order_relaxed) : 0.0f;
}

std::array<float, 3> DSPKernel::meterDb() const
{
    return {meterDb_[0].load(std::memory_order_relaxed), meterDb_[1].load(std::memory_order_relaxed),
            meterDb_[2].load(std::memory_order_relaxed)};
}

void DSPKernel::apply(std::uint64_t address, float value)
{
    if (appliedValues_[address] == value)
        return;
    appliedValues_[address] = value;

    dsp::LPCVocoderProcessor* v = vocoder_.get();
    Parameters& p = parameters_;
    switch (address) {
    case ParameterAddress::quality:
        p.quality = value;
        if (v)
            v->setQuality(value);
        break;
    case ParameterAddress::whiteNoiseLevel:
        p.whiteNoiseLevel = value;
        if (v)
            v->setWhiteNoiseLevel(value);
        break;
    case ParameterAddress::whiteNoiseThreshold:
        p.whiteNoiseThreshold = value;
        if (v)
            v->setWhiteNoiseThreshold(value);
        break;
    case ParameterAddress::highPassFilter:
        p.highPassFilter = isOn(value);
        if (v)
            v->setHighPassFilter(p.highPassFilter);
        break;
    case ParameterAddress::outputGain:
        p.outputGain = value;
        if (v)
            v->setOutputGain(value);
        break;
    case ParameterAddress::voiceInputGain:
        p.voiceInputGain = value;
        if (v)
            v->setVoiceInGain(value);
        if (meters_)
            meters_->voiceScale = dsp::AudioUtils::decibelToScale(value);
        break;
    case ParameterAddress::synthInputGain:
        p.synthInputGain = value;
        if (v)
            v->setSynthInGain(value);
        if (meters_)
            meters_->synthScale = dsp::AudioUtils::decibelToScale(value);
        break;
    case ParameterAddress::voiceMode:
        p.voiceMode = truncated(value);
        if (v)
            v->setVoiceMode(p.voiceMode);
        break;
    case ParameterAddress::formantShift:
        p.formantShift = value;
        if (v)
            v->setFormantShift(value);
        break;
    case ParameterAddress::lowPassFilter:
        p.lowPassFilter = isOn(value);
        if (v)
            v->setLowPassFilter(p.lowPassFilter);
        break;
    case ParameterAddress::crush:
        // One switch drives both the 31250 Hz rate and the 16-bit steps.
        p.crush = isOn(value);
        if (v) {
            v->setDownsampleTo31Khz(p.crush);
            v->set16Bit(p.crush);
        }
        break;
    case ParameterAddress::compress:
        p.compress = isOn(value);
        if (v)
            v->setCompressEnabled(p.compress);
        break;
    case ParameterAddress::mainMode:
    case ParameterAddress::retroMode:
        break; // user-interface parameters: only mirrored
    case ParameterAddress::freeze:
        p.freeze = isOn(value);
        if (v)
            v->setVoiceFreeze(p.freeze);
        break;
    default:
        break;
    }
}

void DSPKernel::process(float* const* inputs, std::size_t inputCount, float* const* outputs, std::size_t outputCount,
                        std::uint32_t frameCount)
{
    if (vocoder_ && !bypass() && inputCount >= 2 && outputCount >= 1) {
        vocoder_->process(inputs[1], inputs[0], outputs[0], outputCount >= 2 ? outputs[1] : outputs[0],
                          static_cast<int>(frameCount));
        updateMeters(inputs[1], inputs[0], outputs[0], frameCount);
        return;
    }
    copyThrough(inputs, inputCount, outputs, outputCount, frameCount);
}

void DSPKernel::copyThrough(float* const* inputs, std::size_t inputCount, float* const* outputs,
                            std::size_t outputCount, std::uint32_t frameCount)
{
    const std::size_t channels = std::min(inputCount, outputCount);
    for (std::size_t i = 0; i < channels && frameCount > 0; ++i) {
        if (inputs[i] != outputs[i])
            std::memmove(outputs[i], inputs[i], std::size_t(frameCount) * sizeof(float));
    }
}

void DSPKernel::updateMeters(const float* synthIn, const float* voiceIn, const float* out, std::uint32_t frameCount)
{
    MeterState& m = *meters_;
    const float block[3] = {peakOf(synthIn, frameCount, m.synthScale), peakOf(voiceIn, frameCount, m.voiceScale),
                            peakOf(out, frameCount, 1.0f)};
    for (int i = 0; i < 3; ++i)
        m.peaks[i] = std::max(block[i], m.peaks[i] * m.decay);

    meterFrameCounter_ += static_cast<std::int32_t>(frameCount);
    if (meterFrameCounter_ >= meterInterval) {
        for (int i = 0; i < 3; ++i)
            meterDb_[i].store(decibelsOf(m.peaks[i]), std::memory_order_relaxed);
        metersReady_.store(1, std::memory_order_release);
        meterFrameCounter_ = 0; // the excess is dropped, not carried over
    }
}

} // namespace zindle

#include "dsp/VoiceProcessor.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

namespace dsp {

namespace {

/// Samples in a duration, truncated toward zero; 0 for a rate that is not a positive number.
int samplesIn(float sampleRate, double seconds)
{
    const double samples = static_cast<double>(sampleRate) * seconds;
    if (!(samples > 0.0))
        return 0;
    return samples >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(samples);
}

} // namespace

VoiceProcessor::VoiceProcessor(float sampleRate) { setSampleRate(sampleRate); }

void VoiceProcessor::setSampleRate(float sampleRate)
{
    shifter_.configure(1, samplesIn(sampleRate, 0.02), samplesIn(sampleRate, 0.008), true);
}

void VoiceProcessor::setSemitoneShift(float semitones)
{
    semitoneShift_ = semitones;
    shifter_.setFrequencyScale(std::exp2(semitones / 12.0f));
}

void VoiceProcessor::formantShift(float* samples, int count)
{
    if (semitoneShift_ == 0.0f || count < 0)
        return;
    const std::size_t n = static_cast<std::size_t>(count);
    if (n > scratch_.size()) {
        scratch_.resize(n);
        outputChannels_[0] = scratch_.data();
    }
    inputChannels_[0] = samples;
    shifter_.process(inputChannels_, count, outputChannels_, count);
    std::copy_n(scratch_.data(), n, samples);
}

int VoiceProcessor::inputLatency() const
{
    const OverlapAddSTFT& stft = shifter_.stft();
    return static_cast<int>(stft.blockSamples() - stft.analysisOffset());
}

int VoiceProcessor::outputLatency() const
{
    const OverlapAddSTFT& stft = shifter_.stft();
    const std::size_t split = shifter_.splitComputation() ? stft.interval() : 0;
    return static_cast<int>(stft.synthesisOffset() + split);
}

} // namespace dsp

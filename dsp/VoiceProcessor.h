#pragma once

#include "dsp/SpectralShifter.h"

#include <vector>

namespace dsp {

/// Formant shifter of the vocoder's voice path: shifts every spectral component of a mono
/// block by a number of semitones, in place, with 20 ms analysis blocks, an 8 ms interval and
/// split computation.
///
/// All calls come from the owner's thread (the render thread once processing runs);
/// construction, setSampleRate and setSemitoneShift are meant to run between blocks.
/// Construction and setSampleRate allocate; formantShift allocates only when a block is
/// longer than any before.
class VoiceProcessor {
public:
    explicit VoiceProcessor(float sampleRate);

    void setSampleRate(float sampleRate);
    /// Forgets the signal so far, keeping the rate and the shift; allocates nothing.
    void restart() { shifter_.restart(); }
    void setSemitoneShift(float semitones);
    float semitoneShift() const { return semitoneShift_; }

    /// Shifts count samples in place; a shift of exactly 0 leaves them untouched. Below 200 Hz
    /// the block and interval are too short for the STFT: the engine stays unconfigured, the
    /// samples pass unchanged and both latencies are 0.
    void formantShift(float* samples, int count);

    /// Samples between an input sample and the analysis that first sees all of it.
    int inputLatency() const;
    /// Samples from that analysis to the output, including the interval of split computation.
    int outputLatency() const;

    const SpectralShifter& engine() const { return shifter_; }

private:
    const float* inputChannels_[1] = {nullptr};
    float* outputChannels_[1] = {nullptr};
    float semitoneShift_ = 0.0f;
    std::vector<float> scratch_; // grown to the longest block so far, never shrunk
    SpectralShifter shifter_;
};

} // namespace dsp

#pragma once

#include "dsp/LPCMath.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace dsp {

class Compressor;
class VoiceProcessor;

/// The vocoder engine: imposes the linear-prediction envelope of a voice on a carrier,
/// frame by frame with two half-overlapping cross-faded frame streams, with noise
/// carrier modes, formant shift, compression, freeze, filters, mix and "crush".
///
/// Construction and the setters allocate or re-rate and are meant to run between blocks on
/// the thread that calls process (the render thread); process allocates nothing once its
/// blocks are no longer than any before.
class LPCVocoderProcessor {
public:
    static constexpr int maxFrameLength = 1600;
    static constexpr float crushSampleRate = 31250.0f;

    explicit LPCVocoderProcessor(float sampleRate);
    ~LPCVocoderProcessor();

    LPCVocoderProcessor(const LPCVocoderProcessor&) = delete;
    LPCVocoderProcessor& operator=(const LPCVocoderProcessor&) = delete;

    /// Runs one block. voice is shifted and compressed in place when crush is off; out1 and
    /// out2 may be the same array. A voice of nullptr runs the carrier alone. Any input gives
    /// finite output: not-a-number and infinite samples count as silence, finite ones are
    /// held within 60 dB above full scale.
    void process(const float* carrier, float* voice, float* out1, float* out2, int n);

    void setQuality(float quality);
    void setWhiteNoiseLevel(float decibels);
    void setWhiteNoiseThreshold(float threshold);
    void setOutputGain(float decibels);
    void setVoiceInGain(float decibels);
    void setSynthInGain(float decibels);
    void setVoiceMode(int mode);
    void setFormantShift(float cents);
    void setHighPassFilter(bool on);
    void setLowPassFilter(bool on);
    void setVoiceFreeze(bool on);
    void setDownsampleTo31Khz(bool on);
    void set16Bit(bool on);
    void setVoiceOnlyOutput(bool on);
    void setWetMix(float mix);
    void setDryMix(float mix);
    void setCompressorSettings(float ratio, float thresholdDb, float attackMs, float releaseMs);
    void setCompressEnabled(bool on);
    /// Restarts the noise carrier's generator from a seed (0 counts as 1), for renders that must
    /// repeat exactly; construction seeds it from the clock.
    void seedNoise(std::uint32_t seed) { noiseState_ = seed != 0 ? seed : 1u; }

    float sampleRate() const { return sampleRate_; }
    int lpcOrder() const { return lpcOrder_; }
    int frameLength() const { return frameLength_; }
    int framePositionA() const { return framePosA_; }
    int framePositionB() const { return frameLength_ > 0 ? (framePosA_ + frameLength_ / 2) % frameLength_ : 0; }
    std::uint32_t carrierDelay() const { return carrierDelay_; }
    std::size_t delayLineLength() const { return delayLine_.size(); }
    float outputGain() const { return outputGain_; }
    const VoiceProcessor& formantShifter() const { return *formantShifter_; }

private:
    struct HalfBandState {
        // u - a * y of each branch's last two samples, the newer first.
        float branch1 = 0.0f, branch1Older = 0.0f;
        float branch2 = 0.0f, branch2Older = 0.0f;
        float previousInput = 0.0f;
    };

    /// A frame stream's synthesis filter. Its frame is filtered in two halves: the first when
    /// the frame is complete, the second half a frame later, when it is first read, beside the
    /// other stream's first half. The two then run as one paired lattice.
    struct FrameFilter {
        std::array<float, LPCMath::maxOrder + 1> k{};
        std::array<float, LPCMath::maxOrder + 1> state{};
        float gain = 0.0f;
        int order = 0;
        bool silent = false;  // nothing to analyse: the frame's output is zeros
        bool pending = false; // the second half still waits
    };
    struct FrameStream {
        std::vector<float>& voice;
        std::vector<float>& carrier;
        FrameFilter& filter;
    };

    float processingRate() const { return downsample_ ? crushSampleRate : sampleRate_; }
    void computeFilters();
    void render(const float* carrier, float* voice, float* out1, float* out2, int n);
    bool signalStateFinite() const;
    /// Forgets the signal so far (filters, frames, carrier delay, shifter, compressor),
    /// keeping the settings and a finite frozen filter. Allocates nothing.
    void restartSignal();
    void clearFrames();
    void blockStep(const float* carrier, float* voice, float* out1, float* out2, int n);
    /// Frame X is complete: its filter is set, and its first `half` samples are filtered along
    /// with the second half of frame Y, which follows from here on.
    void completeFrame(FrameStream x, FrameStream y, int half);
    void prepareFilter(const float* voiceFrame, FrameFilter& filter);
    void filterSegments(FrameStream x, FrameStream* y, int half);
    static float nextNoise(std::uint32_t& state);
    static float halfBand(HalfBandState& state, float x);
    static void grow(std::vector<float>& buffer, int n);

    float sampleRate_;
    float highPassPreviousInput_ = 0.0f;
    float highPassPreviousOutput_ = 0.0f;
    float highPassAlpha_ = 0.0f;
    float lowPassX1_ = 0.0f, lowPassX2_ = 0.0f, lowPassY1_ = 0.0f, lowPassY2_ = 0.0f;
    float lowPassB0_ = 0.0f, lowPassB1_ = 0.0f, lowPassB2_ = 0.0f, lowPassA1_ = 0.0f, lowPassA2_ = 0.0f;
    float noiseLevel_ = 0.1f;
    float unvoicedThreshold_ = 0.3f;
    float outputGain_;
    float voiceInGain_ = 1.0f;
    float synthInGain_ = 1.0f;
    int voiceMode_ = 0;
    float formantShift_ = 0.0f;
    bool downsample_ = false;
    bool sixteenBit_ = false;
    bool highPassOn_ = true;
    bool lowPassOn_ = false;
    int lpcOrder_ = 48;
    std::vector<float> delayLine_;
    std::uint64_t delayWritePos_ = 0;
    std::uint32_t carrierDelay_ = 0;
    std::unique_ptr<VoiceProcessor> formantShifter_;
    bool voiceOnlyOutput_ = false;
    float wetMix_ = 1.0f;
    float dryMix_ = 0.0f;
    std::unique_ptr<Compressor> compressor_;
    bool compressEnabled_ = false;
    float previousVoiceSample_ = 0.0f;
    int frameLength_ = 0;
    int framePosA_ = 0;
    HalfBandState carrierHalfBand_;
    HalfBandState outputHalfBand_;
    std::vector<float> voiceFrameA_, voiceFrameB_;
    std::vector<float> window_;
    std::vector<float> carrierFrameA_, carrierFrameB_;
    FrameFilter filterA_, filterB_;
    int firstHalfA_ = 0, firstHalfB_ = 0; // samples of each frame filtered when it is complete
    bool voiceFreeze_ = false;
    std::array<float, LPCMath::maxOrder + 1> savedCoefficients_{};
    float savedGain_ = 0.0f;
    bool savedCoefficientsValid_ = false;

    // Kept between calls and only ever grown, so steady-state blocks allocate nothing.
    std::vector<float> delayedCarrier_;
    std::vector<float> crushCarrier_, crushVoice_, crushOutput_;
    std::uint32_t noiseState_;
};

} // namespace dsp

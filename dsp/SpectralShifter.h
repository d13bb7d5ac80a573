#pragma once

#include "dsp/OverlapAddSTFT.h"

#include <complex>
#include <cstdint>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace dsp {

/// Moves the spectral content of a multichannel stream along a frequency map and keeps it
/// coherent: finds the spectral peaks, maps them, reads every output bin from its mapped
/// input position, predicts its phase from the previous output and locks neighbouring bins.
///
/// Streams with a block of work every interval output samples; with split computation that
/// work is spread evenly over the interval (one interval more output latency). Silent input
/// passes straight through after two blocks of silence.
///
/// All calls come from the owner's thread (the render thread once processing runs).
/// Construction and configure allocate; process allocates nothing.
class SpectralShifter {
public:
    /// Maps a normalised frequency (cycles per sample) to its shifted one.
    using FrequencyMap = std::function<float(float)>;

    SpectralShifter();

    /// Sizes everything for a channel count, block length and interval, and restarts the
    /// stream with cleared spectral history. An interval that the STFT refuses (0, not below
    /// the block, or a block below 4 samples) leaves the engine unconfigured: it returns false
    /// and process then copies input to output.
    bool configure(int channels, int blockSamples, int interval, bool splitComputation);
    bool configured() const { return configured_; }

    /// Clears the whole signal state (input and output rings, spectral history, block schedule,
    /// silence count) as a newly configured engine has it, keeping the configuration and the
    /// map. Allocates nothing.
    void restart();

    /// Consumes inputSamples samples of every input channel and writes outputSamples samples
    /// of every output channel.
    void process(const float* const* inputs, int inputSamples, float* const* outputs, int outputSamples);

    /// Replaces the frequency map; it is tested at every block start and called once per peak.
    /// A callable small enough for std::function's local buffer is installed without allocating.
    void setCustomFrequencyMap(FrequencyMap map)
    {
        customFrequencyMap_ = std::move(map);
        frequencyScaled_ = false;
    }
    /// A custom map f -> factor x f, without a call through the callable for every peak.
    void setFrequencyScale(float factor)
    {
        customFrequencyMap_ = nullptr;
        frequencyScale_ = factor;
        frequencyScaled_ = true;
    }
    /// Without a custom map: frequencies up to tonalityLimit are multiplied, higher ones shifted
    /// by the same amount as the limit.
    void setFrequencyMultiplier(float multiplier, float tonalityLimit)
    {
        freqMultiplier_ = multiplier;
        freqTonalityLimit_ = tonalityLimit;
    }

    bool splitComputation() const { return splitComputation_; }
    const OverlapAddSTFT& stft() const { return stft_; }

private:
    // Eight floats, aligned, so that a record is two four-float loads.
    struct alignas(16) Band {
        std::complex<float> input;     // this frame's spectrum
        std::complex<float> prevInput; // the previous frame's
        std::complex<float> output;    // to synthesise; between blocks the last one synthesised
        float inputEnergy = 0.0f;      // |input|^2
        float unused = 0.0f;
    };
    struct Peak {
        float input;  // bin position in the input spectrum
        float output; // bin position in the output spectrum
    };
    struct MapPoint {
        float inputBin = 0.0f; // where to read the input
        float freqGrad = 0.0f; // local slope of the map, input bins per output bin
    };
    // Per channel and bin (channels x bands, channel after channel), real and imaginary parts
    // apart, so that four bins are one load.
    struct Predictions {
        std::vector<float> energy; // kept to the next block, which compares with it
        std::vector<float> re, im; // the input read at the mapped position
        std::vector<float> outRe, outIm; // the previous output advanced by the input's phase change
        std::vector<float> nearRe, nearIm; // the input read at the mapped position - u
        std::vector<float> farRe, farIm;   // and at the mapped position - u L
        void resize(std::size_t size);
        void clear();
    };
    struct PredictionLanes {
        float *energy, *re, *im, *outRe, *outIm, *nearRe, *nearIm, *farRe, *farIm;
    };
    // Per bin, of the channel that leads it: the terms of its phase sum that do not wait for
    // the chain along the bins.
    struct LockTerms {
        std::vector<float> lowerRe, lowerIm;       // P x conj(v(x - u)): the lower neighbour's factor
        std::vector<float> farLowerRe, farLowerIm; // P x conj(v(x - u L)): the factor of the bin L below
        std::vector<float> upperRe, upperIm;       // the two upper neighbours' terms, still predictions
        std::vector<int> lead;
        void resize(std::size_t size);
    };
    struct TermLanes {
        float *lowerRe, *lowerIm, *farLowerRe, *farLowerIm, *upperRe, *upperIm;
    };

    void clearBlockState();
    void passThrough(const float* const* inputs, std::size_t inputSamples, float* const* outputs,
                     std::size_t outputSamples) const;
    void feed(const float* const* inputs, std::size_t& fed, std::size_t upTo);
    void startBlock(const float* const* inputs, std::size_t& fed, std::size_t pos);
    std::uint64_t stepsDueAt(std::uint64_t at) const;
    std::uint64_t nextStepSample(std::uint64_t from, std::uint64_t end) const;
    void runStep(std::uint64_t step);
    /// One step of analysing a frame offset samples back into field of every band; takes its
    /// channels + 1 steps off step when they are past.
    bool analysisStep(std::uint64_t& step, std::size_t offset, std::complex<float> Band::*field);
    void processSpectrum(std::uint64_t step);
    void rotate(int channel);
    void smoothEnergy(int step);
    void findPeaks();
    void updateOutputMap();
    PredictionLanes predictionLanes(int channel);
    TermLanes termLanes();
    void predict(int channel);
    /// With reads, also the shifted input of the same bins (readShifted).
    template <bool WithReads>
    void predictBins(int channel, int from, int to, float u, float uHop, int hop);
    void readShifted(int channel, int from, int to, float u, float uHop);
    template <typename T>
    static void lockTermsAt(const PredictionLanes& p, const TermLanes& t, int b, int bands, int hop);
    void lockPhases(int part);
    void lockSingleChannel(int begin, int end, int hop, float u, float uHop);
    void lockChannels(int begin, int end, int hop, float u, float uHop);
    float mapFrequency(float frequency) const;

    bool configured_ = false;
    bool splitComputation_ = false;

    // Block schedule.
    std::uint64_t samplesSinceBlock_ = ~std::uint64_t(0); // all ones: a block starts at the next sample
    std::uint64_t stepsTotal_ = 0;
    std::uint64_t stepsDone_ = 0;
    // Split computation's schedule: steps due by sample `at` of the block are those below
    // (at + 1) / interval x (stepsTotal + 0.999); the samples between two steps, roughly.
    float intervalSamples_ = 1.0f;
    float stepShare_ = 0.0f;
    double samplesPerStep_ = 0.0;
    bool newSpectrum_ = false;
    bool analysePrevious_ = false;
    bool mapFrequencies_ = false;
    bool processFormants_ = false;
    float timeFactor_ = 0.0f;

    // Silence bypass.
    std::uint64_t silenceCounter_ = 0;
    bool silenceFirst_ = true;

    float freqMultiplier_ = 1.0f;
    float freqTonalityLimit_ = 0.5f;
    FrequencyMap customFrequencyMap_;
    float frequencyScale_ = 1.0f;
    bool frequencyScaled_ = false;

    // The formant stage is never enabled in this system; these only decide whether its steps
    // are counted.
    bool formantCompensation_ = false;
    float formantMultiplier_ = 1.0f;

    OverlapAddSTFT stft_;
    OverlapAddSTFT::InputState stashedInput_;
    // Split computation: the current block's interval of output, channels x interval, read off
    // the output ring as the block starts.
    std::vector<float> pendingOutput_;

    int channels_ = 0;
    int bands_ = 0;
    int prevInputOffset_ = -1; // input position of the last block, relative to this call's first sample
    bool didSeek_ = false; // seeking is never used in this system
    float seekTimeFactor_ = 1.0f;

    std::vector<Band> channelBands_; // channels x bands, channel after channel
    std::vector<Peak> peaks_;
    std::vector<float> energy_;
    std::vector<std::uint64_t> aboveBits_; // the bins above the smoothed energy, as bits
    std::vector<float> smoothedEnergy_;
    std::vector<MapPoint> outputMap_;
    Predictions predictions_;
    std::minstd_rand random_;                    // reserved for randomised phase steps of time stretching

    std::uint64_t processSpectrumSteps_ = 0;
    float smoothingState_ = 0.0f;

    // Caches of the bin loops, sized by configure.
    std::vector<std::complex<float>> rotation_; // e^(i theta_b), the phasor recurrence run once
    LockTerms lockTerms_; // bands
    int predictedTo_ = 0; // one channel: the bins predicted so far in this block
};

} // namespace dsp

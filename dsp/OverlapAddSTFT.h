#pragma once

#include "dsp/HalfBinRealFFT.h"

#include <complex>
#include <cstddef>
#include <vector>

namespace dsp {

/// Windowed short-time Fourier transform with overlap-add resynthesis, driven step by step
/// by the spectral shifter: write input, analyse a channel, edit its spectrum, synthesise
/// it, then read and advance the output ring.
///
/// Each output sample is divided by the running sum of analysis x synthesis window products
/// that reached its position, so unchanged spectra reconstruct the input whatever the
/// window and interval.
///
/// All calls come from the owner's thread (the render thread once processing runs).
/// configure and setInterval allocate or build windows; nothing else allocates.
class OverlapAddSTFT {
public:
    enum class WindowShape {
        keep,             // change the interval only
        confinedGaussian, // approximate confined Gaussian
        kaiser,
    };

    /// Input ring and its write position, the same for every channel.
    struct InputState {
        std::size_t position = 0;
        std::vector<float> ring; // channels x inputLength, channel after channel
    };

    /// Output ring, its read position and the window products of every position.
    struct OutputState {
        std::size_t position = 0;
        std::vector<float> ring;           // channels x blockSamples, channel after channel
        std::vector<float> windowProducts; // blockSamples
    };

    /// What a refilled position's window product starts from, so reading never divides by 0.
    static constexpr float productFloor = 1e-30f;

    /// Sizes every buffer, builds a confined-Gaussian window and resets with product weight 1.
    /// An interval of 0 means a quarter of the block. An interval that still ends up 0 (a block
    /// below 4 samples) or is not below the block is refused: the object is left empty, as
    /// constructed, and false is returned.
    bool configure(std::size_t inChannels, std::size_t outChannels, std::size_t blockSamples,
                   std::size_t extraInputHistory, std::size_t interval);

    /// Changes the interval and, unless the shape is keep, rebuilds both windows with their
    /// offsets at the block's centre. Must be followed by reset before processing. An interval
    /// of 0 or not below the block is refused and changes nothing (returns false).
    bool setInterval(std::size_t interval, WindowShape shape);

    /// Clears all signal state and rebuilds the window products as the steady-state sum scaled
    /// by productWeight, then consumes one interval of output. Allocates nothing.
    void reset(float productWeight);

    bool configured() const { return blockSamples_ > 0; }

    /// Copies count samples of every input channel, from sample `first` of each buffer, into
    /// the input ring.
    void writeInput(const float* const* channels, std::size_t first, std::size_t count);

    /// Windows the newest blockSamples input samples of one channel and transforms them into
    /// that channel's spectrum.
    void analyse(std::size_t channel) { analyse(channel, input_, 0); }
    /// As analyse, reading a copy of the input state, from the frame that ended samplesBack
    /// samples before its write position (samplesBack at most the extra input history).
    void analyse(std::size_t channel, const InputState& input, std::size_t samplesBack);

    /// The bands() bins of one channel; bin b is centred on (b + 0.5) / fftSize() cycles per sample.
    std::complex<float>* spectrum(std::size_t channel) { return spectrum_.data() + channel * bands_; }
    const std::complex<float>* spectrum(std::size_t channel) const { return spectrum_.data() + channel * bands_; }

    /// Inverse-transforms one channel's spectrum and overlap-adds it at the output position;
    /// channel 0 also adds the frame's window products.
    void synthesise(std::size_t channel);

    /// Output sample at the read position of a live or copied output state.
    float outputSample(std::size_t channel) const { return outputSample(output_, channel); }
    float outputSample(const OutputState& state, std::size_t channel) const
    {
        const std::size_t position = state.position;
        return state.ring[channel * blockSamples_ + position] / state.windowProducts[position];
    }
    /// count output samples of one channel from the read position on, as count calls of
    /// outputSample with moveOutput between them would give (count at most the block).
    void readOutput(const OutputState& state, std::size_t channel, float* out, std::size_t count) const;

    /// Consumes samples output positions: clears them for the frames still to come.
    void moveOutput(std::size_t samples) { moveOutput(output_, samples); }
    void moveOutput(OutputState& state, std::size_t samples) const
    {
        if (samples != 1) {
            moveOutputSpan(state, samples);
            return;
        }
        // One sample at a time is the engine's per-sample case.
        const std::size_t position = state.position;
        for (std::size_t c = 0; c < outChannels_; ++c)
            state.ring[c * blockSamples_ + position] = 0.0f;
        state.windowProducts[position] = productFloor;
        state.position = position + 1 == blockSamples_ ? 0 : position + 1;
    }

    std::size_t inChannels() const { return inChannels_; }
    std::size_t outChannels() const { return outChannels_; }
    std::size_t blockSamples() const { return blockSamples_; }
    std::size_t fftSize() const { return fftSize_; }
    std::size_t bands() const { return bands_; }
    std::size_t interval() const { return interval_; }
    std::size_t inputLength() const { return inputLength_; }
    std::size_t analysisOffset() const { return analysisOffset_; }
    std::size_t synthesisOffset() const { return synthesisOffset_; }
    const std::vector<float>& analysisWindow() const { return analysisWindow_; }
    const std::vector<float>& synthesisWindow() const { return synthesisWindow_; }

    /// The live stream state, for the engine to copy out at a block start.
    const InputState& inputState() const { return input_; }
    const OutputState& outputState() const { return output_; }

private:
    static std::size_t fftSizeFor(std::size_t blockSamples);
    void buildWindow(WindowShape shape);
    void moveOutputSpan(OutputState& state, std::size_t samples) const;
    /// Adds one frame's window products with the frame starting at output position `start`.
    void addFrameProducts(std::vector<float>& windowProducts, std::size_t start) const;

    std::size_t inChannels_ = 0;
    std::size_t outChannels_ = 0;
    std::size_t blockSamples_ = 0;
    std::size_t fftSize_ = 0;
    std::size_t bands_ = 0;
    std::size_t interval_ = 0;
    std::size_t inputLength_ = 0;
    InputState input_;
    OutputState output_;
    std::vector<std::complex<float>> spectrum_; // max(in, out) x bands, channel after channel
    std::vector<float> time_;                   // fftSize
    std::vector<float> analysisWindow_;
    std::vector<float> synthesisWindow_;
    std::size_t analysisOffset_ = 0;
    std::size_t synthesisOffset_ = 0;
    HalfBinRealFFT fft_;
};

} // namespace dsp

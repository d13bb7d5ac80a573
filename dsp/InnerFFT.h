#pragma once

#include <cstddef>
#include <vector>

namespace dsp {

/// Unnormalised power-of-two complex transform on split arrays (real parts and
/// imaginary parts apart), the building block of FactorFFT.
///
/// Sizing allocates; the transforms allocate nothing. Called from one thread at
/// a time (the render thread once the owner is sized).
class InnerFFT {
public:
    /// Sizes the tables for length P (a power of two, or 0).
    void resize(std::size_t length);
    std::size_t size() const { return size_; }

    /// out[k] = sum over m of in[m * stride] * exp(-2 pi i k m / length), for k below length.
    /// length must be a power of two not above size(); input and output must not overlap.
    void forward(std::size_t length, std::size_t stride, const float* inRe, const float* inIm,
                 float* outRe, float* outIm);
    /// As forward with exp(+2 pi i k m / length).
    void inverse(std::size_t length, std::size_t stride, const float* inRe, const float* inIm,
                 float* outRe, float* outIm);

private:
    template <bool Inverse>
    void run(std::size_t length, std::size_t stride, const float* inRe, const float* inIm,
             float* outRe, float* outIm);

    std::size_t size_ = 0;
    std::vector<float> twiddleRe_; // 3P/4 values of exp(-2 pi i n / P)
    std::vector<float> twiddleIm_;
    std::vector<float> workRe_;    // P values
    std::vector<float> workIm_;
    std::vector<float> combineRe_; // 3P/4 values: w^j, w^2j, w^3j for j below P/4, as three runs
    std::vector<float> combineIm_;
    std::vector<float> firstRe_;   // the first pass's twiddles in the lanes that use them
    std::vector<float> firstIm_;
};

} // namespace dsp

#pragma once

#include "dsp/InnerFFT.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dsp {

/// Unnormalised complex transform of any length C = P * Q (P the largest power of
/// two dividing C, Q the odd rest) on split arrays, planned as an ordered list of
/// steps so that a caller can spread one transform over several calls.
///
/// Running steps 0 .. steps() - 1 in order with the same four arrays computes
/// out = DFT(in). Sizing allocates; the steps allocate nothing.
class FactorFFT {
public:
    explicit FactorFFT(std::size_t length = 0);

    void resize(std::size_t length);
    std::size_t size() const { return size_; }
    std::size_t steps() const { return plan_.size(); }

    /// One step of the forward transform, exp(-2 pi i k m / C). Input and output must not
    /// overlap when C is a power of two.
    void forward(std::size_t step, const float* inRe, const float* inIm, float* outRe, float* outIm);
    /// One step of the inverse transform, exp(+2 pi i k m / C).
    void inverse(std::size_t step, const float* inRe, const float* inIm, float* outRe, float* outIm);

    /// Where input value k goes for a caller that writes it in blocks: sub-sequence k mod Q as
    /// block k mod Q, (k mod Q) P + k / Q; k itself for a power of two.
    std::size_t blockedIndex(std::size_t k) const { return outer_ > 1 ? (k % outer_) * inner_ + k / outer_ : k; }
    std::size_t powerOfTwoFactor() const { return inner_; }
    std::size_t oddFactor() const { return outer_; }
    /// The steps for input in blocks, which leave the permutation out: steps 0 ..
    /// blockedSteps() - 1 in order compute out = DFT(in) from the blocked input. The input
    /// must not overlap the output.
    std::size_t blockedSteps() const { return plan_.size() - (outer_ > 1 ? 1 : 0); }
    void forwardBlocked(std::size_t step, const float* inRe, const float* inIm, float* outRe, float* outIm);
    void inverseBlocked(std::size_t step, const float* inRe, const float* inIm, float* outRe, float* outIm);
    /// Every blocked step in one call.
    void forwardBlocked(const float* inRe, const float* inIm, float* outRe, float* outIm);
    void inverseBlocked(const float* inRe, const float* inIm, float* outRe, float* outIm);

private:
    enum class StepKind : std::uint8_t {
        plain,        // Q == 1: the whole InnerFFT
        permute3,
        permute5,
        permuteGeneric,
        inner,        // one InnerFFT of block `offset`
        radix3,       // the odd factor's butterflies, twiddling the blocks as they are read
        radix5,
        radixGeneric,
    };
    struct Step {
        StepKind kind;
        std::size_t offset;
    };

    template <bool Inverse, bool Blocked>
    void run(std::size_t step, const float* inRe, const float* inIm, float* outRe, float* outIm);

    std::size_t size_ = 0;
    std::size_t inner_ = 0;  // P
    std::size_t outer_ = 0;  // Q
    InnerFFT innerFFT_;
    std::vector<float> workRe_, workIm_;         // C values
    std::vector<float> twiddleRe_, twiddleIm_;   // (Q - 1) * P outer twiddles
    std::vector<float> dftRe_, dftIm_;           // Q values of exp(-2 pi i k / Q), generic factor only
    std::vector<float> scratchRe_, scratchIm_;   // Q values, generic factor only
    std::vector<Step> plan_;
};

} // namespace dsp

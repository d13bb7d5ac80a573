#include "dsp/FactorFFT.h"

// The eight-lane kernels are inlined into the clone that runs them: no eight-float vector
// crosses a call, so the warning about their calling convention does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "dsp/Float4.h"
#include "dsp/Phasor.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace dsp {
namespace {

using namespace simd;

// Sub-sequence q (z[q], z[q + Q], z[q + 2Q], ...) into block q of work.
template <std::size_t Q>
void permute(std::size_t p, const float* __restrict inRe, const float* __restrict inIm, float* __restrict workRe,
             float* __restrict workIm)
{
    for (std::size_t m = 0; m < p; ++m) {
        for (std::size_t q = 0; q < Q; ++q) {
            workRe[q * p + m] = inRe[q + m * Q];
            workIm[q * p + m] = inIm[q + m * Q];
        }
    }
}

void permuteGeneric(std::size_t p, std::size_t outer, const float* inRe, const float* inIm, float* workRe,
                    float* workIm)
{
    for (std::size_t q = 0; q < outer; ++q) {
        for (std::size_t m = 0; m < p; ++m) {
            workRe[q * p + m] = inRe[q + m * outer];
            workIm[q * p + m] = inIm[q + m * outer];
        }
    }
}

// Element j of block q (1 .. Q-1) times exp(-2 pi i j q / C), conjugated for the inverse:
// row q - 1 of the twiddles at w.
template <bool Inverse, typename T>
inline void twiddled(const float* re, const float* im, std::size_t j, const float* wRe, const float* wIm, T& xRe,
                     T& xIm)
{
    const T aRe = load<T>(re + j), aIm = load<T>(im + j);
    const T cRe = load<T>(wRe + j);
    const T cIm = Inverse ? -load<T>(wIm + j) : load<T>(wIm + j);
    xRe = aRe * cRe - aIm * cIm;
    xIm = aRe * cIm + aIm * cRe;
}

// Every block q (1 .. Q-1) twiddled in place.
template <bool Inverse>
void twiddleBlocks(std::size_t p, std::size_t outer, float* re, float* im, const float* wRe, const float* wIm)
{
    for (std::size_t q = 1; q < outer; ++q) {
        float* blockRe = re + q * p;
        float* blockIm = im + q * p;
        const float* rowRe = wRe + (q - 1) * p;
        const float* rowIm = wIm + (q - 1) * p;
        forEachBlock(p, [&]<typename T>(std::size_t j) {
            T xRe, xIm;
            twiddled<Inverse, T>(blockRe, blockIm, j, rowRe, rowIm, xRe, xIm);
            store(blockRe + j, xRe);
            store(blockIm + j, xIm);
        });
    }
}

// Length-3 DFT across the three blocks at column j, in place, natural order.
// The blocks after the first are twiddled on the way in (w: the twiddle rows, p apart).
template <bool Inverse, typename T>
inline void radix3At(std::size_t j, std::size_t p, float* re, float* im, const float* wRe, const float* wIm)
{
    constexpr float sin60 = 0.866025403784438647f;
    const float s = Inverse ? -sin60 : sin60;
    const T aRe = load<T>(re + j), aIm = load<T>(im + j);
    T bRe, bIm, cRe, cIm;
    twiddled<Inverse, T>(re + p, im + p, j, wRe, wIm, bRe, bIm);
    twiddled<Inverse, T>(re + 2 * p, im + 2 * p, j, wRe + p, wIm + p, cRe, cIm);
    const T sumRe = bRe + cRe, sumIm = bIm + cIm;
    const T midRe = aRe - 0.5f * sumRe, midIm = aIm - 0.5f * sumIm;
    // -i s (b - c) for the forward transform.
    const T rotRe = s * (bIm - cIm), rotIm = -s * (bRe - cRe);
    store(re + j, aRe + sumRe);
    store(im + j, aIm + sumIm);
    store(re + j + p, midRe + rotRe);
    store(im + j + p, midIm + rotIm);
    store(re + j + 2 * p, midRe - rotRe);
    store(im + j + 2 * p, midIm - rotIm);
}

// Length-5 DFT across the five blocks at column j, in place, natural order.
// The blocks after the first are twiddled on the way in (w: the twiddle rows, p apart).
template <bool Inverse, typename T>
inline void radix5At(std::size_t j, std::size_t p, float* re, float* im, const float* wRe, const float* wIm)
{
    constexpr float c1 = 0.309016994374947424f;  // cos(2 pi / 5)
    constexpr float c2 = -0.809016994374947424f; // cos(4 pi / 5)
    constexpr float sin1 = 0.951056516295153572f; // sin(2 pi / 5)
    constexpr float sin2 = 0.587785252292473129f; // sin(4 pi / 5)
    const float s1 = Inverse ? -sin1 : sin1;
    const float s2 = Inverse ? -sin2 : sin2;
    const T x0Re = load<T>(re + j), x0Im = load<T>(im + j);
    T x1Re, x1Im, x2Re, x2Im, x3Re, x3Im, x4Re, x4Im;
    twiddled<Inverse, T>(re + p, im + p, j, wRe, wIm, x1Re, x1Im);
    twiddled<Inverse, T>(re + 2 * p, im + 2 * p, j, wRe + p, wIm + p, x2Re, x2Im);
    twiddled<Inverse, T>(re + 3 * p, im + 3 * p, j, wRe + 2 * p, wIm + 2 * p, x3Re, x3Im);
    twiddled<Inverse, T>(re + 4 * p, im + 4 * p, j, wRe + 3 * p, wIm + 3 * p, x4Re, x4Im);
    const T t1Re = x1Re + x4Re, t1Im = x1Im + x4Im;
    const T t2Re = x2Re + x3Re, t2Im = x2Im + x3Im;
    const T t3Re = x1Re - x4Re, t3Im = x1Im - x4Im;
    const T t4Re = x2Re - x3Re, t4Im = x2Im - x3Im;
    const T b1Re = x0Re + c1 * t1Re + c2 * t2Re, b1Im = x0Im + c1 * t1Im + c2 * t2Im;
    const T b2Re = x0Re + c2 * t1Re + c1 * t2Re, b2Im = x0Im + c2 * t1Im + c1 * t2Im;
    // -i times these for the forward transform.
    const T e1Re = s1 * t3Re + s2 * t4Re, e1Im = s1 * t3Im + s2 * t4Im;
    const T e2Re = s2 * t3Re - s1 * t4Re, e2Im = s2 * t3Im - s1 * t4Im;
    store(re + j, x0Re + t1Re + t2Re);
    store(im + j, x0Im + t1Im + t2Im);
    store(re + j + p, b1Re + e1Im);
    store(im + j + p, b1Im - e1Re);
    store(re + j + 4 * p, b1Re - e1Im);
    store(im + j + 4 * p, b1Im + e1Re);
    store(re + j + 2 * p, b2Re + e2Im);
    store(im + j + 2 * p, b2Im - e2Re);
    store(re + j + 3 * p, b2Re - e2Im);
    store(im + j + 3 * p, b2Im + e2Re);
}

// Any other odd factor: a direct length-Q DFT per column through the scratch array.
template <bool Inverse>
void radixGeneric(std::size_t p, std::size_t outer, float* re, float* im, const float* dftRe, const float* dftIm,
                  float* scratchRe, float* scratchIm)
{
    const float sign = Inverse ? -1.0f : 1.0f;
    for (std::size_t j = 0; j < p; ++j) {
        for (std::size_t q = 0; q < outer; ++q) {
            scratchRe[q] = re[j + q * p];
            scratchIm[q] = im[j + q * p];
        }
        for (std::size_t k = 0; k < outer; ++k) {
            float sumRe = 0.0f, sumIm = 0.0f;
            std::size_t t = 0; // q * k modulo outer
            for (std::size_t q = 0; q < outer; ++q) {
                const float wRe = dftRe[t], wIm = sign * dftIm[t];
                sumRe += scratchRe[q] * wRe - scratchIm[q] * wIm;
                sumIm += scratchRe[q] * wIm + scratchIm[q] * wRe;
                t += k;
                if (t >= outer)
                    t -= outer;
            }
            re[j + k * p] = sumRe;
            im[j + k * p] = sumIm;
        }
    }
}

} // namespace

FactorFFT::FactorFFT(std::size_t length) { resize(length); }

void FactorFFT::resize(std::size_t length)
{
    size_ = length;
    std::size_t p = 1, q = length;
    while (q != 0 && q % 2 == 0) {
        p *= 2;
        q /= 2;
    }
    inner_ = length == 0 ? 0 : p;
    outer_ = q;

    workRe_.assign(length, 0.0f);
    workIm_.assign(length, 0.0f);
    innerFFT_.resize(inner_);

    const std::size_t twiddles = outer_ > 1 ? (outer_ - 1) * inner_ : 0;
    twiddleRe_.assign(twiddles, 0.0f);
    twiddleIm_.assign(twiddles, 0.0f);
    for (std::size_t sub = 1; sub < outer_; ++sub) {
        for (std::size_t j = 0; j < inner_; ++j) {
            const std::size_t i = (sub - 1) * inner_ + j;
            storePhasor(-2.0 * std::numbers::pi * static_cast<double>(j * sub) / static_cast<double>(length),
                        twiddleRe_[i], twiddleIm_[i]);
        }
    }

    const bool generic = outer_ > 1 && outer_ != 3 && outer_ != 5;
    const std::size_t dft = generic ? outer_ : 0;
    dftRe_.assign(dft, 0.0f);
    dftIm_.assign(dft, 0.0f);
    scratchRe_.assign(dft, 0.0f);
    scratchIm_.assign(dft, 0.0f);
    for (std::size_t k = 0; k < dft; ++k)
        storePhasor(-2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(outer_), dftRe_[k],
                    dftIm_[k]);

    plan_.clear();
    if (length == 0)
        return;
    if (outer_ == 1) {
        plan_.push_back({StepKind::plain, 0});
        return;
    }
    plan_.reserve(outer_ + 2);
    plan_.push_back({outer_ == 3   ? StepKind::permute3
                     : outer_ == 5 ? StepKind::permute5
                                   : StepKind::permuteGeneric,
                     0});
    for (std::size_t sub = 0; sub < outer_; ++sub)
        plan_.push_back({StepKind::inner, sub * inner_});
    plan_.push_back({outer_ == 3   ? StepKind::radix3
                     : outer_ == 5 ? StepKind::radix5
                                   : StepKind::radixGeneric,
                     0});
}

// Dataflow: the permutation gathers in into work (blocked input is there already), each inner
// step transforms one block into out, and the radix step, twiddling as it reads, then works on
// out in place.
template <bool Inverse, bool Blocked>
ZINDLE_CLONE_INLINE void FactorFFT::run(std::size_t step, const float* inRe, const float* inIm, float* outRe,
                                         float* outIm)
{
    if (Blocked && outer_ > 1)
        ++step;
    if (step >= plan_.size())
        return;
    const Step& s = plan_[step];
    const float* blocksRe = Blocked ? inRe : workRe_.data();
    const float* blocksIm = Blocked ? inIm : workIm_.data();
    const float* wRe = twiddleRe_.data();
    const float* wIm = twiddleIm_.data();
    switch (s.kind) {
    case StepKind::plain:
        if constexpr (Inverse)
            innerFFT_.inverse(inner_, 1, inRe, inIm, outRe, outIm);
        else
            innerFFT_.forward(inner_, 1, inRe, inIm, outRe, outIm);
        break;
    case StepKind::permute3:
        permute<3>(inner_, inRe, inIm, workRe_.data(), workIm_.data());
        break;
    case StepKind::permute5:
        permute<5>(inner_, inRe, inIm, workRe_.data(), workIm_.data());
        break;
    case StepKind::permuteGeneric:
        permuteGeneric(inner_, outer_, inRe, inIm, workRe_.data(), workIm_.data());
        break;
    case StepKind::inner:
        if constexpr (Inverse)
            innerFFT_.inverse(inner_, 1, blocksRe + s.offset, blocksIm + s.offset, outRe + s.offset, outIm + s.offset);
        else
            innerFFT_.forward(inner_, 1, blocksRe + s.offset, blocksIm + s.offset, outRe + s.offset, outIm + s.offset);
        break;
    case StepKind::radix3:
        forEachBlock(inner_, [&]<typename T>(std::size_t j) { radix3At<Inverse, T>(j, inner_, outRe, outIm, wRe, wIm); });
        break;
    case StepKind::radix5:
        forEachBlock(inner_, [&]<typename T>(std::size_t j) { radix5At<Inverse, T>(j, inner_, outRe, outIm, wRe, wIm); });
        break;
    case StepKind::radixGeneric:
        twiddleBlocks<Inverse>(inner_, outer_, outRe, outIm, wRe, wIm);
        radixGeneric<Inverse>(inner_, outer_, outRe, outIm, dftRe_.data(), dftIm_.data(), scratchRe_.data(),
                              scratchIm_.data());
        break;
    }
}

ZINDLE_VECTOR_CLONES void FactorFFT::forward(std::size_t step, const float* inRe, const float* inIm, float* outRe,
                                             float* outIm)
{
    run<false, false>(step, inRe, inIm, outRe, outIm);
}

ZINDLE_VECTOR_CLONES void FactorFFT::inverse(std::size_t step, const float* inRe, const float* inIm, float* outRe,
                                             float* outIm)
{
    run<true, false>(step, inRe, inIm, outRe, outIm);
}

ZINDLE_VECTOR_CLONES void FactorFFT::forwardBlocked(std::size_t step, const float* inRe, const float* inIm, float* outRe,
                                                    float* outIm)
{
    run<false, true>(step, inRe, inIm, outRe, outIm);
}

ZINDLE_VECTOR_CLONES void FactorFFT::inverseBlocked(std::size_t step, const float* inRe, const float* inIm, float* outRe,
                                                    float* outIm)
{
    run<true, true>(step, inRe, inIm, outRe, outIm);
}

ZINDLE_VECTOR_CLONES void FactorFFT::forwardBlocked(const float* inRe, const float* inIm, float* outRe, float* outIm)
{
    for (std::size_t step = 0; step < blockedSteps(); ++step)
        run<false, true>(step, inRe, inIm, outRe, outIm);
}

ZINDLE_VECTOR_CLONES void FactorFFT::inverseBlocked(const float* inRe, const float* inIm, float* outRe, float* outIm)
{
    for (std::size_t step = 0; step < blockedSteps(); ++step)
        run<true, true>(step, inRe, inIm, outRe, outIm);
}

} // namespace dsp

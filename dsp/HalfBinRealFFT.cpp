#include "dsp/HalfBinRealFFT.h"

// The eight-lane kernels are inlined into the clone that runs them: no eight-float vector
// crosses a call, so the warning about their calling convention does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "dsp/Float4.h"
#include "dsp/Phasor.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

namespace dsp {
namespace {

using namespace simd;

struct Tables {
    const float* aRe;
    const float* aIm;
    const float* bRe;
    const float* bIm;
};

// z[k] = (x[2k] + i x[2k+1]) B[k].
ZINDLE_CLONE_INLINE void rotatePairs(std::size_t bins, const Tables& t, const float* time, float* zRe, float* zIm)
{
    forEachBlock(bins, [&]<typename T>(std::size_t k) {
        T xRe, xIm;
        loadPairs(time + 2 * k, xRe, xIm);
        const T bRe = load<T>(t.bRe + k), bIm = load<T>(t.bIm + k);
        store(zRe + k, xRe * bRe - xIm * bIm);
        store(zIm + k, xRe * bIm + xIm * bRe);
    });
}

// As rotatePairs, writing z in the complex transform's blocks: block q, element m holds
// z[q + Q m]; bBlocked is B in the same order.
ZINDLE_CLONE_INLINE void rotatePairsBlocked(std::size_t p, std::size_t q, const float* bBlockedRe,
                                            const float* bBlockedIm, const float* time, float* zRe, float* zIm)
{
    const std::size_t pairStride = 2 * q; // floats between z[k] and z[k + Q]
    for (std::size_t block = 0; block < q; ++block) {
        const float* x = time + 2 * block;
        const std::size_t base = block * p;
        forEachBlock(p, [&]<typename T>(std::size_t m) {
            T xRe, xIm;
            gatherPairs(x + m * pairStride, pairStride, xRe, xIm);
            const T bRe = load<T>(bBlockedRe + base + m), bIm = load<T>(bBlockedIm + base + m);
            store(zRe + base + m, xRe * bRe - xIm * bIm);
            store(zIm + base + m, xRe * bIm + xIm * bRe);
        });
    }
}

// With Z the C-point transform of z, the even samples' spectrum is
// FE = (Z[b] + conj Z[C-1-b]) / 2 and the odd samples' spectrum times i is
// G = (Z[b] - conj Z[C-1-b]) / 2; then X[b] = FE + A[b] G and X[C-1-b] = conj(FE - A[b] G).
template <typename T>
inline void separate(T zbRe, T zbIm, T zcRe, T zcIm, T aRe, T aIm, T& xbRe, T& xbIm, T& xcRe, T& xcIm)
{
    const T feRe = 0.5f * (zbRe + zcRe), feIm = 0.5f * (zbIm - zcIm);
    const T gRe = 0.5f * (zbRe - zcRe), gIm = 0.5f * (zbIm + zcIm);
    const T agRe = aRe * gRe - aIm * gIm, agIm = aRe * gIm + aIm * gRe;
    xbRe = feRe + agRe;
    xbIm = feIm + agIm;
    xcRe = feRe - agRe;
    xcIm = agIm - feIm;
}

ZINDLE_CLONE_INLINE void separateBins(std::size_t bins, const Tables& t, const float* zRe, const float* zIm,
                                      float* spectrum)
{
    const auto separated = [&]<typename T>(std::size_t b) {
        const std::size_t c = bins - sizeof(T) / sizeof(float) - b; // lowest index of the mirrored block
        T xbRe, xbIm, xcRe, xcIm;
        separate<T>(load<T>(zRe + b), load<T>(zIm + b), reversed(load<T>(zRe + c)), reversed(load<T>(zIm + c)),
                    load<T>(t.aRe + b), load<T>(t.aIm + b), xbRe, xbIm, xcRe, xcIm);
        // Where a single bin is its own mirror, bin b's value stands.
        storePairs(spectrum + 2 * c, reversed(xcRe), reversed(xcIm));
        storePairs(spectrum + 2 * b, xbRe, xbIm);
    };
    // Blocks stay below C/2, so a block and its mirror never meet.
    std::size_t b = 0;
    for (; b + 8 <= bins / 2; b += 8)
        separated.template operator()<V8>(b);
    for (; b + 4 <= bins / 2; b += 4)
        separated.template operator()<V4>(b);
    for (; b < (bins + 1) / 2; ++b)
        separated.template operator()<float>(b);
}

// a = X[k], c = X[C-1-k], t = A[k]; gives 2 Z[k] and 2 Z[C-1-k].
template <typename T>
inline void combine(T aRe, T aIm, T cRe, T cIm, T tRe, T tIm, T& zkRe, T& zkIm, T& zmRe, T& zmIm)
{
    const T s = aRe + cRe;
    const T d = aIm - cIm;
    const T e = aRe - cRe;
    const T f = cIm + aIm;
    const T u = tIm * f + e * tRe;
    const T v = f * tRe - tIm * e;
    zkRe = s + u;
    zkIm = d + v;
    zmRe = s - u;
    zmIm = v - d;
}

// Writes Z[k] at index(k): in natural order, or in the complex transform's blocks.
template <typename Index>
ZINDLE_CLONE_INLINE void combineBins(std::size_t bins, const Tables& t, const float* spectrum, float* zRe, float* zIm,
                                     Index index)
{
    const auto combined = [&]<typename T>(std::size_t k) {
        const std::size_t m = bins - sizeof(T) / sizeof(float) - k; // lowest index of the mirrored block
        T aRe, aIm, cRe, cIm, zkRe, zkIm, zmRe, zmIm;
        loadPairs(spectrum + 2 * k, aRe, aIm);
        loadPairs(spectrum + 2 * m, cRe, cIm);
        combine<T>(aRe, aIm, reversed(cRe), reversed(cIm), load<T>(t.aRe + k), load<T>(t.aIm + k), zkRe, zkIm,
                   zmRe, zmIm);
        index.store(zRe, zIm, k, zkRe, zkIm);
        index.store(zRe, zIm, m, reversed(zmRe), reversed(zmIm));
    };
    std::size_t k = 0;
    for (; k + 8 <= bins / 2; k += 8)
        combined.template operator()<V8>(k);
    for (; k + 4 <= bins / 2; k += 4)
        combined.template operator()<V4>(k);
    // The tail runs up to k = C/2 inclusive in order, so where k and C-1-k meet or
    // cross the later write stands, as in a plain loop over every k.
    for (; k <= bins / 2; ++k)
        combined.template operator()<float>(k);
}

struct NaturalOrder {
    template <typename T>
    void store(float* re, float* im, std::size_t k, T vRe, T vIm) const
    {
        simd::store(re + k, vRe);
        simd::store(im + k, vIm);
    }
};

// Value k at table[k]: the blocks of the complex transform.
struct BlockedOrder {
    const std::uint32_t* table;
    template <typename T>
    void store(float* re, float* im, std::size_t k, T vRe, T vIm) const
    {
        if constexpr (sizeof(T) == sizeof(float)) {
            re[table[k]] = vRe;
            im[table[k]] = vIm;
        } else {
            for (std::size_t l = 0; l < sizeof(T) / sizeof(float); ++l) {
                const std::size_t at = table[k + l];
                re[at] = vRe[l];
                im[at] = vIm[l];
            }
        }
    }
};

// (time[2k], time[2k+1]) = W[k] conj(B[k]).
ZINDLE_CLONE_INLINE void unrotatePairs(std::size_t bins, const Tables& t, const float* wRe, const float* wIm,
                                       float* time)
{
    forEachBlock(bins, [&]<typename T>(std::size_t k) {
        const T re = load<T>(wRe + k), im = load<T>(wIm + k);
        const T bRe = load<T>(t.bRe + k), bIm = load<T>(t.bIm + k);
        storePairs(time + 2 * k, re * bRe + im * bIm, im * bRe - re * bIm);
    });
}

} // namespace

HalfBinRealFFT::HalfBinRealFFT(std::size_t length) { setSize(length); }

void HalfBinRealFFT::setSize(std::size_t length)
{
    size_ = length;
    const std::size_t bins = length / 2;
    complexFFT_.resize(bins);
    work1Re_.assign(bins, 0.0f);
    work1Im_.assign(bins, 0.0f);
    work2Re_.assign(bins, 0.0f);
    work2Im_.assign(bins, 0.0f);

    constexpr double pi = std::numbers::pi;
    const double n = static_cast<double>(length);
    const std::size_t combine = length / 4 + 1;
    tableARe_.assign(combine, 0.0f);
    tableAIm_.assign(combine, 0.0f);
    for (std::size_t k = 0; k < combine; ++k)
        storePhasor((static_cast<double>(k) + 0.5) * (-2.0 * pi / n) - pi / 2.0, tableARe_[k], tableAIm_[k]);
    tableBRe_.assign(bins, 0.0f);
    tableBIm_.assign(bins, 0.0f);
    for (std::size_t k = 0; k < bins; ++k)
        storePhasor(-2.0 * pi * static_cast<double>(k) / n, tableBRe_[k], tableBIm_[k]);

    // With an odd factor, z goes straight into the complex transform's blocks.
    blocked_ = complexFFT_.oddFactor() > 1;
    const std::size_t blockedBins = blocked_ ? bins : 0;
    blockedIndex_.assign(blockedBins, 0);
    blockedBRe_.assign(blockedBins, 0.0f);
    blockedBIm_.assign(blockedBins, 0.0f);
    for (std::size_t k = 0; k < blockedBins; ++k) {
        const std::size_t at = complexFFT_.blockedIndex(k);
        blockedIndex_[k] = static_cast<std::uint32_t>(at);
        blockedBRe_[at] = tableBRe_[k];
        blockedBIm_[at] = tableBIm_[k];
    }
}

ZINDLE_VECTOR_CLONES void HalfBinRealFFT::forward(const float* time, std::complex<float>* spectrum)
{
    const std::size_t bins = size_ / 2;
    if (bins == 0)
        return;
    const Tables tables{tableARe_.data(), tableAIm_.data(), tableBRe_.data(), tableBIm_.data()};
    if (blocked_)
        rotatePairsBlocked(complexFFT_.powerOfTwoFactor(), complexFFT_.oddFactor(), blockedBRe_.data(),
                           blockedBIm_.data(), time, work1Re_.data(), work1Im_.data());
    else
        rotatePairs(bins, tables, time, work1Re_.data(), work1Im_.data());
    for (std::size_t step = 0; step < complexFFT_.blockedSteps(); ++step)
        complexFFT_.forwardBlocked(step, work1Re_.data(), work1Im_.data(), work2Re_.data(), work2Im_.data());
    separateBins(bins, tables, work2Re_.data(), work2Im_.data(), reinterpret_cast<float*>(spectrum));
}

void HalfBinRealFFT::inverse(const std::complex<float>* spectrum, float* time)
{
    for (std::size_t step = 0; step < steps(); ++step)
        inverse(step, spectrum, time);
}

ZINDLE_VECTOR_CLONES void HalfBinRealFFT::inverse(std::size_t step, const std::complex<float>* spectrum, float* time)
{
    const std::size_t bins = size_ / 2;
    if (bins == 0)
        return;
    const Tables tables{tableARe_.data(), tableAIm_.data(), tableBRe_.data(), tableBIm_.data()};
    const std::size_t complexSteps = complexFFT_.blockedSteps();
    const float* packed = reinterpret_cast<const float*>(spectrum);
    if (step == 0 && blocked_)
        combineBins(bins, tables, packed, work1Re_.data(), work1Im_.data(), BlockedOrder{blockedIndex_.data()});
    else if (step == 0)
        combineBins(bins, tables, packed, work1Re_.data(), work1Im_.data(), NaturalOrder{});
    else if (step <= complexSteps)
        complexFFT_.inverseBlocked(step - 1, work1Re_.data(), work1Im_.data(), work2Re_.data(), work2Im_.data());
    else if (step == complexSteps + 1)
        unrotatePairs(bins, tables, work2Re_.data(), work2Im_.data(), time);
}

} // namespace dsp

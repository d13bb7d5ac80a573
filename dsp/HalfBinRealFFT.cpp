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

// The tail of the combination, from k = from up to C/2 inclusive in order, so where k and
// C-1-k meet or cross the later write stands, as in a plain loop over every k. Writes Z[k]
// at index(k).
template <typename Index>
ZINDLE_CLONE_INLINE void combineTail(std::size_t bins, std::size_t from, const Tables& t, const float* spectrum,
                                     float* zRe, float* zIm, Index index)
{
    for (std::size_t k = from; k <= bins / 2; ++k) {
        const std::size_t m = bins - 1 - k;
        float zkRe, zkIm, zmRe, zmIm;
        combine<float>(spectrum[2 * k], spectrum[2 * k + 1], spectrum[2 * m], spectrum[2 * m + 1], t.aRe[k],
                       t.aIm[k], zkRe, zkIm, zmRe, zmIm);
        zRe[index(k)] = zkRe;
        zIm[index(k)] = zkIm;
        zRe[index(m)] = zmRe;
        zIm[index(m)] = zmIm;
    }
}

// Blocks of k (and their mirrors) up to vectorEnd(bins), then the tail.
inline std::size_t vectorEnd(std::size_t bins) { return bins / 2 / 4 * 4; }

ZINDLE_CLONE_INLINE void combineBins(std::size_t bins, const Tables& t, const float* spectrum, float* zRe,
                                     float* zIm)
{
    const auto combined = [&]<typename T>(std::size_t k) {
        const std::size_t m = bins - sizeof(T) / sizeof(float) - k; // lowest index of the mirrored block
        T aRe, aIm, cRe, cIm, zkRe, zkIm, zmRe, zmIm;
        loadPairs(spectrum + 2 * k, aRe, aIm);
        loadPairs(spectrum + 2 * m, cRe, cIm);
        combine<T>(aRe, aIm, reversed(cRe), reversed(cIm), load<T>(t.aRe + k), load<T>(t.aIm + k), zkRe, zkIm,
                   zmRe, zmIm);
        store(zRe + k, zkRe);
        store(zIm + k, zkIm);
        store(zRe + m, reversed(zmRe));
        store(zIm + m, reversed(zmIm));
    };
    std::size_t k = 0;
    for (; k + 8 <= bins / 2; k += 8)
        combined.template operator()<V8>(k);
    for (; k < vectorEnd(bins); k += 4)
        combined.template operator()<V4>(k);
    combineTail(bins, k, t, spectrum, zRe, zIm, [](std::size_t i) { return i; });
}

// As combineBins, writing Z in the complex transform's blocks (block q, element m holds
// Z[q + Q m]) block by block, so the stores are whole vectors and the loads gather: the
// lanes take k = q + Q m for consecutive m, their mirrors C-1-k sit in block Q-1-q at P-1-m.
// Every k up to C/2 is combined here, then the tail is combined again in order, so each
// value comes from the same k as in natural order. aBlocked is A in the block order.
ZINDLE_CLONE_INLINE void combineBinsBlocked(std::size_t p, std::size_t q, const Tables& t, const float* aBlockedRe,
                                            const float* aBlockedIm, const std::uint32_t* blockedIndex,
                                            const float* spectrum, float* zRe, float* zIm)
{
    const std::size_t bins = p * q;
    const std::size_t pairStride = 2 * q; // floats between X[k] and X[k + Q]
    for (std::size_t block = 0; block < q && block <= bins / 2; ++block) {
        const std::size_t count = (bins / 2 - block) / q + 1; // the m with k = block + Q m <= C/2
        const std::size_t base = block * p, mirrorBase = (q - 1 - block) * p;
        forEachBlock(count, [&]<typename T>(std::size_t m) {
            constexpr std::size_t lanes = sizeof(T) / sizeof(float);
            const std::size_t k = block + q * m;
            const std::size_t last = bins - 1 - k - q * (lanes - 1); // lowest mirror of the lanes
            T aRe, aIm, cRe, cIm, zkRe, zkIm, zmRe, zmIm;
            gatherPairs(spectrum + 2 * k, pairStride, aRe, aIm);
            gatherPairs(spectrum + 2 * last, pairStride, cRe, cIm);
            combine<T>(aRe, aIm, reversed(cRe), reversed(cIm), load<T>(aBlockedRe + base + m),
                       load<T>(aBlockedIm + base + m), zkRe, zkIm, zmRe, zmIm);
            store(zRe + base + m, zkRe);
            store(zIm + base + m, zkIm);
            const std::size_t mirror = mirrorBase + p - lanes - m;
            store(zRe + mirror, reversed(zmRe));
            store(zIm + mirror, reversed(zmIm));
        });
    }
    combineTail(bins, vectorEnd(bins), t, spectrum, zRe, zIm, [blockedIndex](std::size_t i) { return blockedIndex[i]; });
}

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
    blockedARe_.assign(blockedBins, 0.0f);
    blockedAIm_.assign(blockedBins, 0.0f);
    for (std::size_t k = 0; k < blockedBins; ++k) {
        const std::size_t at = complexFFT_.blockedIndex(k);
        blockedIndex_[k] = static_cast<std::uint32_t>(at);
        blockedBRe_[at] = tableBRe_[k];
        blockedBIm_[at] = tableBIm_[k];
        if (k < combine) {
            blockedARe_[at] = tableARe_[k];
            blockedAIm_[at] = tableAIm_[k];
        }
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
    complexFFT_.forwardBlocked(work1Re_.data(), work1Im_.data(), work2Re_.data(), work2Im_.data());
    separateBins(bins, tables, work2Re_.data(), work2Im_.data(), reinterpret_cast<float*>(spectrum));
}

ZINDLE_CLONE_INLINE void HalfBinRealFFT::combineStep(const std::complex<float>* spectrum)
{
    const std::size_t bins = size_ / 2;
    const Tables tables{tableARe_.data(), tableAIm_.data(), tableBRe_.data(), tableBIm_.data()};
    const float* packed = reinterpret_cast<const float*>(spectrum);
    if (blocked_)
        combineBinsBlocked(complexFFT_.powerOfTwoFactor(), complexFFT_.oddFactor(), tables, blockedARe_.data(),
                           blockedAIm_.data(), blockedIndex_.data(), packed, work1Re_.data(), work1Im_.data());
    else
        combineBins(bins, tables, packed, work1Re_.data(), work1Im_.data());
}

ZINDLE_CLONE_INLINE void HalfBinRealFFT::unrotateStep(float* time)
{
    const Tables tables{tableARe_.data(), tableAIm_.data(), tableBRe_.data(), tableBIm_.data()};
    unrotatePairs(size_ / 2, tables, work2Re_.data(), work2Im_.data(), time);
}

// In one call: the steps without a call each.
ZINDLE_VECTOR_CLONES void HalfBinRealFFT::inverse(const std::complex<float>* spectrum, float* time)
{
    if (size_ / 2 == 0)
        return;
    combineStep(spectrum);
    complexFFT_.inverseBlocked(work1Re_.data(), work1Im_.data(), work2Re_.data(), work2Im_.data());
    unrotateStep(time);
}

ZINDLE_VECTOR_CLONES void HalfBinRealFFT::inverse(std::size_t step, const std::complex<float>* spectrum, float* time)
{
    if (size_ / 2 == 0)
        return;
    const std::size_t complexSteps = complexFFT_.blockedSteps();
    if (step == 0)
        combineStep(spectrum);
    else if (step <= complexSteps)
        complexFFT_.inverseBlocked(step - 1, work1Re_.data(), work1Im_.data(), work2Re_.data(), work2Im_.data());
    else if (step == complexSteps + 1)
        unrotateStep(time);
}

} // namespace dsp

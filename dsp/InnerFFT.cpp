#include "dsp/InnerFFT.h"

#include "dsp/Float4.h"
#include "dsp/Phasor.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace dsp {
namespace {

using namespace simd;

inline V4 gather(const float* p, std::size_t stride)
{
    return V4{p[0], p[stride], p[2 * stride], p[3 * stride]};
}

// Four complex values, or a complex value in each of four independent transforms.
struct CV {
    V4 re, im;
};

inline CV operator+(CV a, CV b) { return {a.re + b.re, a.im + b.im}; }
inline CV operator-(CV a, CV b) { return {a.re - b.re, a.im - b.im}; }
inline CV operator*(CV a, CV w) { return {a.re * w.re - a.im * w.im, a.re * w.im + a.im * w.re}; }
inline CV scale(CV a, float wRe, float wIm) { return {a.re * wRe - a.im * wIm, a.re * wIm + a.im * wRe}; }

// Multiplies by -i for the forward transform and by +i for the inverse.
template <bool Inverse>
inline CV rotateQuarter(CV a)
{
    if constexpr (Inverse)
        return {-a.im, a.re};
    else
        return {a.im, -a.re};
}

inline CV loadCV(const float* re, const float* im, std::size_t i) { return {load(re + i), load(im + i)}; }

inline void storeCV(float* re, float* im, std::size_t i, CV v)
{
    store(re + i, v.re);
    store(im + i, v.im);
}

// Short or strided transforms: the radix-4 decimation in time written out directly.
// twStep is size() / length, the table stride of this level's w = exp(-2 pi i / length).
template <bool Inverse>
void scalarTransform(std::size_t length, std::size_t stride, std::size_t twStep, const float* twRe,
                     const float* twIm, const float* inRe, const float* inIm, float* outRe, float* outIm)
{
    if (length == 1) {
        outRe[0] = inRe[0];
        outIm[0] = inIm[0];
        return;
    }
    if (length == 2) {
        const float aRe = inRe[0], aIm = inIm[0], bRe = inRe[stride], bIm = inIm[stride];
        outRe[0] = aRe + bRe;
        outIm[0] = aIm + bIm;
        outRe[1] = aRe - bRe;
        outIm[1] = aIm - bIm;
        return;
    }
    const std::size_t quarter = length / 4;
    for (std::size_t l = 0; l < 4; ++l)
        scalarTransform<Inverse>(quarter, 4 * stride, 4 * twStep, twRe, twIm, inRe + l * stride,
                                 inIm + l * stride, outRe + l * quarter, outIm + l * quarter);
    const float sign = Inverse ? -1.0f : 1.0f;
    for (std::size_t j = 0; j < quarter; ++j) {
        float re[4], im[4];
        for (std::size_t l = 0; l < 4; ++l) {
            const std::size_t t = l * j * twStep;
            const float wRe = twRe[t], wIm = sign * twIm[t];
            const float xRe = outRe[j + l * quarter], xIm = outIm[j + l * quarter];
            re[l] = l == 0 ? xRe : xRe * wRe - xIm * wIm;
            im[l] = l == 0 ? xIm : xRe * wIm + xIm * wRe;
        }
        const float apcRe = re[0] + re[2], apcIm = im[0] + im[2];
        const float amcRe = re[0] - re[2], amcIm = im[0] - im[2];
        const float bpdRe = re[1] + re[3], bpdIm = im[1] + im[3];
        // (b - d) turned by -i (forward) or +i (inverse).
        const float rotRe = sign * (im[1] - im[3]), rotIm = -sign * (re[1] - re[3]);
        outRe[j] = apcRe + bpdRe;
        outIm[j] = apcIm + bpdIm;
        outRe[j + quarter] = amcRe + rotRe;
        outIm[j + quarter] = amcIm + rotIm;
        outRe[j + 2 * quarter] = apcRe - bpdRe;
        outIm[j + 2 * quarter] = apcIm - bpdIm;
        outRe[j + 3 * quarter] = amcRe - rotRe;
        outIm[j + 3 * quarter] = amcIm - rotIm;
    }
}

// The vector path for contiguous input of length L = 4M >= 16. Lane l of vector m holds
// in[4m + l], so the four interleaved quarter sequences of the radix-4 decimation in time
// are transformed side by side, one per lane, by a self-sorting (Stockham) pass sequence
// over M vectors with shared twiddles. A last pass transposes 4 x 4 blocks and combines
// the quarters with the radix-4 butterfly into natural order.
struct VectorPlan {
    std::size_t length;
    std::size_t twStep; // size() / length
    const float* twRe;
    const float* twIm;
    const float* combineRe; // three runs of combineRun = size() / 4
    const float* combineIm;
    std::size_t combineRun;
};

// One Stockham radix-4 pass: s interleaved transforms of length n, vector-indexed.
template <bool Inverse>
ZINDLE_CLONE_INLINE void stockhamRadix4(std::size_t n, std::size_t s, std::size_t twStep, const VectorPlan& plan,
                           const float* xRe, const float* xIm, float* yRe, float* yIm)
{
    const std::size_t m = n / 4;
    const std::size_t quarter = 4 * s * m; // floats between the four inputs of a butterfly
    const float sign = Inverse ? -1.0f : 1.0f;
    for (std::size_t p = 0; p < m; ++p) {
        const std::size_t t = p * twStep;
        const float w1Re = plan.twRe[t], w1Im = sign * plan.twIm[t];
        const float w2Re = plan.twRe[2 * t], w2Im = sign * plan.twIm[2 * t];
        const float w3Re = plan.twRe[3 * t], w3Im = sign * plan.twIm[3 * t];
        for (std::size_t q = 0; q < s; ++q) {
            const std::size_t i = 4 * (q + s * p);
            const CV a = loadCV(xRe, xIm, i);
            const CV b = loadCV(xRe, xIm, i + quarter);
            const CV c = loadCV(xRe, xIm, i + 2 * quarter);
            const CV d = loadCV(xRe, xIm, i + 3 * quarter);
            const CV apc = a + c, amc = a - c, bpd = b + d;
            const CV rot = rotateQuarter<Inverse>(b - d);
            const std::size_t o = 4 * (q + 4 * s * p);
            storeCV(yRe, yIm, o, apc + bpd);
            storeCV(yRe, yIm, o + 4 * s, scale(amc + rot, w1Re, w1Im));
            storeCV(yRe, yIm, o + 8 * s, scale(apc - bpd, w2Re, w2Im));
            storeCV(yRe, yIm, o + 12 * s, scale(amc - rot, w3Re, w3Im));
        }
    }
}

// The closing radix-2 pass of a Stockham sequence whose length is 2 times a power of 4.
ZINDLE_CLONE_INLINE void stockhamRadix2(std::size_t s, const float* xRe, const float* xIm, float* yRe, float* yIm)
{
    for (std::size_t q = 0; q < s; ++q) {
        const CV a = loadCV(xRe, xIm, 4 * q);
        const CV b = loadCV(xRe, xIm, 4 * (q + s));
        storeCV(yRe, yIm, 4 * q, a + b);
        storeCV(yRe, yIm, 4 * (q + s), a - b);
    }
}

template <bool Contiguous>
inline CV combineTwiddle(const VectorPlan& plan, std::size_t run, std::size_t j)
{
    const float* re = plan.combineRe + run * plan.combineRun;
    const float* im = plan.combineIm + run * plan.combineRun;
    if constexpr (Contiguous)
        return {load(re + j), load(im + j)};
    else
        return {gather(re + j * plan.twStep, plan.twStep), gather(im + j * plan.twStep, plan.twStep)};
}

template <bool Inverse, bool Contiguous>
ZINDLE_CLONE_INLINE void combineQuarters(const VectorPlan& plan, const float* yRe, const float* yIm, float* outRe,
                            float* outIm)
{
    const std::size_t m = plan.length / 4;
    for (std::size_t j = 0; j < m; j += 4) {
        V4 r0 = load(yRe + 4 * j), r1 = load(yRe + 4 * j + 4), r2 = load(yRe + 4 * j + 8),
           r3 = load(yRe + 4 * j + 12);
        V4 i0 = load(yIm + 4 * j), i1 = load(yIm + 4 * j + 4), i2 = load(yIm + 4 * j + 8),
           i3 = load(yIm + 4 * j + 12);
        transpose(r0, r1, r2, r3);
        transpose(i0, i1, i2, i3);
        CV w1 = combineTwiddle<Contiguous>(plan, 0, j);
        CV w2 = combineTwiddle<Contiguous>(plan, 1, j);
        CV w3 = combineTwiddle<Contiguous>(plan, 2, j);
        if constexpr (Inverse) {
            w1.im = -w1.im;
            w2.im = -w2.im;
            w3.im = -w3.im;
        }
        const CV a{r0, i0};
        const CV b = CV{r1, i1} * w1;
        const CV c = CV{r2, i2} * w2;
        const CV d = CV{r3, i3} * w3;
        const CV apc = a + c, amc = a - c, bpd = b + d;
        const CV rot = rotateQuarter<Inverse>(b - d);
        storeCV(outRe, outIm, j, apc + bpd);
        storeCV(outRe, outIm, j + m, amc + rot);
        storeCV(outRe, outIm, j + 2 * m, apc - bpd);
        storeCV(outRe, outIm, j + 3 * m, amc - rot);
    }
}

template <bool Inverse>
ZINDLE_CLONE_INLINE void vectorTransform(const VectorPlan& plan, const float* inRe, const float* inIm, float* outRe, float* outIm,
                     float* workRe, float* workIm)
{
    const std::size_t m = plan.length / 4;
    std::size_t passes = 0;
    std::size_t n = m;
    for (; n >= 4; n /= 4)
        ++passes;
    passes += n == 2 ? 1 : 0;

    // Ping-pong between out and work so that the last pass lands in work, which the
    // combination then reads while it writes out.
    const float* srcRe = inRe;
    const float* srcIm = inIm;
    n = m;
    std::size_t s = 1;
    for (std::size_t pass = passes; pass > 0; --pass) {
        float* dstRe = pass % 2 == 1 ? workRe : outRe;
        float* dstIm = pass % 2 == 1 ? workIm : outIm;
        if (n >= 4) {
            stockhamRadix4<Inverse>(n, s, plan.twStep * (plan.length / n), plan, srcRe, srcIm, dstRe, dstIm);
            n /= 4;
            s *= 4;
        } else {
            stockhamRadix2(s, srcRe, srcIm, dstRe, dstIm);
        }
        srcRe = dstRe;
        srcIm = dstIm;
    }
    if (plan.twStep == 1)
        combineQuarters<Inverse, true>(plan, srcRe, srcIm, outRe, outIm);
    else
        combineQuarters<Inverse, false>(plan, srcRe, srcIm, outRe, outIm);
}

} // namespace

void InnerFFT::resize(std::size_t length)
{
    size_ = length;
    const std::size_t count = 3 * length / 4;
    twiddleRe_.assign(count, 0.0f);
    twiddleIm_.assign(count, 0.0f);
    for (std::size_t i = 0; i < count; ++i)
        storePhasor(-2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(length),
                    twiddleRe_[i], twiddleIm_[i]);
    workRe_.assign(length, 0.0f);
    workIm_.assign(length, 0.0f);

    // The last combination reads w^j, w^2j and w^3j for four consecutive j at a time.
    const std::size_t run = length / 4;
    combineRe_.assign(3 * run, 0.0f);
    combineIm_.assign(3 * run, 0.0f);
    for (std::size_t l = 1; l <= 3; ++l) {
        for (std::size_t j = 0; j < run; ++j) {
            combineRe_[(l - 1) * run + j] = twiddleRe_[l * j];
            combineIm_[(l - 1) * run + j] = twiddleIm_[l * j];
        }
    }
}

template <bool Inverse>
ZINDLE_CLONE_INLINE void InnerFFT::run(std::size_t length, std::size_t stride, const float* inRe, const float* inIm, float* outRe,
                   float* outIm)
{
    if (length == 0 || length > size_)
        return;
    const std::size_t twStep = size_ / length;
    if (length < 16 || stride != 1) {
        scalarTransform<Inverse>(length, stride, twStep, twiddleRe_.data(), twiddleIm_.data(), inRe, inIm, outRe,
                                 outIm);
        return;
    }
    const VectorPlan plan{length,           twStep,           twiddleRe_.data(), twiddleIm_.data(),
                          combineRe_.data(), combineIm_.data(), size_ / 4};
    vectorTransform<Inverse>(plan, inRe, inIm, outRe, outIm, workRe_.data(), workIm_.data());
}

ZINDLE_VECTOR_CLONES void InnerFFT::forward(std::size_t length, std::size_t stride, const float* inRe, const float* inIm,
                       float* outRe, float* outIm)
{
    run<false>(length, stride, inRe, inIm, outRe, outIm);
}

ZINDLE_VECTOR_CLONES void InnerFFT::inverse(std::size_t length, std::size_t stride, const float* inRe, const float* inIm,
                       float* outRe, float* outIm)
{
    run<true>(length, stride, inRe, inIm, outRe, outIm);
}

} // namespace dsp

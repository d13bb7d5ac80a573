#include "dsp/InnerFFT.h"

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

template <typename T>
inline T gather(const float* p, std::size_t stride)
{
    if constexpr (sizeof(T) == sizeof(V8))
        return T{p[0],          p[stride],     p[2 * stride], p[3 * stride],
                 p[4 * stride], p[5 * stride], p[6 * stride], p[7 * stride]};
    else
        return T{p[0], p[stride], p[2 * stride], p[3 * stride]};
}

// A complex value in each lane: of one transform at consecutive indices, or of
// independent transforms side by side.
template <typename T>
struct CV {
    T re, im;
};

template <typename T>
inline CV<T> operator+(CV<T> a, CV<T> b)
{
    return {a.re + b.re, a.im + b.im};
}
template <typename T>
inline CV<T> operator-(CV<T> a, CV<T> b)
{
    return {a.re - b.re, a.im - b.im};
}
template <typename T>
inline CV<T> operator*(CV<T> a, CV<T> w)
{
    return {a.re * w.re - a.im * w.im, a.re * w.im + a.im * w.re};
}

// Multiplies by -i for the forward transform and by +i for the inverse.
template <bool Inverse, typename T>
inline CV<T> rotateQuarter(CV<T> a)
{
    if constexpr (Inverse)
        return {-a.im, a.re};
    else
        return {a.im, -a.re};
}

template <typename T>
inline CV<T> loadCV(const float* re, const float* im, std::size_t i)
{
    return {load<T>(re + i), load<T>(im + i)};
}

template <typename T>
inline void storeCV(float* re, float* im, std::size_t i, CV<T> v)
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
    const float* firstRe; // the first pass's twiddles in lanes at the full length, else null
    const float* firstIm;
};

// The butterfly of a Stockham radix-4 pass: y[r] is output r, twiddled by w[r - 1].
template <bool Inverse, typename T>
ZINDLE_CLONE_INLINE void radix4(CV<T> a, CV<T> b, CV<T> c, CV<T> d, const CV<T> (&w)[3], CV<T> (&y)[4])
{
    const CV<T> apc = a + c, amc = a - c, bpd = b + d;
    const CV<T> rot = rotateQuarter<Inverse>(b - d);
    y[0] = apc + bpd;
    y[1] = (amc + rot) * w[0];
    y[2] = (apc - bpd) * w[1];
    y[3] = (amc - rot) * w[2];
}

// Twiddle r (1 .. 3) of butterfly p, conjugated for the inverse.
template <bool Inverse>
inline void stockhamTwiddle(const VectorPlan& plan, std::size_t twStep, std::size_t p, std::size_t r, float& re,
                            float& im)
{
    const float sign = Inverse ? -1.0f : 1.0f;
    const std::size_t t = r * p * twStep;
    re = plan.twRe[t];
    im = sign * plan.twIm[t];
}

// A butterfly's three twiddles (re, im) in every lane, once for all the columns it runs on.
template <typename T>
ZINDLE_CLONE_INLINE void broadcastTwiddles(const float (&w)[3][2], CV<T> (&lanes)[3])
{
    for (std::size_t r = 0; r < 3; ++r)
        lanes[r] = {broadcast<T>(w[r][0]), broadcast<T>(w[r][1])};
}

// One Stockham radix-4 pass: s interleaved transforms of length n, vector-indexed. The
// butterfly of (p, q) reads vectors q + s p + k s m and writes vectors q + 4 s p + r s. With
// s > 1 eight lanes take the vectors of q and q + 1 (one twiddle); with s = 1 (the first pass)
// those of p and p + 1, with a twiddle for each half from the lane table made for it, and the
// outputs four vectors apart. Transforms shorter than the tables take four lanes there.
template <bool Inverse>
ZINDLE_CLONE_INLINE void stockhamRadix4(std::size_t n, std::size_t s, std::size_t twStep, const VectorPlan& plan,
                                        const float* xRe, const float* xIm, float* yRe, float* yIm)
{
    const std::size_t m = n / 4;
    const std::size_t quarter = 4 * s * m; // floats between the four inputs of a butterfly
    if (s == 1 && m % 2 == 0 && plan.firstRe != nullptr) {
        for (std::size_t p = 0; p < m; p += 2) {
            CV<V8> w[3];
            for (std::size_t r = 0; r < 3; ++r) {
                const std::size_t at = 8 * (3 * (p / 2) + r);
                w[r] = {load<V8>(plan.firstRe + at), load<V8>(plan.firstIm + at)};
                if constexpr (Inverse)
                    w[r].im = -w[r].im;
            }
            const std::size_t i = 4 * p;
            CV<V8> y[4];
            radix4<Inverse>(loadCV<V8>(xRe, xIm, i), loadCV<V8>(xRe, xIm, i + quarter),
                            loadCV<V8>(xRe, xIm, i + 2 * quarter), loadCV<V8>(xRe, xIm, i + 3 * quarter), w, y);
            // Butterfly p's outputs fill vectors 4p .. 4p + 3, butterfly p + 1's the next four.
            const std::size_t o = 16 * p;
            for (std::size_t r = 0; r < 4; r += 2) {
                CV<V8> lo, hi;
                interleaveHalves(y[r].re, y[r + 1].re, lo.re, hi.re);
                interleaveHalves(y[r].im, y[r + 1].im, lo.im, hi.im);
                storeCV(yRe, yIm, o + 4 * r, lo);
                storeCV(yRe, yIm, o + 16 + 4 * r, hi);
            }
        }
        return;
    }
    for (std::size_t p = 0; p < m; ++p) {
        float w[3][2];
        for (std::size_t r = 0; r < 3; ++r)
            stockhamTwiddle<Inverse>(plan, twStep, p, r + 1, w[r][0], w[r][1]);
        const auto butterflies = [&]<typename T>(std::size_t q, const CV<T> (&wT)[3]) {
            const std::size_t i = 4 * (q + s * p);
            CV<T> y[4];
            radix4<Inverse>(loadCV<T>(xRe, xIm, i), loadCV<T>(xRe, xIm, i + quarter),
                            loadCV<T>(xRe, xIm, i + 2 * quarter), loadCV<T>(xRe, xIm, i + 3 * quarter), wT, y);
            const std::size_t o = 4 * (q + 4 * s * p);
            for (std::size_t r = 0; r < 4; ++r)
                storeCV(yRe, yIm, o + 4 * s * r, y[r]);
        };
        std::size_t q = 0;
        if (s >= 2) {
            CV<V8> w8[3];
            broadcastTwiddles(w, w8);
            for (; q + 2 <= s; q += 2)
                butterflies(q, w8);
        }
        if (q < s) {
            CV<V4> w4[3];
            broadcastTwiddles(w, w4);
            for (; q < s; ++q)
                butterflies(q, w4);
        }
    }
}

// The closing radix-2 pass of a Stockham sequence whose length is 2 times a power of 4.
ZINDLE_CLONE_INLINE void stockhamRadix2(std::size_t s, const float* xRe, const float* xIm, float* yRe, float* yIm)
{
    const auto butterflies = [&]<typename T>(std::size_t q) {
        const CV<T> a = loadCV<T>(xRe, xIm, 4 * q);
        const CV<T> b = loadCV<T>(xRe, xIm, 4 * (q + s));
        storeCV(yRe, yIm, 4 * q, a + b);
        storeCV(yRe, yIm, 4 * (q + s), a - b);
    };
    std::size_t q = 0;
    for (; q + 2 <= s; q += 2)
        butterflies.template operator()<V8>(q);
    for (; q < s; ++q)
        butterflies.template operator()<V4>(q);
}

// w^(run + 1) j for the lanes' j from j on.
template <typename T, bool Contiguous>
inline CV<T> combineTwiddle(const VectorPlan& plan, std::size_t run, std::size_t j)
{
    const float* re = plan.combineRe + run * plan.combineRun;
    const float* im = plan.combineIm + run * plan.combineRun;
    if constexpr (Contiguous)
        return {load<T>(re + j), load<T>(im + j)};
    else
        return {gather<T>(re + j * plan.twStep, plan.twStep), gather<T>(im + j * plan.twStep, plan.twStep)};
}

// Output j .. j + 3 of each quarter from the 4 x 4 block of vectors j .. j + 3 (transposed:
// lane l of vector j + k is element j + l of quarter k); eight lanes take blocks j and j + 4.
template <bool Inverse, bool Contiguous>
ZINDLE_CLONE_INLINE void combineQuarters(const VectorPlan& plan, const float* yRe, const float* yIm, float* outRe,
                                         float* outIm)
{
    const std::size_t m = plan.length / 4;
    const auto combine = [&]<typename T>(std::size_t j, CV<T> a, CV<T> b, CV<T> c, CV<T> d) {
        CV<T> w1 = combineTwiddle<T, Contiguous>(plan, 0, j);
        CV<T> w2 = combineTwiddle<T, Contiguous>(plan, 1, j);
        CV<T> w3 = combineTwiddle<T, Contiguous>(plan, 2, j);
        if constexpr (Inverse) {
            w1.im = -w1.im;
            w2.im = -w2.im;
            w3.im = -w3.im;
        }
        b = b * w1;
        c = c * w2;
        d = d * w3;
        const CV<T> apc = a + c, amc = a - c, bpd = b + d;
        const CV<T> rot = rotateQuarter<Inverse>(b - d);
        storeCV(outRe, outIm, j, apc + bpd);
        storeCV(outRe, outIm, j + m, amc + rot);
        storeCV(outRe, outIm, j + 2 * m, apc - bpd);
        storeCV(outRe, outIm, j + 3 * m, amc - rot);
    };
    std::size_t j = 0;
    for (; j + 8 <= m; j += 8) {
        // Vector j + k in the low half, j + 4 + k in the high half.
        const auto halves = [&](const float* y, V8& v0, V8& v1, V8& v2, V8& v3) {
            interleaveHalves(load<V8>(y + 4 * j), load<V8>(y + 4 * j + 16), v0, v1);
            interleaveHalves(load<V8>(y + 4 * j + 8), load<V8>(y + 4 * j + 24), v2, v3);
        };
        V8 r0, r1, r2, r3, i0, i1, i2, i3;
        halves(yRe, r0, r1, r2, r3);
        halves(yIm, i0, i1, i2, i3);
        transposeHalves(r0, r1, r2, r3);
        transposeHalves(i0, i1, i2, i3);
        combine.template operator()<V8>(j, CV<V8>{r0, i0}, CV<V8>{r1, i1}, CV<V8>{r2, i2}, CV<V8>{r3, i3});
    }
    for (; j < m; j += 4) {
        V4 r0 = load(yRe + 4 * j), r1 = load(yRe + 4 * j + 4), r2 = load(yRe + 4 * j + 8),
           r3 = load(yRe + 4 * j + 12);
        V4 i0 = load(yIm + 4 * j), i1 = load(yIm + 4 * j + 4), i2 = load(yIm + 4 * j + 8),
           i3 = load(yIm + 4 * j + 12);
        transpose(r0, r1, r2, r3);
        transpose(i0, i1, i2, i3);
        combine.template operator()<V4>(j, CV<V4>{r0, i0}, CV<V4>{r1, i1}, CV<V4>{r2, i2}, CV<V4>{r3, i3});
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

    // The first pass's twiddles w^(4 r p), r = 1 .. 3, for the butterflies p and p + 1 side
    // by side: eight floats per r, four lanes each.
    const std::size_t butterflies = length / 16;
    const std::size_t first = butterflies >= 2 ? 3 * 4 * butterflies : 0;
    firstRe_.assign(first, 0.0f);
    firstIm_.assign(first, 0.0f);
    for (std::size_t i = 0; i < first; ++i) {
        const std::size_t lane = i % 8, r = i / 8 % 3 + 1, p = i / 24 * 2 + lane / 4;
        firstRe_[i] = twiddleRe_[4 * r * p];
        firstIm_[i] = twiddleIm_[4 * r * p];
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
    const bool full = twStep == 1 && !firstRe_.empty();
    const VectorPlan plan{length,
                          twStep,
                          twiddleRe_.data(),
                          twiddleIm_.data(),
                          combineRe_.data(),
                          combineIm_.data(),
                          size_ / 4,
                          full ? firstRe_.data() : nullptr,
                          full ? firstIm_.data() : nullptr};
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

#pragma once

#include <cstddef>
#include <cstring>

// Four-float vectors for the transform kernels, through GCC vector extensions: the
// compiler maps them onto the target's vector unit (SSE on any x86-64) or splits them into
// scalars where there is none. Kernels written for a lane type T serve V4 for four columns
// and float for scalar tails.
// A kernel written on V4 gives the same bits whichever x86-64 level runs it: each lane is the
// same IEEE operation, and the build contracts nothing into fused multiply-adds. So a hot one
// may carry clones for the wider levels (more registers, three-operand forms), chosen at load
// time. Not under ThreadSanitizer: it instruments the clone resolver, which runs before its
// runtime starts.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define ZINDLE_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define ZINDLE_VECTOR_CLONES
#endif
// For the loops a cloned function calls: inlined into each clone, so they are compiled for
// its instruction set rather than called at the baseline one.
#define ZINDLE_CLONE_INLINE inline __attribute__((always_inline))

namespace dsp::simd {

using V4 = float __attribute__((vector_size(16)));
using I4 = int __attribute__((vector_size(16)));
// Eight floats: a pair of four-float operations where the machine has only those, one
// operation where it has eight-float ones; the same arithmetic either way. Kept out of
// function signatures that a vector clone could call across: passed by value, an
// eight-float vector changes the calling convention between instruction sets.
using V8 = float __attribute__((vector_size(32)));
using I8 = int __attribute__((vector_size(32)));

template <typename T = V4>
inline T load(const float* p)
{
    if constexpr (sizeof(T) == sizeof(float)) {
        return *p;
    } else {
        T v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
}

template <typename T>
inline void store(float* p, T v)
{
    if constexpr (sizeof(T) == sizeof(float))
        *p = v;
    else
        std::memcpy(p, &v, sizeof v);
}

/// Four interleaved (re, im) pairs at p into split form, and back.
inline void loadPairs(const float* p, V4& re, V4& im)
{
    const V4 lo = load(p), hi = load(p + 4);
    re = __builtin_shuffle(lo, hi, I4{0, 2, 4, 6});
    im = __builtin_shuffle(lo, hi, I4{1, 3, 5, 7});
}

inline void storePairs(float* p, V4 re, V4 im)
{
    store(p, __builtin_shuffle(re, im, I4{0, 4, 1, 5}));
    store(p + 4, __builtin_shuffle(re, im, I4{2, 6, 3, 7}));
}

inline V4 reversed(V4 v) { return __builtin_shuffle(v, I4{3, 2, 1, 0}); }

/// Rows a, b, c, d become columns.
inline void transpose(V4& a, V4& b, V4& c, V4& d)
{
    const V4 ab0 = __builtin_shuffle(a, b, I4{0, 4, 1, 5});
    const V4 ab1 = __builtin_shuffle(a, b, I4{2, 6, 3, 7});
    const V4 cd0 = __builtin_shuffle(c, d, I4{0, 4, 1, 5});
    const V4 cd1 = __builtin_shuffle(c, d, I4{2, 6, 3, 7});
    a = __builtin_shuffle(ab0, cd0, I4{0, 1, 4, 5});
    b = __builtin_shuffle(ab0, cd0, I4{2, 3, 6, 7});
    c = __builtin_shuffle(ab1, cd1, I4{0, 1, 4, 5});
    d = __builtin_shuffle(ab1, cd1, I4{2, 3, 6, 7});
}

// Eight-float forms of the helpers above. They work on the two four-float halves alike, the
// way eight-float instructions do, so a kernel widened from V4 to V8 keeps its operations.
// They are for kernels inlined into their clone, where no eight-float vector crosses a call,
// so the warning about eight-float calling conventions does not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

/// Every lane v (without arithmetic, so a negative zero stays one).
template <typename T>
inline T broadcast(float v)
{
    if constexpr (sizeof(T) == sizeof(V8))
        return T{v, v, v, v, v, v, v, v};
    else
        return T{v, v, v, v};
}

/// Eight interleaved (re, im) pairs at p into split form, and back.
inline void loadPairs(const float* p, V8& re, V8& im)
{
    V8 lo, hi;
    std::memcpy(&lo, p, sizeof lo);
    std::memcpy(&hi, p + 8, sizeof hi);
    re = __builtin_shuffle(lo, hi, I8{0, 2, 4, 6, 8, 10, 12, 14});
    im = __builtin_shuffle(lo, hi, I8{1, 3, 5, 7, 9, 11, 13, 15});
}

inline void storePairs(float* p, V8 re, V8 im)
{
    const V8 lo = __builtin_shuffle(re, im, I8{0, 8, 1, 9, 2, 10, 3, 11});
    const V8 hi = __builtin_shuffle(re, im, I8{4, 12, 5, 13, 6, 14, 7, 15});
    std::memcpy(p, &lo, sizeof lo);
    std::memcpy(p + 8, &hi, sizeof hi);
}

inline V8 reversed(V8 v) { return __builtin_shuffle(v, I8{7, 6, 5, 4, 3, 2, 1, 0}); }

/// lo takes the low halves of a and b, hi their high halves.
inline void interleaveHalves(V8 a, V8 b, V8& lo, V8& hi)
{
    lo = __builtin_shuffle(a, b, I8{0, 1, 2, 3, 8, 9, 10, 11});
    hi = __builtin_shuffle(a, b, I8{4, 5, 6, 7, 12, 13, 14, 15});
}

/// In each four-float half apart: rows a, b, c, d become columns.
inline void transposeHalves(V8& a, V8& b, V8& c, V8& d)
{
    const V8 ab0 = __builtin_shuffle(a, b, I8{0, 8, 1, 9, 4, 12, 5, 13});
    const V8 ab1 = __builtin_shuffle(a, b, I8{2, 10, 3, 11, 6, 14, 7, 15});
    const V8 cd0 = __builtin_shuffle(c, d, I8{0, 8, 1, 9, 4, 12, 5, 13});
    const V8 cd1 = __builtin_shuffle(c, d, I8{2, 10, 3, 11, 6, 14, 7, 15});
    a = __builtin_shuffle(ab0, cd0, I8{0, 1, 8, 9, 4, 5, 12, 13});
    b = __builtin_shuffle(ab0, cd0, I8{2, 3, 10, 11, 6, 7, 14, 15});
    c = __builtin_shuffle(ab1, cd1, I8{0, 1, 8, 9, 4, 5, 12, 13});
    d = __builtin_shuffle(ab1, cd1, I8{2, 3, 10, 11, 6, 7, 14, 15});
}

/// Pairs stride floats apart (p, p + stride, ...) into split form: four, or eight. A pair
/// moves as one 64-bit lane (bits only, no arithmetic).
inline double pairBits(const float* p)
{
    double d;
    std::memcpy(&d, p, sizeof d);
    return d;
}

inline void gatherPairs(const float* p, std::size_t stride, V4& re, V4& im)
{
    using D2 = double __attribute__((vector_size(16)));
    const V4 lo = (V4)D2{pairBits(p), pairBits(p + stride)};
    const V4 hi = (V4)D2{pairBits(p + 2 * stride), pairBits(p + 3 * stride)};
    re = __builtin_shuffle(lo, hi, I4{0, 2, 4, 6});
    im = __builtin_shuffle(lo, hi, I4{1, 3, 5, 7});
}

inline void gatherPairs(const float* p, std::size_t stride, V8& re, V8& im)
{
    using D4 = double __attribute__((vector_size(32)));
    const V8 lo = (V8)D4{pairBits(p), pairBits(p + stride), pairBits(p + 2 * stride), pairBits(p + 3 * stride)};
    const V8 hi = (V8)D4{pairBits(p + 4 * stride), pairBits(p + 5 * stride), pairBits(p + 6 * stride),
                         pairBits(p + 7 * stride)};
    re = __builtin_shuffle(lo, hi, I8{0, 2, 4, 6, 8, 10, 12, 14});
    im = __builtin_shuffle(lo, hi, I8{1, 3, 5, 7, 9, 11, 13, 15});
}
#pragma GCC diagnostic pop

// One-float forms, for the scalar tails of kernels written on a lane type.
inline void loadPairs(const float* p, float& re, float& im)
{
    re = p[0];
    im = p[1];
}

inline void storePairs(float* p, float re, float im)
{
    p[0] = re;
    p[1] = im;
}

inline void gatherPairs(const float* p, std::size_t, float& re, float& im) { loadPairs(p, re, im); }

inline float reversed(float v) { return v; }

/// Calls kernel.operator()<V8>(i) for blocks of eight indices i below count, then
/// operator()<V4> and operator()<float> for the rest: the same operations on every index,
/// more of them at once.
template <typename Kernel>
ZINDLE_CLONE_INLINE void forEachBlock(std::size_t count, Kernel&& kernel)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8)
        kernel.template operator()<V8>(i);
    for (; i + 4 <= count; i += 4)
        kernel.template operator()<V4>(i);
    for (; i < count; ++i)
        kernel.template operator()<float>(i);
}

} // namespace dsp::simd

#pragma once

#include <cstring>

// Four-float vectors for the transform kernels, through GCC vector extensions: the
// compiler maps them onto the target's vector unit (SSE on any x86-64) or splits them into
// scalars where there is none. Kernels written for a lane type T serve V4 for four columns
// and float for scalar tails.
namespace dsp::simd {

using V4 = float __attribute__((vector_size(16)));
using I4 = int __attribute__((vector_size(16)));

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

inline V4 reversed(V4 v) { return __builtin_shuffle(v, I4{3, 2, 1, 0}); }

} // namespace dsp::simd

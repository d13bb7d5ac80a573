#pragma once

#include "dsp/Float4.h"

#include <algorithm>

namespace dsp {

/// Linear interpolation of a spectrum at a fractional bin position: the value there is
/// lowerWeight x bin[lower] + upperWeight x bin[upper]. Bins outside 0 .. bands - 1 weigh 0,
/// and their indices are clamped so that they can still be read. Safe on the render thread.
struct BinInterpolation {
    int lower = 0;
    int upper = 0;
    float lowerWeight = 0.0f;
    float upperWeight = 0.0f;

    static BinInterpolation at(float position, int bands)
    {
        if (!(position > -1.0f && position < static_cast<float>(bands)))
            return {};
        // Truncating position + 1 (positive here) is a cheaper floor(position), except where
        // the addition rounds up to the next integer: k is then one too high, which just below
        // the top bin would read past the last one. A negative fraction (exact, k being that
        // close) says so.
        int k = static_cast<int>(position + 1.0f) - 1;
        float fraction = position - static_cast<float>(k);
        if (fraction < 0.0f) {
            --k;
            fraction = position - static_cast<float>(k);
        }
        return {std::max(k, 0), std::min(k + 1, bands - 1), k >= 0 ? 1.0f - fraction : 0.0f,
                k + 1 < bands ? fraction : 0.0f};
    }
};

/// BinInterpolation::at for four positions at once: lane by lane the same indices and weights.
struct BinInterpolation4 {
    simd::I4 lower;
    simd::I4 upper;
    simd::V4 lowerWeight;
    simd::V4 upperWeight;

    static BinInterpolation4 at(simd::V4 position, int bands)
    {
        using simd::I4;
        using simd::V4;
        const I4 inside = (position > -1.0f) & (position < static_cast<float>(bands));
        // Lanes outside read position 0, so that no conversion or sum overflows; they weigh 0.
        const V4 at = V4(inside & I4(position));
        I4 k = __builtin_convertvector(at + 1.0f, I4) - 1;
        V4 fraction = at - __builtin_convertvector(k, V4);
        k += fraction < 0.0f; // a true comparison is -1
        fraction = at - __builtin_convertvector(k, V4);
        const I4 next = k + 1;
        const I4 top = I4{} + (bands - 1);
        return {inside & (k & ~(k >> 31)), inside & (next < top ? next : top),
                V4(inside & (k >= 0) & I4(1.0f - fraction)), V4(inside & (next < bands) & I4(fraction))};
    }
};

} // namespace dsp

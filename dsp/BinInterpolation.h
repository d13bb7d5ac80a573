#pragma once

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

} // namespace dsp

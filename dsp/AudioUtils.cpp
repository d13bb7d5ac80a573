#include "dsp/AudioUtils.h"

#include "dsp/VectorOps.h"

#include <algorithm>
#include <cmath>

namespace dsp {

bool AudioUtils::isUnVoiced(const float* samples, int n, float sampleRate, float threshold)
{
    if (n < 1)
        return false;

    const float energy = dotProduct(samples, samples, n);
    if (energy < 0.01f)
        return false;

    const int lagMin = static_cast<int>(sampleRate / 5000.0f);
    const int lagMax = std::min(static_cast<int>(sampleRate / 20.0f), n - 1);
    float peak = 0.0f;
    constexpr int lagsPerPass = 4;
    for (int lag = lagMin; lag <= lagMax; lag += lagsPerPass) {
        float products[lagsPerPass];
        const int count = std::min(lagsPerPass, lagMax - lag + 1);
        lagProducts(samples, n, lag, count, products);
        for (int i = 0; i < count; ++i) {
            peak = std::max(peak, products[i]);
            // The peak only grows, so once it reaches the threshold the answer is known.
            if (peak / energy >= threshold)
                return false;
        }
    }
    return peak / energy < threshold;
}

float AudioUtils::decibelToScale(float decibels)
{
    return std::pow(10.0f, decibels / 20.0f);
}

} // namespace dsp

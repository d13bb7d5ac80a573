#include "dsp/LPCMath.h"

#include "dsp/VectorOps.h"

#include <algorithm>
#include <cmath>

namespace dsp {

void LPCMath::calculateAutocorrelation(const float* x, int n, int order, float* r)
{
    const int p = std::min(order, maxOrder);
    for (int lag = 0; lag <= p; ++lag)
        r[lag] = lag < n ? dotProduct(x, x + lag, n - lag) : 0.0f;
}

void LPCMath::solveDurbin(const float* r, int order, float* k, float& gain)
{
    const int p = std::min(order, maxOrder);
    for (int i = 0; i <= p; ++i)
        k[i] = 0.0f;
    float error = r[0];
    if (order < 1) {
        gain = std::sqrt(std::max(error, 0.0f));
        return;
    }

    float a[maxOrder + 1] = {};
    float previous[maxOrder + 1];
    for (int i = 1; i <= p; ++i) {
        float acc = -r[i];
        for (int j = 1; j < i; ++j)
            acc -= a[j] * r[i - j];
        if (std::fabs(error) < 1e-20f)
            break;
        const float ki = acc / error;
        k[i] = ki;
        std::copy(a + 1, a + i, previous + 1);
        a[i] = ki;
        for (int j = 1; j < i; ++j)
            a[j] = previous[j] + ki * previous[i - j];
        error *= 1.0f - ki * ki;
    }
    gain = std::sqrt(std::max(error, 0.0f));
}

void LPCMath::applyFilter(const float* input, int n, int order, const float* k, float gain,
                          float* state, float* output)
{
    if (n < 1)
        return;
    if (order < 1) {
        for (int t = 0; t < n; ++t)
            output[t] = gain * input[t];
        state[0] = output[n - 1];
        return;
    }

    const int p = std::min(order, maxOrder);
    // Working on a local copy keeps the state in registers/L1 without aliasing worries.
    float s[maxOrder + 1];
    std::copy(state, state + p + 1, s);
    int t = 0;
    if (p >= 3) {
        // Each sample is a chain of p dependent subtractions, but sample t + 1 at stage m only
        // needs sample t's stage m - 1. Running two samples two stages apart overlaps their
        // chains; every value is computed by the same operations as one sample at a time.
        for (; t + 1 < n; t += 2) {
            float fa = gain * input[t];
            float fb = gain * input[t + 1];
            fa -= k[p] * s[p - 1];
            s[p] = k[p] * fa + s[p - 1];
            fa -= k[p - 1] * s[p - 2];
            s[p - 1] = k[p - 1] * fa + s[p - 2];
            for (int m = p - 2; m >= 1; --m) {
                fa -= k[m] * s[m - 1];
                s[m] = k[m] * fa + s[m - 1];
                fb -= k[m + 2] * s[m + 1];
                s[m + 2] = k[m + 2] * fb + s[m + 1];
            }
            s[0] = fa;
            fb -= k[2] * s[1];
            s[2] = k[2] * fb + s[1];
            fb -= k[1] * s[0];
            s[1] = k[1] * fb + s[0];
            s[0] = fb;
            output[t] = fa;
            output[t + 1] = fb;
        }
    }
    for (; t < n; ++t) {
        float f = gain * input[t];
        for (int m = p; m >= 1; --m) {
            f -= k[m] * s[m - 1];
            s[m] = k[m] * f + s[m - 1];
        }
        s[0] = f;
        output[t] = f;
    }
    std::copy(s, s + p + 1, state);
}

} // namespace dsp

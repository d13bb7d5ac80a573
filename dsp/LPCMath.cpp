#include "dsp/LPCMath.h"

#include "dsp/Float4.h"
#include "dsp/VectorOps.h"

#include <algorithm>
#include <cmath>

namespace dsp {

void LPCMath::calculateAutocorrelation(const float* x, int n, int order, float* r)
{
    const int p = std::min(order, maxOrder);
    if (p >= 0)
        lagProducts(x, n, 0, p + 1, r);
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

namespace {

using simd::I4;
using simd::V4;

/// Below this order the pipeline has too few steps per sample to hide its latencies.
constexpr int pipelineOrder = 8;

/// The lattice for orders below pipelineOrder (and 0): each sample a chain of p dependent
/// subtractions; two samples run two stages apart so that their chains overlap, every value
/// computed by the same operations as one sample at a time.
void shortLattice(const float* input, int n, int p, const float* k, float gain, float* state, float* output)
{
    if (p < 1) {
        for (int t = 0; t < n; ++t)
            output[t] = gain * input[t];
        state[0] = output[n - 1];
        return;
    }
    float s[pipelineOrder];
    std::copy(state, state + p + 1, s);
    int t = 0;
    if (p >= 3) {
        // Sample t + 1 at stage m only needs sample t's stage m - 1.
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

/// The lattice as a pipeline of four samples in flight, for orders from pipelineOrder up.
///
/// With d = p / 4, lane L of the vector f holds the sample that entered L quarters ago, at
/// stage (4 - L) d - j in step j of a quarter (j = 0 .. d - 1): each sample passes 4d stages in
/// four quarters, and a quarter takes in one sample and puts out one. Stage m of a sample
/// reads state m - 1 as the sample before it left it, so the older sample in the next lane
/// wrote it d - 1 steps earlier, and the chain that bounds the speed is one vector
/// subtraction per step instead of one per stage. The r = p - 4d stages on top run for each
/// sample as it enters, before its chain needs them. The operations on every value are those
/// of the one-sample recursion, so the output is the same bit for bit.
///
/// q[j] holds states (4 - L) d - j of the lanes L for j below d; q[d] holds the states
/// (3 - L) d that the lanes read in their last step: those the next lane wrote in step 0, and
/// state 0, the last output. The samples in flight and the last output stay in registers.
struct Pipeline {
    static constexpr int maxSteps = LPCMath::maxOrder / 4;
    V4 q[maxSteps + 1];
    V4 k[maxSteps];
    float top[4];  // top[i] = state 4d + i for i = 1 .. r; top[0] is unused
    float topK[4]; // topK[i] = k[4d + i]
    float gain;
    const float* input;
    float* output;

    void load(const LPCMath::LatticeRun& run, int d, int r)
    {
        const float* s = run.state;
        for (int j = 0; j < d; ++j) {
            k[j] = V4{run.k[4 * d - j], run.k[3 * d - j], run.k[2 * d - j], run.k[d - j]};
            q[j] = V4{s[4 * d - j], s[3 * d - j], s[2 * d - j], s[d - j]};
        }
        q[d] = V4{s[3 * d], s[2 * d], s[d], s[0]};
        for (int i = 1; i <= r; ++i) {
            top[i] = s[4 * d + i];
            topK[i] = run.k[4 * d + i];
        }
        gain = run.gain;
        input = run.input;
        output = run.output;
    }

    void store(float* s, int d, int r, float last) const
    {
        for (int j = 0; j < d; ++j) {
            s[4 * d - j] = q[j][0];
            s[3 * d - j] = q[j][1];
            s[2 * d - j] = q[j][2];
            s[d - j] = q[j][3];
        }
        s[0] = last;
        for (int i = 1; i <= r; ++i)
            s[4 * d + i] = top[i];
    }

    /// Between quarters: the oldest lane's sample is done (when real), the next sample enters.
    inline V4 advance(V4 f, float& last, int i, int n, int r)
    {
        if (i >= 4) {
            last = f[3];
            output[i - 4] = last;
        }
        float fresh = 0.0f;
        if (i < n) {
            fresh = gain * input[i];
            for (int m = r; m >= 1; --m) {
                const float below = m > 1 ? top[m - 1] : q[0][0];
                fresh -= topK[m] * below;
                top[m] = topK[m] * fresh + below;
            }
        }
        return V4{fresh, f[0], f[1], f[2]};
    }
};

inline V4 select(I4 mask, V4 a, V4 b) { return V4(((I4)a & mask) | ((I4)b & ~mask)); }

/// One quarter of every pipeline; with Masked, only lanes whose sample lies in 0 .. n - 1 store.
template <int Streams, bool Masked>
inline void quarter(Pipeline (&lanes)[Streams], V4 (&f)[Streams], const float (&last)[Streams], int d, I4 mask)
{
    for (int c = 0; c < Streams; ++c) {
        Pipeline& l = lanes[c];
        const V4 s = l.q[1];
        f[c] = f[c] - l.k[0] * s;
        const V4 written = l.k[0] * f[c] + s;
        const V4 q0 = Masked ? select(mask, written, l.q[0]) : written;
        l.q[0] = q0;
        l.q[d] = V4{q0[1], q0[2], q0[3], last[c]};
    }
    for (int j = 1; j < d; ++j) {
        for (int c = 0; c < Streams; ++c) {
            Pipeline& l = lanes[c];
            const V4 s = l.q[j + 1];
            f[c] = f[c] - l.k[j] * s;
            const V4 written = l.k[j] * f[c] + s;
            l.q[j] = Masked ? select(mask, written, l.q[j]) : written;
        }
    }
}

template <int Streams>
ZINDLE_VECTOR_CLONES void pipelinedLattice(const LPCMath::LatticeRun* const (&runs)[Streams], int n, int p)
{
    const int d = p / 4;
    const int r = p - 4 * d;
    Pipeline lanes[Streams];
    V4 f[Streams];
    float last[Streams];
    for (int c = 0; c < Streams; ++c) {
        lanes[c].load(*runs[c], d, r);
        f[c] = V4{};
        last[c] = runs[c]->state[0];
    }

    // Quarter i holds samples i - L in lanes L; those outside 0 .. n - 1 are only placeholders,
    // whose work is not stored, at the start and the end.
    const auto laneMask = [n](int i) {
        const auto real = [n](int sample) { return sample >= 0 && sample < n ? -1 : 0; };
        return I4{real(i), real(i - 1), real(i - 2), real(i - 3)};
    };
    const auto advance = [&](int i) {
        for (int c = 0; c < Streams; ++c)
            f[c] = lanes[c].advance(f[c], last[c], i, n, r);
    };
    int i = 0;
    for (; i < std::min(3, n); ++i) {
        advance(i);
        quarter<Streams, true>(lanes, f, last, d, laneMask(i));
    }
    for (; i < n; ++i) {
        advance(i);
        quarter<Streams, false>(lanes, f, last, d, I4{});
    }
    for (; i < n + 3; ++i) {
        advance(i);
        quarter<Streams, true>(lanes, f, last, d, laneMask(i));
    }
    advance(n + 3);
    for (int c = 0; c < Streams; ++c)
        lanes[c].store(runs[c]->state, d, r, last[c]);
}

} // namespace

void LPCMath::applyFilter(const float* input, int n, int order, const float* k, float gain,
                          float* state, float* output)
{
    if (n < 1)
        return;
    const int p = std::clamp(order, 0, maxOrder);
    if (p < pipelineOrder) {
        shortLattice(input, n, p, k, gain, state, output);
        return;
    }
    const LatticeRun run{input, output, k, gain, state};
    const LatticeRun* const runs[1] = {&run};
    pipelinedLattice<1>(runs, n, p);
}

void LPCMath::applyFilters(const LatticeRun& first, const LatticeRun& second, int n, int order)
{
    if (n < 1)
        return;
    const int p = std::clamp(order, 0, maxOrder);
    if (p < pipelineOrder) {
        shortLattice(first.input, n, p, first.k, first.gain, first.state, first.output);
        shortLattice(second.input, n, p, second.k, second.gain, second.state, second.output);
        return;
    }
    const LatticeRun* const runs[2] = {&first, &second};
    pipelinedLattice<2>(runs, n, p);
}

} // namespace dsp

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

// The eight-lane kernels are always inlined into the clone that runs them: no eight-float
// vector crosses a call, so the warning about their calling convention does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

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

/// The lattice as a pipeline of Lanes samples in flight (4 or 8), for orders from
/// pipelineOrder up.
///
/// With d = p / Lanes, lane L of the vector f holds the sample that entered L turns ago, at
/// stage (Lanes - L) d - j in step j of a turn (j = 0 .. d - 1): each sample passes Lanes x d
/// stages in Lanes turns, and a turn takes in one sample and puts out one. Stage m of a sample
/// reads state m - 1 as the sample before it left it, so the older sample in the next lane
/// wrote it d - 1 steps earlier, and the chain that bounds the speed is one vector
/// subtraction per step instead of one per stage. The r = p - Lanes x d stages on top run for
/// each sample as it enters, before its chain needs them. The operations on every value are
/// those of the one-sample recursion, so the output is the same bit for bit.
///
/// q[j] holds states (Lanes - L) d - j of the lanes L for j below d. In their last step the
/// lanes read states (Lanes - 1 - L) d, which the next lane wrote in step 0, and the top lane
/// state 0, the last output: those, the samples in flight and the last output stay in
/// registers.
template <int Lanes>
struct LaneVectors;
template <>
struct LaneVectors<4> {
    using W = simd::V4;
    using M = simd::I4;
};
template <>
struct LaneVectors<8> {
    using W = simd::V8;
    using M = simd::I8;
};

template <int Lanes>
struct Pipeline {
    using W = typename LaneVectors<Lanes>::W;
    using M = typename LaneVectors<Lanes>::M;
    static constexpr int maxSteps = LPCMath::maxOrder / Lanes;
    W q[maxSteps];
    W k[maxSteps];
    float top[Lanes];  // top[i] = state Lanes d + i for i = 1 .. r; top[0] is unused
    float topK[Lanes]; // topK[i] = k[Lanes d + i]
    float gain;
    const float* input;
    float* output;

    void load(const LPCMath::LatticeRun& run, int d, int r)
    {
        const float* s = run.state;
        for (int j = 0; j < d; ++j) {
            for (int l = 0; l < Lanes; ++l) {
                k[j][l] = run.k[(Lanes - l) * d - j];
                q[j][l] = s[(Lanes - l) * d - j];
            }
        }
        for (int i = 1; i <= r; ++i) {
            top[i] = s[Lanes * d + i];
            topK[i] = run.k[Lanes * d + i];
        }
        gain = run.gain;
        input = run.input;
        output = run.output;
    }

    void store(float* s, int d, int r, float last) const
    {
        for (int j = 0; j < d; ++j) {
            for (int l = 0; l < Lanes; ++l)
                s[(Lanes - l) * d - j] = q[j][l];
        }
        s[0] = last;
        for (int i = 1; i <= r; ++i)
            s[Lanes * d + i] = top[i];
    }

    /// Lanes shifted up by one, `first` entering lane 0.
    [[gnu::always_inline]] static W shiftedIn(W v, float first)
    {
        if constexpr (Lanes == 4)
            return __builtin_shuffle(v, W{first, first, first, first}, M{4, 0, 1, 2});
        else
            return __builtin_shuffle(v, W{first, first, first, first, first, first, first, first},
                                     M{8, 0, 1, 2, 3, 4, 5, 6});
    }

    /// What the lanes read in their last step: the next lane's state from step 0, and for the
    /// top lane the output that `previous` holds in its top lane.
    [[gnu::always_inline]] static W lastStepStates(W q0, W previous)
    {
        if constexpr (Lanes == 4)
            return __builtin_shuffle(q0, previous, M{1, 2, 3, 7});
        else
            return __builtin_shuffle(q0, previous, M{1, 2, 3, 4, 5, 6, 7, 15});
    }

    /// Between turns: the oldest lane's sample is done (when real) and its output becomes the
    /// previous one; the next sample enters.
    [[gnu::always_inline]] W advance(W f, W& previous, int i, int n, int r)
    {
        if (i >= Lanes) {
            previous = f;
            output[i - Lanes] = f[Lanes - 1];
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
        return shiftedIn(f, fresh);
    }
};

template <typename W, typename M>
[[gnu::always_inline]] inline W select(M mask, W a, W b)
{
    return W(((M)a & mask) | ((M)b & ~mask));
}

/// One turn of every pipeline; with Masked, only lanes whose sample lies in 0 .. n - 1 store.
/// The states of the last step come from registers: the top lane's is the last output, which
/// the next turn's chain waits for.
template <int Lanes, int Streams, bool Masked>
[[gnu::always_inline]] inline void turn(Pipeline<Lanes> (&lanes)[Streams], typename Pipeline<Lanes>::W (&f)[Streams],
                 const typename Pipeline<Lanes>::W (&previous)[Streams], int d, typename Pipeline<Lanes>::M mask)
{
    using W = typename Pipeline<Lanes>::W;
    W lastStep[Streams];
    const auto step = [&](int c, int j, W s) {
        Pipeline<Lanes>& l = lanes[c];
        f[c] = f[c] - l.k[j] * s;
        const W written = l.k[j] * f[c] + s;
        l.q[j] = Masked ? select(mask, written, l.q[j]) : written;
    };
    for (int c = 0; c < Streams; ++c) {
        step(c, 0, lanes[c].q[1]);
        lastStep[c] = Pipeline<Lanes>::lastStepStates(lanes[c].q[0], previous[c]);
    }
    for (int j = 1; j + 1 < d; ++j) {
        for (int c = 0; c < Streams; ++c)
            step(c, j, lanes[c].q[j + 1]);
    }
    for (int c = 0; c < Streams; ++c)
        step(c, d - 1, lastStep[c]);
}

template <int Lanes, int Streams>
[[gnu::always_inline]] inline void pipelinedLattice(const LPCMath::LatticeRun* const (&runs)[Streams], int n, int p)
{
    using W = typename Pipeline<Lanes>::W;
    using M = typename Pipeline<Lanes>::M;
    const int d = p / Lanes;
    const int r = p - Lanes * d;
    Pipeline<Lanes> lanes[Streams];
    W f[Streams];
    W previous[Streams]; // the last output in the top lane
    for (int c = 0; c < Streams; ++c) {
        lanes[c].load(*runs[c], d, r);
        f[c] = W{};
        previous[c] = W{};
        previous[c][Lanes - 1] = runs[c]->state[0];
    }

    // Turn i holds samples i - L in lanes L; those outside 0 .. n - 1 are only placeholders,
    // whose work is not stored, at the start and the end.
    const auto laneMask = [n](int i, M& mask) -> M& {
        for (int l = 0; l < Lanes; ++l)
            mask[l] = i - l >= 0 && i - l < n ? -1 : 0;
        return mask;
    };
    M mask{};
    const auto advance = [&](int i) {
        for (int c = 0; c < Streams; ++c)
            f[c] = lanes[c].advance(f[c], previous[c], i, n, r);
    };
    int i = 0;
    for (; i < std::min(Lanes - 1, n); ++i) {
        advance(i);
        turn<Lanes, Streams, true>(lanes, f, previous, d, laneMask(i, mask));
    }
    for (; i < n; ++i) {
        advance(i);
        turn<Lanes, Streams, false>(lanes, f, previous, d, M{});
    }
    for (; i < n + Lanes - 1; ++i) {
        advance(i);
        turn<Lanes, Streams, true>(lanes, f, previous, d, laneMask(i, mask));
    }
    advance(n + Lanes - 1);
    for (int c = 0; c < Streams; ++c)
        lanes[c].store(runs[c]->state, d, r, previous[c][Lanes - 1]);
}

/// Eight lanes once each has two steps or more per turn, where the machine has eight-float
/// vectors; four otherwise. The bits are the same either way.
template <int Streams>
ZINDLE_VECTOR_CLONES void lattice(const LPCMath::LatticeRun* const (&runs)[Streams], int n, int p)
{
#if defined(__x86_64__)
    static const bool wide = __builtin_cpu_supports("avx");
#else
    constexpr bool wide = false;
#endif
    if (p >= 16 && wide)
        pipelinedLattice<8, Streams>(runs, n, p);
    else
        pipelinedLattice<4, Streams>(runs, n, p);
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
    lattice<1>(runs, n, p);
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
    lattice<2>(runs, n, p);
}

} // namespace dsp

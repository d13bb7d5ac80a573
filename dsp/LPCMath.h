#pragma once

namespace dsp {

/// Linear-prediction mathematics of the vocoder: autocorrelation, the Levinson-Durbin
/// recursion (reflection coefficients and gain) and the all-pole lattice synthesis filter.
///
/// Coefficient arrays hold reflection coefficients k[1..p] of A(z) = 1 + a1 z^-1 + ... +
/// ap z^-p, with k[0] always 0. Orders are clamped to maxOrder, so callers size their
/// arrays to maxOrder + 1. Stateless; safe on the render thread.
class LPCMath {
public:
    static constexpr int maxOrder = 49;

    LPCMath() = delete;

    /// r[0..p] = unwindowed, unnormalised autocorrelation of x for p = min(order, maxOrder).
    static void calculateAutocorrelation(const float* x, int n, int order, float* r);

    /// From r[0..p], writes the reflection coefficients k[0..p] and the square root of the
    /// final prediction error as gain.
    static void solveDurbin(const float* r, int order, float* k, float& gain);

    /// Filters n samples through gain / A(z) in lattice form; state holds p + 1 values and
    /// carries over between calls. input and output must be different arrays.
    static void applyFilter(const float* input, int n, int order, const float* k, float gain,
                            float* state, float* output);

    /// The arguments of one applyFilter call.
    struct LatticeRun {
        const float* input;
        float* output;
        const float* k;
        float gain;
        float* state;
    };
    /// Two independent filterings of the same length and order at once, each bit for bit what
    /// applyFilter gives it; no array may be shared between them.
    static void applyFilters(const LatticeRun& first, const LatticeRun& second, int n, int order);
};

} // namespace dsp

#include "dsp/VectorOps.h"

#include "dsp/Float4.h"

#include <cstring>

namespace dsp {

namespace {

using simd::V8;

// The eight running sums are one V8, passed by reference.
inline void load8(V8& v, const float* p) { std::memcpy(&v, p, sizeof v); }

/// The whole blocks of eight in a length.
inline int wholeBlocks(int n) { return n > 0 ? n / 8 * 8 : 0; }

/// Adds the products from..to - 1 (a whole number of blocks) to the running sums.
inline void accumulate(V8& sums, const float* a, const float* b, int from, int to)
{
    for (int i = from; i < to; i += 8) {
        V8 x, y;
        load8(x, a + i);
        load8(y, b + i);
        sums += x * y;
    }
}

/// Adds the products from..n - 1 to sum 0, then the eight sums in order.
inline float finish(const V8& sums, const float* a, const float* b, int from, int n)
{
    float first = sums[0];
    for (int i = from; i < n; ++i)
        first += a[i] * b[i];
    float sum = 0.0f;
    sum += first;
    for (int l = 1; l < 8; ++l)
        sum += sums[l];
    return sum;
}

} // namespace

float dotProduct(const float* a, const float* b, int n)
{
    V8 sums{};
    const int blocks = wholeBlocks(n);
    accumulate(sums, a, b, 0, blocks);
    return finish(sums, a, b, blocks, n);
}

namespace {

/// r[j] for Lags successive lags from lag: they share the loads of x, and the blocks that all
/// of them have run together.
template <int Lags>
[[gnu::always_inline]] inline void lagGroup(const float* x, int n, int lag, float* r)
{
    const int common = wholeBlocks(n - lag - (Lags - 1));
    V8 sums[Lags] = {};
    for (int t = 0; t < common; t += 8) {
        V8 a;
        load8(a, x + t);
        for (int j = 0; j < Lags; ++j) {
            V8 b;
            load8(b, x + lag + j + t);
            sums[j] += a * b;
        }
    }
    for (int j = 0; j < Lags; ++j) {
        const int length = n - lag - j;
        const int blocks = wholeBlocks(length);
        accumulate(sums[j], x, x + lag + j, common, blocks);
        r[j] = finish(sums[j], x, x + lag + j, blocks, length);
    }
}

/// The last count (below Lags) lags from lag as one group.
template <int Lags>
[[gnu::always_inline]] inline void lagRest(const float* x, int n, int lag, int count, float* r)
{
    if constexpr (Lags > 0) {
        if (count == Lags)
            lagGroup<Lags>(x, n, lag, r);
        else
            lagRest<Lags - 1>(x, n, lag, count, r);
    }
}

} // namespace

bool allFinite(const float* x, int n)
{
    // x - x is 0 for a finite x and not a number otherwise, so the sum stays 0 exactly while
    // every value is finite, in any order of summation.
    float probe = 0.0f;
#pragma omp simd reduction(+ : probe)
    for (int i = 0; i < n; ++i)
        probe += x[i] - x[i];
    return probe == 0.0f;
}

ZINDLE_VECTOR_CLONES void lagProducts(const float* x, int n, int firstLag, int count, float* r)
{
    // Eight lags a group: each running sum waits for its own previous addition, so the adders
    // stay busy only with that many sums in flight.
    constexpr int group = 8;
    int i = 0;
    for (; i + group <= count; i += group)
        lagGroup<group>(x, n, firstLag + i, r + i);
    lagRest<group - 1>(x, n, firstLag + i, count - i, r + i);
}

} // namespace dsp

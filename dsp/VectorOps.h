#pragma once

namespace dsp {

/// Sum of a[i] * b[i] for i below n, in single precision, in one fixed order on every machine:
/// eight running sums, sum l taking the products i = l (mod 8) of the whole blocks of eight,
/// sum 0 then the remaining products in turn, and the eight sums added in order. Safe on the
/// render thread.
float dotProduct(const float* a, const float* b, int n);

/// r[i] = dotProduct(x, x + firstLag + i, n - firstLag - i) for i below count (0 where that
/// length is not positive): the correlations of x with itself at count successive lags, four
/// per pass over x. Safe on the render thread.
void lagProducts(const float* x, int n, int firstLag, int count, float* r);

/// True when none of x[0 .. n - 1] is infinite or not a number. Safe on the render thread.
bool allFinite(const float* x, int n);

} // namespace dsp

#pragma once

namespace dsp {

/// Sum of a[i] * b[i] for i below n, in single precision. The summation order is free
/// (the callers' results are inner products, not bit-fixed sequences), which lets the
/// compiler vectorise it. Safe on the render thread.
float dotProduct(const float* a, const float* b, int n);

} // namespace dsp

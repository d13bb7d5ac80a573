#include "dsp/VectorOps.h"

namespace dsp {

// The correlations of the voicing detector and the LPC analysis spend much of the
// vocoder's time here, so it gets a wide-vector clone chosen at load time. Not under
// ThreadSanitizer: it instruments the clone resolver, which runs before its runtime starts.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define ZINDLE_WIDE_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ZINDLE_WIDE_VECTOR_CLONES
#endif

ZINDLE_WIDE_VECTOR_CLONES
float dotProduct(const float* a, const float* b, int n)
{
    float sum = 0.0f;
#pragma omp simd reduction(+ : sum)
    for (int i = 0; i < n; ++i)
        sum += a[i] * b[i];
    return sum;
}

} // namespace dsp

#pragma once

#include "dsp/FactorFFT.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dsp {

/// Real transform of even length N whose C = N/2 bins sit half a bin above the
/// usual grid: X[b] = sum over n of x[n] * exp(-2 pi i (b + 0.5) n / N). There is no
/// DC or Nyquist bin, so the C bins carry the whole real spectrum.
///
/// inverse(forward(x)) == N * x. Sizing allocates; transforms allocate nothing.
class HalfBinRealFFT {
public:
    explicit HalfBinRealFFT(std::size_t length = 0);

    void setSize(std::size_t length);
    std::size_t size() const { return size_; }

    /// time: N floats; spectrum: N/2 bins.
    void forward(const float* time, std::complex<float>* spectrum);
    /// spectrum: N/2 bins; time: N floats. y[n] = sum over b of 2 Re(X[b] exp(+2 pi i (b + 0.5) n / N)).
    void inverse(const std::complex<float>* spectrum, float* time);

    /// The inverse spread over calls: step 0 pre-combines the bins, steps 1 .. steps() - 2 are
    /// the complex inverse's steps, the last step rotates into the time buffer. Running every
    /// step in order with the same arrays equals inverse(spectrum, time). forward shares the
    /// work arrays, so it must not run between the steps of one inverse.
    std::size_t steps() const { return complexFFT_.blockedSteps() + 2; }
    void inverse(std::size_t step, const std::complex<float>* spectrum, float* time);

private:
    void combineStep(const std::complex<float>* spectrum);
    void unrotateStep(float* time);

    std::size_t size_ = 0;
    FactorFFT complexFFT_;
    std::vector<float> work1Re_, work1Im_; // C values each
    std::vector<float> work2Re_, work2Im_;
    std::vector<float> tableARe_, tableAIm_; // N/4 + 1 values of exp(i((k + 0.5)(-2 pi / N) - pi / 2))
    std::vector<float> tableBRe_, tableBIm_; // C values of exp(-2 pi i k / N)
    // With an odd factor in C, the complex transform's input goes straight into its blocks:
    // where value k goes, and tables A (for k up to C/2) and B in that order.
    bool blocked_ = false;
    std::vector<std::uint32_t> blockedIndex_;
    std::vector<float> blockedARe_, blockedAIm_;
    std::vector<float> blockedBRe_, blockedBIm_;
};

} // namespace dsp

#include "dsp/FactorFFT.h"
#include "dsp/HalfBinRealFFT.h"
#include "dsp/InnerFFT.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

namespace dsp {
namespace {

using Spectrum = std::vector<std::complex<float>>;
using Reference = std::vector<std::complex<double>>;

constexpr double twoPi = 2.0 * std::numbers::pi;

Spectrum randomComplex(std::size_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    Spectrum x(n);
    for (auto& v : x)
        v = {uniform(generator), uniform(generator)};
    return x;
}

std::vector<float> randomReal(std::size_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> x(n);
    for (auto& v : x)
        v = uniform(generator);
    return x;
}

// Y[k] = sum over m of x[m] exp(sign 2 pi i k m / n), in double precision.
Reference plainDFT(const Spectrum& x, double sign)
{
    const std::size_t n = x.size();
    Reference y(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum;
        for (std::size_t m = 0; m < n; ++m)
            sum += std::complex<double>(x[m]) * std::polar(1.0, sign * twoPi * double(k * m % n) / double(n));
        y[k] = sum;
    }
    return y;
}

// X[b] = sum over n of x[n] exp(-2 pi i (b + 0.5) n / N).
Reference halfBinDFT(const std::vector<float>& x)
{
    const std::size_t n = x.size();
    Reference y(n / 2);
    for (std::size_t b = 0; b < n / 2; ++b)
        for (std::size_t m = 0; m < n; ++m)
            y[b] += double(x[m]) * std::polar(1.0, -twoPi * (double((2 * b + 1) * m % (2 * n)) / 2.0) / double(n));
    return y;
}

// y[n] = sum over b of 2 Re(X[b] exp(+2 pi i (b + 0.5) n / N)).
std::vector<double> halfBinInverseDFT(const Spectrum& x)
{
    const std::size_t n = 2 * x.size();
    std::vector<double> y(n);
    for (std::size_t m = 0; m < n; ++m)
        for (std::size_t b = 0; b < x.size(); ++b)
            y[m] += 2.0 * std::real(std::complex<double>(x[b]) *
                                    std::polar(1.0, twoPi * (double((2 * b + 1) * m % (2 * n)) / 2.0) / double(n)));
    return y;
}

// Largest deviation from the reference, relative to the reference's rms value.
template <typename Got, typename Want>
double relativeError(const Got& got, const Want& want)
{
    double power = 0.0, worst = 0.0;
    for (std::size_t i = 0; i < want.size(); ++i) {
        const auto w = want[i]; // double or std::complex<double>
        power += std::norm(w);
        worst = std::max(worst, std::abs(w - static_cast<decltype(w)>(got[i])));
    }
    return worst / std::sqrt(power / double(want.size()));
}

// Rounding grows with the number of passes; a wrong twiddle or index gives errors of order 1.
double tolerance(std::size_t n) { return 1e-6 * (4.0 + std::log2(double(n))); }

struct Split {
    explicit Split(std::size_t n) : re(n), im(n) {}
    explicit Split(const Spectrum& x) : re(x.size()), im(x.size())
    {
        for (std::size_t i = 0; i < x.size(); ++i) {
            re[i] = x[i].real();
            im[i] = x[i].imag();
        }
    }
    Spectrum joined() const
    {
        Spectrum x(re.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = {re[i], im[i]};
        return x;
    }
    std::vector<float> re, im;
};

Spectrum runComplex(FactorFFT& fft, const Spectrum& x, bool inverse)
{
    const Split in(x);
    Split out(x.size());
    for (std::size_t step = 0; step < fft.steps(); ++step) {
        if (inverse)
            fft.inverse(step, in.re.data(), in.im.data(), out.re.data(), out.im.data());
        else
            fft.forward(step, in.re.data(), in.im.data(), out.re.data(), out.im.data());
    }
    return out.joined();
}

class ComplexTransform : public testing::TestWithParam<std::size_t> {};

TEST_P(ComplexTransform, MatchesThePlainDFTBothWays)
{
    const std::size_t n = GetParam();
    FactorFFT fft(n);
    const Spectrum x = randomComplex(n, unsigned(n));
    EXPECT_LT(relativeError(runComplex(fft, x, false), plainDFT(x, -1.0)), tolerance(n));
    EXPECT_LT(relativeError(runComplex(fft, x, true), plainDFT(x, 1.0)), tolerance(n));
}

// Powers of two (even and odd powers of four, below and above the vector path), odd
// factors 3 and 5, and generic odd factors, with and without a power of two beside them.
INSTANTIATE_TEST_SUITE_P(Lengths, ComplexTransform,
                         testing::Values(1, 2, 4, 8, 15, 16, 32, 64, 512, 1024, 3, 5, 6, 10, 12, 3 * 64, 5 * 64,
                                         5 * 128, 7 * 64, 9 * 32, 21, 7 * 2));

TEST(InnerFFT, TransformsAStridedSequenceShorterThanItsTables)
{
    InnerFFT fft;
    fft.resize(256);
    constexpr std::size_t stride = 3;
    for (const std::size_t length : {4u, 32u, 64u}) {
        const Split in(randomComplex(length * stride, unsigned(length)));
        Spectrum picked(length);
        for (std::size_t m = 0; m < length; ++m)
            picked[m] = {in.re[m * stride], in.im[m * stride]};
        Split out(length);
        fft.forward(length, stride, in.re.data(), in.im.data(), out.re.data(), out.im.data());
        EXPECT_LT(relativeError(out.joined(), plainDFT(picked, -1.0)), tolerance(length)) << length;

        // The vector path takes a sub-length too when the input is contiguous.
        const Split dense(picked);
        fft.inverse(length, 1, dense.re.data(), dense.im.data(), out.re.data(), out.im.data());
        EXPECT_LT(relativeError(out.joined(), plainDFT(picked, 1.0)), tolerance(length)) << length;
    }
}

TEST(FactorFFT, StepCountIsOneForAPowerOfTwoElseTheOddFactorPlusTwo)
{
    EXPECT_EQ(FactorFFT(512).steps(), 1u);
    EXPECT_EQ(FactorFFT(3 * 128).steps(), 5u);
    EXPECT_EQ(FactorFFT(5 * 64).steps(), 7u);
    EXPECT_EQ(FactorFFT(7 * 64).steps(), 9u);
    EXPECT_EQ(FactorFFT(0).steps(), 0u);
    // Blocked input leaves the permutation out.
    EXPECT_EQ(FactorFFT(512).blockedSteps(), 1u);
    EXPECT_EQ(FactorFFT(5 * 64).blockedSteps(), 6u);
}

// Input written straight into the blocks gives the same bits as the permutation step.
TEST(FactorFFT, BlockedInputGivesTheSameBitsAsNaturalOrder)
{
    for (const std::size_t n : {std::size_t{512}, std::size_t{3 * 64}, std::size_t{5 * 64}, std::size_t{7 * 32}}) {
        FactorFFT fft(n);
        const Split in(randomComplex(n, unsigned(n) + 7));
        Split blocked(n);
        for (std::size_t k = 0; k < n; ++k) {
            blocked.re[fft.blockedIndex(k)] = in.re[k];
            blocked.im[fft.blockedIndex(k)] = in.im[k];
        }
        std::vector<std::size_t> seen(n, 0);
        for (std::size_t k = 0; k < n; ++k)
            ++seen[fft.blockedIndex(k)];
        EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](std::size_t c) { return c == 1; })) << n;
        for (const bool inverse : {false, true}) {
            const Spectrum expected = runComplex(fft, in.joined(), inverse);
            Split out(n);
            for (std::size_t step = 0; step < fft.blockedSteps(); ++step) {
                if (inverse)
                    fft.inverseBlocked(step, blocked.re.data(), blocked.im.data(), out.re.data(), out.im.data());
                else
                    fft.forwardBlocked(step, blocked.re.data(), blocked.im.data(), out.re.data(), out.im.data());
            }
            const Spectrum got = out.joined();
            EXPECT_EQ(std::memcmp(got.data(), expected.data(), n * sizeof(got[0])), 0) << n << " inverse " << inverse;
        }
    }
}

class RealTransform : public testing::TestWithParam<std::size_t> {};

TEST_P(RealTransform, ForwardMatchesTheHalfBinDefinition)
{
    const std::size_t n = GetParam();
    HalfBinRealFFT fft(n);
    const std::vector<float> x = randomReal(n, unsigned(n));
    Spectrum spectrum(n / 2);
    fft.forward(x.data(), spectrum.data());
    EXPECT_LT(relativeError(spectrum, halfBinDFT(x)), tolerance(n));
}

TEST_P(RealTransform, InverseMatchesTheHalfBinDefinition)
{
    const std::size_t n = GetParam();
    HalfBinRealFFT fft(n);
    const Spectrum spectrum = randomComplex(n / 2, unsigned(n) + 1);
    std::vector<float> y(n);
    fft.inverse(spectrum.data(), y.data());
    EXPECT_LT(relativeError(y, halfBinInverseDFT(spectrum)), tolerance(n));
}

TEST_P(RealTransform, RoundTripGivesNTimesTheInput)
{
    const std::size_t n = GetParam();
    HalfBinRealFFT fft(n);
    const std::vector<float> x = randomReal(n, unsigned(n) + 2);
    Spectrum spectrum(n / 2);
    std::vector<float> y(n);
    fft.forward(x.data(), spectrum.data());
    fft.inverse(spectrum.data(), y.data());
    std::vector<double> scaled(n);
    for (std::size_t i = 0; i < n; ++i)
        scaled[i] = double(n) * x[i];
    EXPECT_LT(relativeError(y, scaled), 2.0 * tolerance(n));
}

TEST_P(RealTransform, SteppedInverseEqualsTheOneCallInverseExactly)
{
    const std::size_t n = GetParam();
    HalfBinRealFFT fft(n);
    const Spectrum spectrum = randomComplex(n / 2, unsigned(n) + 3);
    std::vector<float> whole(n), stepped(n, -1.0f);
    fft.inverse(spectrum.data(), whole.data());
    for (std::size_t step = 0; step < fft.steps(); ++step)
        fft.inverse(step, spectrum.data(), stepped.data());
    EXPECT_EQ(std::memcmp(whole.data(), stepped.data(), n * sizeof(float)), 0);
}

// The common frame lengths, the 3 and generic factor paths, and odd bin counts.
INSTANTIATE_TEST_SUITE_P(Lengths, RealTransform, testing::Values(640, 1024, 2048, 768, 896, 1000, 30, 6, 2));

// The pre-processing writes straight into the complex transform's blocks, so its
// permutation is not a step of its own.
TEST(HalfBinRealFFT, StepsAreTheBlockedComplexStepsPlusPreAndPostProcessing)
{
    EXPECT_EQ(HalfBinRealFFT(1024).steps(), 3u);
    EXPECT_EQ(HalfBinRealFFT(640).steps(), 8u);
    EXPECT_EQ(HalfBinRealFFT(2048).steps(), 3u);
}

TEST(HalfBinRealFFT, ResizingBackRebuildsTheSameTransform)
{
    const std::vector<float> x = randomReal(640, 9);
    HalfBinRealFFT fresh(640), reused(640);
    reused.setSize(1024);
    reused.setSize(640);
    Spectrum a(320), b(320);
    fresh.forward(x.data(), a.data());
    reused.forward(x.data(), b.data());
    EXPECT_EQ(a, b);
}

TEST(HalfBinRealFFT, ImpulseGivesOneInEveryBin)
{
    for (const std::size_t n : {640u, 1024u}) {
        HalfBinRealFFT fft(n);
        std::vector<float> x(n, 0.0f);
        x[0] = 1.0f;
        Spectrum spectrum(n / 2);
        fft.forward(x.data(), spectrum.data());
        for (std::size_t b = 0; b < n / 2; ++b) {
            EXPECT_NEAR(spectrum[b].real(), 1.0f, 1e-6f) << n << " bin " << b;
            EXPECT_NEAR(spectrum[b].imag(), 0.0f, 1e-6f) << n << " bin " << b;
        }
    }
}

TEST(HalfBinRealFFT, CosineAtABinCentreFillsOnlyThatBin)
{
    for (const std::size_t n : {640u, 1024u}) {
        for (const std::size_t bin : {std::size_t{0}, std::size_t{37}, n / 2 - 1}) {
            HalfBinRealFFT fft(n);
            std::vector<float> x(n);
            for (std::size_t i = 0; i < n; ++i)
                x[i] = float(std::cos(twoPi * (double(bin) + 0.5) * double(i) / double(n)));
            Spectrum spectrum(n / 2);
            fft.forward(x.data(), spectrum.data());
            const float half = float(n) / 2.0f;
            for (std::size_t b = 0; b < n / 2; ++b) {
                const std::complex<float> want = b == bin ? half : 0.0f;
                EXPECT_LT(std::abs(spectrum[b] - want), 1e-5f * half) << n << " cosine " << bin << " bin " << b;
            }
        }
    }
}

} // namespace
} // namespace dsp

#include "dsp/FactorFFT.h"
#include "dsp/HalfBinRealFFT.h"
#include "dsp/InnerFFT.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
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


// Values in [-1, 1) from a 32-bit linear congruential generator, each a 24-bit integer scaled
// by a power of two: integer steps and exact conversions, so the same floats on every machine.
std::vector<float> fixedNoise(std::size_t n, std::uint32_t seed)
{
    std::vector<float> x(n);
    std::uint32_t state = seed;
    for (auto& v : x) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<float>(static_cast<std::int32_t>(state >> 8) - (1 << 23)) * 0x1p-23f;
    }
    return x;
}

// 64-bit FNV-1a over the bytes of the values.
template <typename T>
std::uint64_t bitHash(const std::vector<T>& values)
{
    std::uint64_t hash = 14695981039346656037u;
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    for (std::size_t i = 0; i < values.size() * sizeof(T); ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211u;
    }
    return hash;
}

std::string hex(std::uint64_t v)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(v));
    return text;
}

// The transforms feed decisions downstream (phase lock, peaks) that amplify a one-ulp change,
// so a faster kernel must keep every output bit. The hashes were made by running this test on
// the code as it stood once (a mismatch prints the hash found); regenerate them only for a
// change of the numbers that is meant, and then check the vocoder's reference tests too.
struct BitCase {
    std::size_t length;
    std::uint64_t forward; // of the forward transform's bins
    std::uint64_t inverse; // of the inverse transform's samples
};

class RealTransformBits : public testing::TestWithParam<BitCase> {};

TEST_P(RealTransformBits, AreThoseOfTheReferenceCode)
{
    const BitCase c = GetParam();
    HalfBinRealFFT fft(c.length);
    const std::vector<float> x = fixedNoise(c.length, 0x5eed0000u + std::uint32_t(c.length));
    Spectrum spectrum(c.length / 2);
    fft.forward(x.data(), spectrum.data());
    EXPECT_EQ(hex(bitHash(spectrum)), hex(c.forward)) << "forward " << c.length;

    const std::vector<float> bins = fixedNoise(c.length, 0xb1f50000u + std::uint32_t(c.length));
    Spectrum input(c.length / 2);
    for (std::size_t b = 0; b < input.size(); ++b)
        input[b] = {bins[2 * b], bins[2 * b + 1]};
    std::vector<float> y(c.length);
    fft.inverse(input.data(), y.data());
    EXPECT_EQ(hex(bitHash(y)), hex(c.inverse)) << "inverse " << c.length;
    std::vector<float> stepped(c.length);
    for (std::size_t step = 0; step < fft.steps(); ++step)
        fft.inverse(step, input.data(), stepped.data());
    EXPECT_EQ(hex(bitHash(stepped)), hex(c.inverse)) << "stepped inverse " << c.length;
}

// The STFT's frame lengths 4 p k (k in 1, 2, 3, 4, 5, 6, 8), the scalar and vector inner
// paths, odd and even powers of four, and generic odd factors.
INSTANTIATE_TEST_SUITE_P(Lengths, RealTransformBits,
                         testing::Values(BitCase{2, 0x342fa925e4d0ccd4u, 0x478a361fca3cc346u},
                                         BitCase{4, 0xb981ba78fe5037e4u, 0x8839d430dd228760u},
                                         BitCase{6, 0x7da789969d42b9a2u, 0xc55724f23acea84fu},
                                         BitCase{8, 0x4119eda30c79ddfdu, 0x0b37ad27bfa12058u},
                                         BitCase{16, 0xf6efee344bc792ceu, 0x8737e0463bddee9du},
                                         BitCase{24, 0xa11aacb022cd7375u, 0x3590a9c6659486e4u},
                                         BitCase{30, 0xa969e59b9d5ccfa5u, 0x6c8452f6654f9a1cu},
                                         BitCase{32, 0x62d93d09ca9e909du, 0xa1742e725b98ed46u},
                                         BitCase{40, 0x953face0925955ffu, 0xb90d2feeed601191u},
                                         BitCase{54, 0x29597318287e76e7u, 0x3c3eba63c788c034u},
                                         BitCase{64, 0xd7e80c93af11ab1eu, 0x429c882df30a67b6u},
                                         BitCase{96, 0x9b2157c18900e78au, 0x4e689ca8d241b232u},
                                         BitCase{128, 0xd6868276808827d7u, 0x78c9ccfbd7f13845u},
                                         BitCase{160, 0xd6f1e940afef6aedu, 0x147a4fa5406da825u},
                                         BitCase{162, 0x1354a77fd564301bu, 0xcfbff340175fe9f4u},
                                         BitCase{256, 0x9bd47a655e3a34dfu, 0xe0eaf8e461ad9960u},
                                         BitCase{320, 0x2132b42a57db66f0u, 0x256603b7b607648du},
                                         BitCase{384, 0x70b8d61d23b1051cu, 0x43f9e39274f0a9e9u},
                                         BitCase{480, 0xac3126b7ca865dd1u, 0x32a3c941897da0b8u},
                                         BitCase{512, 0x525aa44f6b81ceafu, 0x42863d68c72b42dau},
                                         BitCase{640, 0xce2d2b50d05e10ccu, 0x217c973e315db4dau},
                                         BitCase{768, 0x6232c358efc52371u, 0x317fea0ef338e4adu},
                                         BitCase{896, 0x3a8434f10153c454u, 0x90205643abc81746u},
                                         BitCase{1000, 0xcfcf3446ef01a872u, 0xc3f519e8976a5972u},
                                         BitCase{1024, 0x1a54bded350bccfcu, 0x05771f08dad749b8u},
                                         BitCase{1280, 0x4c2aee62f5f7e1dfu, 0x04f9c6be8b96b86fu},
                                         BitCase{1536, 0x65a94313a287a5f9u, 0xa4d468f4e65c8751u},
                                         BitCase{2048, 0xdbfd2e8da1ca6d48u, 0x205df69e1939d2fbu},
                                         BitCase{2560, 0x7025aeef630e4c09u, 0xaeab64e42aeecef5u},
                                         BitCase{4096, 0x2650e189a36e2880u, 0x466d0af9bff860dbu}));

// The complex transform on its own, in natural order (with the permutation step).
class ComplexTransformBits : public testing::TestWithParam<BitCase> {};

TEST_P(ComplexTransformBits, AreThoseOfTheReferenceCode)
{
    const BitCase c = GetParam();
    FactorFFT fft(c.length);
    const std::vector<float> values = fixedNoise(2 * c.length, 0xc0de0000u + std::uint32_t(c.length));
    Spectrum x(c.length);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = {values[2 * i], values[2 * i + 1]};
    EXPECT_EQ(hex(bitHash(runComplex(fft, x, false))), hex(c.forward)) << "forward " << c.length;
    EXPECT_EQ(hex(bitHash(runComplex(fft, x, true))), hex(c.inverse)) << "inverse " << c.length;
}

INSTANTIATE_TEST_SUITE_P(Lengths, ComplexTransformBits,
                         testing::Values(BitCase{16, 0x7092b75b87b7e64cu, 0x915444e934d115bau},
                                         BitCase{64, 0x6c970c636d8b2fdeu, 0x36c657cf9bd63fedu},
                                         BitCase{128, 0x821e3c5e8c7e6946u, 0xc57e19e314b32527u},
                                         BitCase{320, 0x7a321f6d176e82efu, 0xdb7a1c5392be10c8u},
                                         BitCase{384, 0xf9c3b59dc83214f7u, 0x891958fc4a04b092u},
                                         BitCase{448, 0xecd31cc49a25be02u, 0x7116f7c077097bddu},
                                         BitCase{1024, 0xc9675d6f55b1cdd9u, 0x5a7d6d9500bd4b6au}));

} // namespace
} // namespace dsp

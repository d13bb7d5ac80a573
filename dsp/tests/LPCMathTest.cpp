#include "dsp/LPCMath.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace dsp {
namespace {

using Coefficients = std::array<float, LPCMath::maxOrder + 12>;

TEST(LPCMath, AutocorrelationMatchesDirectSumAndIgnoresLagsBeyondTheBlock)
{
    const auto x = test::whiteNoise(40, 1.0);
    Coefficients r;
    r.fill(-7.0f);
    LPCMath::calculateAutocorrelation(x.data(), 40, 45, r.data());
    for (int lag = 0; lag <= 45; ++lag) {
        double expected = 0.0;
        for (int i = 0; i + lag < 40; ++i)
            expected += static_cast<double>(x[i]) * x[i + lag];
        EXPECT_NEAR(r[lag], expected, 1e-4) << "lag " << lag;
    }
    EXPECT_EQ(r[46], -7.0f);
}

TEST(LPCMath, OrdersAboveTheCapacityBehaveAsTheHighestOrder)
{
    const auto x = test::whiteNoise(300, 0.5);
    Coefficients r49, r60, k49, k60;
    r49.fill(-1.0f);
    r60.fill(-1.0f);
    k49.fill(-1.0f);
    k60.fill(-1.0f);
    LPCMath::calculateAutocorrelation(x.data(), 300, 49, r49.data());
    LPCMath::calculateAutocorrelation(x.data(), 300, 60, r60.data());
    EXPECT_EQ(r49, r60);

    float gain49 = 0.0f, gain60 = 0.0f;
    LPCMath::solveDurbin(r49.data(), 49, k49.data(), gain49);
    LPCMath::solveDurbin(r49.data(), 60, k60.data(), gain60);
    EXPECT_EQ(k49, k60);
    EXPECT_EQ(gain49, gain60);

    std::vector<float> out49(300), out60(300);
    Coefficients state49{}, state60{};
    LPCMath::applyFilter(x.data(), 300, 49, k49.data(), gain49, state49.data(), out49.data());
    LPCMath::applyFilter(x.data(), 300, 60, k49.data(), gain49, state60.data(), out60.data());
    EXPECT_EQ(out49, out60);
    EXPECT_EQ(state49, state60);
}

TEST(LPCMath, DurbinOfOrderZeroGivesOnlyTheGain)
{
    const float r[2] = {4.0f, 3.0f};
    float k[2] = {5.0f, 5.0f};
    float gain = 0.0f;
    LPCMath::solveDurbin(r, 0, k, gain);
    EXPECT_EQ(k[0], 0.0f);
    EXPECT_EQ(k[1], 5.0f);
    EXPECT_FLOAT_EQ(gain, 2.0f);
}

TEST(LPCMath, DurbinOfAFirstOrderProcessFindsItsPole)
{
    // x[n] = 0.9 x[n-1] + e[n] with unit noise power: r[k] = 0.9^k / (1 - 0.81).
    float r[4];
    for (int i = 0; i < 4; ++i)
        r[i] = static_cast<float>(std::pow(0.9, i) / 0.19);
    float k[4];
    float gain = 0.0f;
    LPCMath::solveDurbin(r, 3, k, gain);
    EXPECT_NEAR(k[1], -0.9f, 1e-5);
    EXPECT_NEAR(k[2], 0.0f, 1e-5);
    EXPECT_NEAR(k[3], 0.0f, 1e-5);
    EXPECT_NEAR(gain, 1.0f, 1e-4);
}

TEST(LPCMath, DurbinRecoversTheCoefficientsThatShapedTheSignal)
{
    // Synthesise noise through a known lattice, then analyse it: the sign conventions of
    // analysis and synthesis must agree.
    const int n = 200000;
    const int order = 4;
    const float shaping[order + 1] = {0.0f, -0.6f, 0.4f, -0.3f, 0.2f};
    const auto noise = test::whiteNoise(n, 1.0, 77);
    std::vector<float> shaped(n);
    float state[order + 1] = {};
    LPCMath::applyFilter(noise.data(), n, order, shaping, 1.0f, state, shaped.data());

    float r[order + 1];
    LPCMath::calculateAutocorrelation(shaped.data(), n, order, r);
    float k[order + 1];
    float gain = 0.0f;
    LPCMath::solveDurbin(r, order, k, gain);
    for (int i = 1; i <= order; ++i)
        EXPECT_NEAR(k[i], shaping[i], 0.02) << "k" << i;
    // Prediction error power over the block equals the driving noise's energy.
    EXPECT_NEAR(gain * gain / test::energy(noise.data(), n), 1.0, 0.05);
}

TEST(LPCMath, DurbinStopsWhenThePredictionErrorVanishes)
{
    // A perfectly predictable (constant) signal: after k1 = -1 the error is 0.
    const float r[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float k[4];
    float gain = 1.0f;
    LPCMath::solveDurbin(r, 3, k, gain);
    EXPECT_FLOAT_EQ(k[1], -1.0f);
    EXPECT_EQ(k[2], 0.0f);
    EXPECT_EQ(k[3], 0.0f);
    EXPECT_EQ(gain, 0.0f);
}

TEST(LPCMath, LatticeWithZeroCoefficientsIsAPlainGain)
{
    const auto x = test::whiteNoise(64, 1.0);
    const float k[6] = {};
    float state[6] = {};
    std::vector<float> y(64);
    LPCMath::applyFilter(x.data(), 64, 5, k, 0.5f, state, y.data());
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(y[i], 0.5f * x[i]);
}

TEST(LPCMath, FirstOrderLatticeRingsAsOnePoleResonance)
{
    std::vector<float> impulse(8, 0.0f);
    impulse[0] = 1.0f;
    const float k[2] = {0.0f, -0.9f};
    float state[2] = {};
    std::vector<float> y(8);
    LPCMath::applyFilter(impulse.data(), 8, 1, k, 2.0f, state, y.data());
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(y[i], 2.0 * std::pow(0.9, i), 1e-6);
}

TEST(LPCMath, LatticeStateCarriesAcrossCalls)
{
    const auto x = test::whiteNoise(100, 1.0);
    const float k[4] = {0.0f, -0.5f, 0.3f, 0.1f};
    float whole[4] = {}, split[4] = {};
    std::vector<float> a(100), b(100);
    LPCMath::applyFilter(x.data(), 100, 3, k, 1.0f, whole, a.data());
    LPCMath::applyFilter(x.data(), 37, 3, k, 1.0f, split, b.data());
    LPCMath::applyFilter(x.data() + 37, 63, 3, k, 1.0f, split, b.data() + 37);
    EXPECT_EQ(a, b);
}

TEST(LPCMath, LatticeMatchesTheOneSampleAtATimeRecursionExactly)
{
    // The recursion as written, sample by sample: the filter must reproduce it bit for bit
    // for every order and for odd and even lengths.
    std::mt19937 generator(5);
    std::uniform_real_distribution<float> coefficient(-0.995f, 0.995f);
    const auto x = test::whiteNoise(301, 1.0);
    for (int order = 1; order <= LPCMath::maxOrder; ++order) {
        Coefficients k{};
        for (int m = 1; m <= order; ++m)
            k[m] = coefficient(generator) * 0.5f;
        for (int n : {1, 2, 7, 300, 301}) {
            float expectedState[LPCMath::maxOrder + 1] = {};
            std::vector<float> expected(n);
            for (int t = 0; t < n; ++t) {
                float f = 0.7f * x[t];
                for (int m = order; m >= 1; --m) {
                    f = f - k[m] * expectedState[m - 1];
                    expectedState[m] = k[m] * f + expectedState[m - 1];
                }
                expectedState[0] = f;
                expected[t] = f;
            }
            float state[LPCMath::maxOrder + 1] = {};
            std::vector<float> y(n);
            LPCMath::applyFilter(x.data(), n, order, k.data(), 0.7f, state, y.data());
            ASSERT_EQ(y, expected) << "order " << order << ", n " << n;
            for (int m = 0; m <= order; ++m)
                ASSERT_EQ(state[m], expectedState[m]) << "order " << order << ", n " << n;
        }
    }
}

/// The recursion as written, one sample at a time, from state.
std::vector<float> latticeByDefinition(const std::vector<float>& x, int n, int order, const Coefficients& k, float gain,
                                       std::vector<float>& state)
{
    std::vector<float> y(static_cast<std::size_t>(n));
    for (int t = 0; t < n; ++t) {
        float f = gain * x[t];
        for (int m = order; m >= 1; --m) {
            f = f - k[m] * state[m - 1];
            state[m] = k[m] * f + state[m - 1];
        }
        state[0] = f;
        y[t] = f;
    }
    return y;
}

TEST(LPCMath, LatticeFromAnyStateAloneOrInPairsMatchesTheRecursionExactly)
{
    // A run that continues from a state it did not start with, alone and beside another run
    // with its own coefficients, gain, input and state: lengths around the four samples that
    // the filter keeps in flight, and every order.
    std::mt19937 generator(11);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    const auto x1 = test::whiteNoise(301, 1.0, 21), x2 = test::whiteNoise(301, 0.5, 22);
    for (int order = 1; order <= LPCMath::maxOrder; ++order) {
        Coefficients k1{}, k2{};
        std::vector<float> start1(order + 1), start2(order + 1);
        for (int m = 1; m <= order; ++m) {
            k1[m] = 0.9f * uniform(generator);
            k2[m] = 0.9f * uniform(generator);
        }
        for (int m = 0; m <= order; ++m) {
            start1[m] = uniform(generator);
            start2[m] = uniform(generator);
        }
        for (int n : {1, 2, 3, 4, 5, 6, 9, 300, 301}) {
            std::vector<float> expected1State = start1, expected2State = start2;
            const auto expected1 = latticeByDefinition(x1, n, order, k1, 0.7f, expected1State);
            const auto expected2 = latticeByDefinition(x2, n, order, k2, 1.3f, expected2State);

            std::vector<float> alone(n), first(n), second(n);
            std::vector<float> aloneState = start1, firstState = start1, secondState = start2;
            LPCMath::applyFilter(x1.data(), n, order, k1.data(), 0.7f, aloneState.data(), alone.data());
            LPCMath::applyFilters({x1.data(), first.data(), k1.data(), 0.7f, firstState.data()},
                                  {x2.data(), second.data(), k2.data(), 1.3f, secondState.data()}, n, order);
            ASSERT_EQ(alone, expected1) << "order " << order << ", n " << n;
            ASSERT_EQ(aloneState, expected1State) << "order " << order << ", n " << n;
            ASSERT_EQ(first, expected1) << "order " << order << ", n " << n;
            ASSERT_EQ(firstState, expected1State) << "order " << order << ", n " << n;
            ASSERT_EQ(second, expected2) << "order " << order << ", n " << n;
            ASSERT_EQ(secondState, expected2State) << "order " << order << ", n " << n;
        }
    }
}

TEST(LPCMath, GainOnlyPathKeepsTheLastOutput)
{
    const float x[3] = {1.0f, 2.0f, 3.0f};
    float y[3];
    float state[1] = {};
    LPCMath::applyFilter(x, 3, 0, nullptr, 2.0f, state, y);
    EXPECT_EQ(y[2], 6.0f);
    EXPECT_EQ(state[0], 6.0f);
}

} // namespace
} // namespace dsp

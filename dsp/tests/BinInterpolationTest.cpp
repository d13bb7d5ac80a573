#include "dsp/BinInterpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>

namespace dsp {
namespace {

TEST(BinInterpolation, WeighsTheTwoNeighboursAndNothingOutside)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float position;
        int lower, upper;
        float lowerWeight, upperWeight;
    } cases[] = {
        {3.25f, 3, 4, 0.75f, 0.25f},
        {0.0f, 0, 1, 1.0f, 0.0f},
        {-0.5f, 0, 0, 0.0f, 0.5f}, // half of bin 0, the other half outside
        {7.5f, 7, 7, 0.5f, 0.0f},  // half of the top bin
        {-1.0f, 0, 0, 0.0f, 0.0f},
        {8.0f, 0, 0, 0.0f, 0.0f},
        {nan, 0, 0, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        const BinInterpolation at = BinInterpolation::at(c.position, 8);
        EXPECT_EQ(at.lower, c.lower) << c.position;
        EXPECT_EQ(at.upper, c.upper) << c.position;
        EXPECT_EQ(at.lowerWeight, c.lowerWeight) << c.position;
        EXPECT_EQ(at.upperWeight, c.upperWeight) << c.position;
    }
}

TEST(BinInterpolation, PositionsJustBelowABinStayBelowIt)
{
    // position + 1 rounds up to the next integer for these, which must not move the pair up a
    // bin: just below the top bin that would read past the end of the spectrum.
    constexpr int bands = 512;
    for (int bin = 1; bin <= bands; ++bin) {
        const float position = std::nextafter(static_cast<float>(bin), 0.0f);
        const BinInterpolation at = BinInterpolation::at(position, bands);
        ASSERT_EQ(at.lower, bin - 1) << position;
        ASSERT_LT(at.upper, bands) << position;
        EXPECT_GT(at.lowerWeight, 0.0f) << position;
        EXPECT_FLOAT_EQ(at.lowerWeight + at.upperWeight, bin < bands ? 1.0f : at.lowerWeight) << position;
    }
}

TEST(BinInterpolation, FourAtOnceGiveWhatOneAtATimeGives)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    const float positions[] = {3.25f, 0.0f, -0.5f, 7.5f, -1.0f, 8.0f, nan, -infinity, infinity, 1e30f, -1e30f,
                               std::nextafter(8.0f, 0.0f), std::nextafter(1.0f, 0.0f), -0.999f, 6.999f, 2.0f};
    for (std::size_t i = 0; i < std::size(positions); i += 4) {
        const BinInterpolation4 four =
            BinInterpolation4::at(simd::V4{positions[i], positions[i + 1], positions[i + 2], positions[i + 3]}, 8);
        for (int l = 0; l < 4; ++l) {
            const BinInterpolation one = BinInterpolation::at(positions[i + l], 8);
            EXPECT_EQ(four.lower[l], one.lower) << positions[i + l];
            EXPECT_EQ(four.upper[l], one.upper) << positions[i + l];
            EXPECT_EQ(four.lowerWeight[l], one.lowerWeight) << positions[i + l];
            EXPECT_EQ(four.upperWeight[l], one.upperWeight) << positions[i + l];
        }
    }
}

} // namespace
} // namespace dsp

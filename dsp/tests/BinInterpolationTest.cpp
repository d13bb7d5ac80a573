#include "dsp/BinInterpolation.h"

#include <gtest/gtest.h>

#include <cmath>
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

} // namespace
} // namespace dsp

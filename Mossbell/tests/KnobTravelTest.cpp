#include "Mossbell/AudioParameter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>

namespace mossbell {
namespace {

using Increment = AudioParameter::ValueIncrement;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

// Reference figures worked out in double precision.
constexpr float logPositionOf100 = 0.23299000f;     // ln 5 / ln 1000
constexpr float midpointExponent1000 = 1.2190630f;  // -ln 2 / ln(ln 50 / ln 1000)
constexpr float geometricCentre = 632.45553f;       // sqrt(20 * 20000)

std::shared_ptr<AudioParameter> makeParameter(float lower, float upper, Increment increment)
{
    return AudioParameter::create(7, "cutoff", "Cutoff", au::ParameterUnit::hertz, {lower, upper}, lower, increment,
                                  std::nullopt, std::nullopt);
}

const Increment plainLog = Increment::logarithmic();
const Increment log1000 = Increment::logarithmic(1000.0f);

TEST(KnobTravel, MidpointExponent)
{
    struct Case {
        const char* label;
        float lower;
        float upper;
        float midpoint;
        std::optional<float> exponent;
    };
    const Case cases[]{
        {"midpoint 1000 of 20 to 20000", 20.0f, 20000.0f, 1000.0f, midpointExponent1000},
        {"geometric centre needs none bent", 20.0f, 20000.0f, geometricCentre, 1.0f},
        {"on the lower bound", 20.0f, 20000.0f, 20.0f, std::nullopt},
        {"on the upper bound", 20.0f, 20000.0f, 20000.0f, std::nullopt},
        {"below the range", 20.0f, 20000.0f, 10.0f, std::nullopt},
        {"above the range", 20.0f, 20000.0f, 30000.0f, std::nullopt},
        {"NaN", 20.0f, 20000.0f, nan, std::nullopt},
        {"lower bound 0", 0.0f, 1.0f, 0.5f, std::nullopt},
        {"lower bound negative", -1.0f, 1.0f, 0.5f, std::nullopt},
        {"inverted range", 20000.0f, 20.0f, 1000.0f, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto exponent = makeParameter(c.lower, c.upper, Increment::logarithmic(c.midpoint))
                                  ->midpointExponent(c.midpoint);
        ASSERT_EQ(exponent.has_value(), c.exponent.has_value());
        if (exponent) {
            EXPECT_NEAR(*exponent, *c.exponent, 1e-5f);
        }
    }
}

TEST(KnobTravel, NormalizedPosition)
{
    struct Case {
        const char* label;
        float lower;
        float upper;
        Increment increment;
        float value;
        float position;
    };
    const Case cases[]{
        {"linear start", 0.0f, 1.0f, Increment::linear(), 0.0f, 0.0f},
        {"linear quarter", 0.0f, 1.0f, Increment::linear(), 0.25f, 0.25f},
        {"linear end", 0.0f, 1.0f, Increment::linear(), 1.0f, 1.0f},
        {"linear below, not clamped", 0.0f, 1.0f, Increment::linear(), -0.5f, -0.5f},
        {"linear above, not clamped", 0.0f, 1.0f, Increment::linear(), 2.0f, 2.0f},
        {"linear offset range", -60.0f, 6.0f, Increment::linear(), 0.0f, 60.0f / 66.0f},
        {"log lower bound", 20.0f, 20000.0f, plainLog, 20.0f, 0.0f},
        {"log upper bound", 20.0f, 20000.0f, plainLog, 20000.0f, 1.0f},
        {"log 100", 20.0f, 20000.0f, plainLog, 100.0f, logPositionOf100},
        {"log below, not clamped", 20.0f, 20000.0f, plainLog, 2.0f, -1.0f / 3.0f},
        {"log above, not clamped", 20.0f, 20000.0f, plainLog, 200000.0f, 4.0f / 3.0f},
        {"midpoint at the centre", 20.0f, 20000.0f, log1000, 1000.0f, 0.5f},
        {"midpoint keeps the lower bound", 20.0f, 20000.0f, log1000, 20.0f, 0.0f},
        {"midpoint keeps the upper bound", 20.0f, 20000.0f, log1000, 20000.0f, 1.0f},
        {"midpoint bends 100", 20.0f, 20000.0f, log1000, 100.0f, 0.16933404f},
        {"midpoint on the lower bound: plain log", 20.0f, 20000.0f, Increment::logarithmic(20.0f), 100.0f,
         logPositionOf100},
        {"midpoint on the upper bound: plain log", 20.0f, 20000.0f, Increment::logarithmic(20000.0f), 100.0f,
         logPositionOf100},
        {"midpoint below: plain log", 20.0f, 20000.0f, Increment::logarithmic(10.0f), 100.0f, logPositionOf100},
        {"midpoint above: plain log", 20.0f, 20000.0f, Increment::logarithmic(50000.0f), 100.0f, logPositionOf100},
        {"NaN midpoint: plain log", 20.0f, 20000.0f, Increment::logarithmic(nan), 100.0f, logPositionOf100},
        {"log with lower bound 0: linear", 0.0f, 1.0f, Increment::logarithmic(0.5f), 0.25f, 0.25f},
        {"log with negative lower bound: linear", -1.0f, 1.0f, plainLog, 0.0f, 0.5f},
        {"log with upper bound 0: linear", -10.0f, 0.0f, plainLog, -5.0f, 0.5f},
        {"log of 0", 20.0f, 20000.0f, log1000, 0.0f, -inf},
        {"log of a negative value", 20.0f, 20000.0f, log1000, -5.0f, -inf},
        {"equal bounds, linear", 5.0f, 5.0f, Increment::linear(), 7.0f, 0.0f},
        {"equal bounds, log", 5.0f, 5.0f, plainLog, 5.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const float position = makeParameter(c.lower, c.upper, c.increment)->normalizedPosition(c.value);
        if (std::isinf(c.position)) {
            EXPECT_EQ(position, c.position);
        } else {
            EXPECT_NEAR(position, c.position, 1e-6f);
        }
    }
}

TEST(KnobTravel, ValueForNormalizedPosition)
{
    struct Case {
        const char* label;
        float lower;
        float upper;
        Increment increment;
        float position;
        float value;
    };
    const Case cases[]{
        {"linear quarter", 0.0f, 1.0f, Increment::linear(), 0.25f, 0.25f},
        {"linear below, not clamped", 0.0f, 1.0f, Increment::linear(), -1.0f, -1.0f},
        {"linear above, not clamped", 0.0f, 1.0f, Increment::linear(), 2.0f, 2.0f},
        {"linear offset range", -60.0f, 6.0f, Increment::linear(), 0.5f, -27.0f},
        {"log start", 20.0f, 20000.0f, plainLog, 0.0f, 20.0f},
        {"log end", 20.0f, 20000.0f, plainLog, 1.0f, 20000.0f},
        {"log centre is the geometric centre", 20.0f, 20000.0f, plainLog, 0.5f, geometricCentre},
        {"log third", 20.0f, 20000.0f, plainLog, 1.0f / 3.0f, 200.0f},
        {"midpoint at the centre", 20.0f, 20000.0f, log1000, 0.5f, 1000.0f},
        {"midpoint keeps the start", 20.0f, 20000.0f, log1000, 0.0f, 20.0f},
        {"midpoint keeps the end", 20.0f, 20000.0f, log1000, 1.0f, 20000.0f},
        {"midpoint on a bound: plain log", 20.0f, 20000.0f, Increment::logarithmic(20000.0f), 0.5f,
         geometricCentre},
        {"log with lower bound 0: linear", 0.0f, 1.0f, Increment::logarithmic(0.5f), 0.25f, 0.25f},
        {"equal bounds, linear", 5.0f, 5.0f, Increment::linear(), 0.7f, 5.0f},
        {"equal bounds, log", 5.0f, 5.0f, log1000, 0.7f, 5.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const float value = makeParameter(c.lower, c.upper, c.increment)->valueForNormalizedPosition(c.position);
        EXPECT_NEAR(value, c.value, 1e-5f * std::fabs(c.value) + 1e-6f);
    }
}

// Position to value and back lands where it started, also off the ends of the travel: a
// midpoint curve must stay invertible below 0, where a plain power of a negative base is NaN.
TEST(KnobTravel, PositionsRoundTripThroughValues)
{
    struct Case {
        const char* label;
        float lower;
        float upper;
        Increment increment;
    };
    const Case cases[]{
        {"linear", -60.0f, 6.0f, Increment::linear()},
        {"log", 20.0f, 20000.0f, plainLog},
        {"log with midpoint", 20.0f, 20000.0f, log1000},
        {"log with a low midpoint", 0.1f, 10.0f, Increment::logarithmic(0.2f)},
        {"log with lower bound 0", 0.0f, 100.0f, Increment::logarithmic(10.0f)},
    };
    const float positions[]{-0.25f, -0.01f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.25f};
    for (const Case& c : cases) {
        const auto parameter = makeParameter(c.lower, c.upper, c.increment);
        for (const float position : positions) {
            SCOPED_TRACE(testing::Message() << c.label << ", position " << position);
            const float value = parameter->valueForNormalizedPosition(position);
            EXPECT_NEAR(parameter->normalizedPosition(value), position, 1e-5f);
        }
    }
}

TEST(KnobTravel, ImageIndex)
{
    struct Case {
        const char* label;
        float lower;
        float upper;
        Increment increment;
        int imageCount;
        float value;
        int frame;
    };
    const Case cases[]{
        {"linear start", 0.0f, 1.0f, Increment::linear(), 51, 0.0f, 1},
        {"linear quarter: 13.5 rounds up", 0.0f, 1.0f, Increment::linear(), 51, 0.25f, 14},
        {"linear centre", 0.0f, 1.0f, Increment::linear(), 51, 0.5f, 26},
        {"linear end", 0.0f, 1.0f, Increment::linear(), 51, 1.0f, 51},
        {"below the range", 0.0f, 1.0f, Increment::linear(), 51, -0.5f, 1},
        {"above the range", 0.0f, 1.0f, Increment::linear(), 51, 1.5f, 51},
        {"minus infinity", 0.0f, 1.0f, Increment::linear(), 51, -inf, 1},
        {"infinity", 0.0f, 1.0f, Increment::linear(), 51, inf, 51},
        {"NaN like the lower bound", 0.0f, 1.0f, Increment::linear(), 51, nan, 1},
        {"two frames: half rounds up", 0.0f, 1.0f, Increment::linear(), 2, 0.5f, 2},
        {"two frames: below half", 0.0f, 1.0f, Increment::linear(), 2, 0.49f, 1},
        {"one frame, start", 0.0f, 1.0f, Increment::linear(), 1, 0.0f, 1},
        {"one frame, end", 0.0f, 1.0f, Increment::linear(), 1, 1.0f, 1},
        {"one frame, infinity", 0.0f, 1.0f, Increment::linear(), 1, inf, 1},
        {"no frames", 0.0f, 1.0f, Increment::linear(), 0, 1.0f, 1},
        {"negative count", 0.0f, 1.0f, Increment::linear(), -3, 1.0f, 1},
        {"midpoint shows the centre frame", 20.0f, 20000.0f, log1000, 51, 1000.0f, 26},
        {"log start", 20.0f, 20000.0f, log1000, 51, 20.0f, 1},
        {"log end", 20.0f, 20000.0f, log1000, 51, 20000.0f, 51},
        {"log below the range", 20.0f, 20000.0f, log1000, 51, 10.0f, 1},
        {"log of 0", 20.0f, 20000.0f, log1000, 51, 0.0f, 1},
        {"log of a negative value", 20.0f, 20000.0f, log1000, 51, -5.0f, 1},
        {"equal bounds", 5.0f, 5.0f, Increment::linear(), 51, 5.0f, 1},
        {"largest count, end", 0.0f, 1.0f, Increment::linear(), INT_MAX, 1.0f, INT_MAX},
        {"largest count, above", 0.0f, 1.0f, Increment::linear(), INT_MAX, 3.0f, INT_MAX},
        {"largest count, start", 0.0f, 1.0f, Increment::linear(), INT_MAX, 0.0f, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(makeParameter(c.lower, c.upper, c.increment)->imageIndex(c.value, c.imageCount), c.frame);
    }
}

} // namespace
} // namespace mossbell

#include "Mossbell/Extensions.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <array>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace mossbell;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

TEST(SafeAt, YieldsTheElementOnlyAtAValidIndex)
{
    const std::vector<int> list{1, 2, 3};
    const struct {
        long index;
        std::optional<int> element;
    } cases[] = {{0, 1}, {2, 3}, {3, std::nullopt}, {-1, std::nullopt},
                 {std::numeric_limits<long>::min(), std::nullopt}, {std::numeric_limits<long>::max(), std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(safeAt(list, c.index), c.element) << c.index;

    // Unsigned indices and other collections.
    EXPECT_EQ(safeAt(list, 1u), 2);
    EXPECT_EQ(safeAt(list, std::size_t(3)), std::nullopt);
    EXPECT_EQ(safeAt(std::vector<int>{}, 0), std::nullopt);
    const QStringList names{"Off", "On"};
    EXPECT_EQ(safeAt(names, 1), QString("On"));
    EXPECT_EQ(safeAt(names, 2), std::nullopt);
    const std::array<std::string, 1> one{"x"};
    EXPECT_EQ(safeAt(one, 0), "x");
}

TEST(Clamped, LimitsToAClosedRange)
{
    const struct {
        float value;
        float lower, upper;
        float expected;
    } cases[] = {
        {5, 0, 3, 3}, {-1, 0, 3, 0}, {2, 0, 3, 2}, {0, 0, 3, 0}, {3, 0, 3, 3},
        {inf, 0, 3, 3}, {-inf, 0, 3, 0}, {1, 1, 1, 1}, {-0.5f, -1, 1, -0.5f},
        {nan, 0, 3, 0}, // a NaN value fails "lower <= value" and becomes the lower bound
    };
    for (const auto& c : cases)
        EXPECT_EQ(clamped(c.value, ClosedRange{c.lower, c.upper}), c.expected) << c.value;
    EXPECT_EQ(clamped(5, ClosedRange{0, 3}), 3);
    EXPECT_EQ(clamped(std::string("m"), ClosedRange<std::string>{"a", "k"}), "k");
}

TEST(Clamped, LimitsToARangeFromOrThroughABound)
{
    const struct {
        float value;
        float bound;
        float from;    // clamped to bound...
        float through; // clamped to ...bound
    } cases[] = {
        {5, 3, 5, 3}, {1, 3, 3, 1}, {3, 3, 3, 3}, {-inf, 0, 0, -inf}, {inf, 0, inf, 0}, {nan, 2, 2, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clamped(c.value, RangeFrom{c.bound}), c.from) << c.value;
        EXPECT_EQ(clamped(c.value, RangeThrough{c.bound}), c.through) << c.value;
    }
    EXPECT_EQ(clamped(-4, RangeFrom{0}), 0);
    EXPECT_EQ(clamped(7, RangeThrough{6}), 6);
}

TEST(ClampedDeathTest, ANaNBoundStopsTheProgram)
{
    EXPECT_DEATH(clamped(1.0f, ClosedRange{nan, 3.0f}), "clamped: a range bound is NaN: file .*ExtensionsTest.cpp");
    EXPECT_DEATH(clamped(1.0f, ClosedRange{0.0f, nan}), "clamped: a range bound is NaN");
    EXPECT_DEATH(clamped(1.0, RangeFrom{double(nan)}), "clamped: a range bound is NaN");
    EXPECT_DEATH(clamped(1.0f, RangeThrough{nan}), "clamped: a range bound is NaN");
}

TEST(PaddedIndexString, WritesAtLeastTwoCharacters)
{
    const struct {
        int index;
        const char* text;
    } cases[] = {{0, "00"}, {7, "07"}, {9, "09"}, {10, "10"}, {12, "12"}, {51, "51"}, {100, "100"}, {-1, "-1"}, {-12, "-12"}};
    for (const auto& c : cases)
        EXPECT_EQ(paddedIndexString(c.index), c.text) << c.index;
}

} // namespace

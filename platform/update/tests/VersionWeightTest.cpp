#include "platform/update/VersionWeight.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace update {
namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

TEST(VersionWeight, Weights)
{
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1.2.3", 10203},
        {"2.0", 20000},
        {"1.10", 11000},
        {"1.2.3.4", 10207},
        {"1.2b", 10000},
        {"3b1.2", 200},
        {"Unknown", 0},
        {"", 0},
        {".", 0},
        {"1..2", 10200},
        {".1.2.", 10200},
        {"1.100", 20000},
        {"+1.-2", 9800},
        {"-1", -10000},
        {"+-1", 0},
        {"+", 0},
        {" 1", 0},
        {"1 ", 0},
        {"0x10", 0},
        {"1.5", 10500},
        {"0.9", 900},
        {"9223372036854775807", int64Max},          // saturated product
        {"9223372036854775808", 0},                 // not a 64-bit number
        {"1.9223372036854775807", int64Max},        // saturated sum
        {"-922337203685478", int64Min},             // saturated below
        {"922337203685477.57", 9223372036854775700}, // just fits
        {"922337203685477.57.107", int64Max},       // exactly the largest
        {"922337203685477.57.108", int64Max},       // the last step goes over
    };
    for (const auto& [text, weight] : cases)
        EXPECT_EQ(convertVersionToWeight(text), weight) << '"' << text << '"';
}

} // namespace
} // namespace update

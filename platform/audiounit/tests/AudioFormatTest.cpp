#include "platform/audiounit/AudioFormat.h"
#include "platform/audiounit/ComponentDescription.h"
#include "platform/audiounit/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace au {
namespace {

TEST(AudioFormat, StandardFormatKeepsRateAndChannels)
{
    const AudioFormat format = AudioFormat::standard(48000.0, 3);
    EXPECT_EQ(format.sampleRate(), 48000.0);
    EXPECT_EQ(format.channelCount(), 3u);
    EXPECT_EQ(format, AudioFormat::standard(48000.0, 3));
    EXPECT_NE(format, AudioFormat::standard(44100.0, 3));
    EXPECT_NE(format, AudioFormat::standard(48000.0, 2));
}

TEST(AudioFormat, RefusesWhatNoStreamCanCarry)
{
    struct Case {
        double rate;
        std::uint32_t channels;
    };
    const Case cases[] = {
        {0.0, 2},
        {-44100.0, 2},
        {std::numeric_limits<double>::quiet_NaN(), 2},
        {std::numeric_limits<double>::infinity(), 2},
        {44100.0, 0},
    };
    for (const auto& c : cases)
        EXPECT_THROW(AudioFormat::standard(c.rate, c.channels), Error) << c.rate << " Hz, " << c.channels << " ch";
}

TEST(ComponentDescription, FourCharCodesPackBigEndianAndReadBack)
{
    static_assert(fourCharCode("aufx") == 0x61756678u);
    EXPECT_EQ(componentType::effect, 0x61756678u);
    EXPECT_EQ(fourCharString(fourCharCode("voco")), "voco");
    EXPECT_EQ(fourCharString(fourCharCode("Vart")), "Vart");

    const ComponentDescription a{fourCharCode("aufx"), fourCharCode("voco"), fourCharCode("Vart")};
    ComponentDescription b = a;
    EXPECT_EQ(a, b);
    b.componentManufacturer = fourCharCode("Vars");
    EXPECT_NE(a, b);
}

} // namespace
} // namespace au

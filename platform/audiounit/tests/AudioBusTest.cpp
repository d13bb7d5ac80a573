#include "TestUnit.h"

#include <gtest/gtest.h>

namespace au {
namespace {

TEST(AudioBus, HostChangesFormatOnlyWhileDeallocated)
{
    test::TestUnit unit;
    AudioBus& input = unit.inputBusses()[0];
    EXPECT_EQ(input.ownerAudioUnit(), &unit);

    const AudioFormat stereo48 = AudioFormat::standard(48000.0, 2);
    input.setFormat(stereo48);
    EXPECT_EQ(input.format(), stereo48);

    unit.allocateRenderResources();
    EXPECT_THROW(input.setFormat(AudioFormat::standard(44100.0, 1)), Error);
    EXPECT_EQ(input.format(), stereo48) << "a refused change leaves the format alone";

    unit.deallocateRenderResources();
    input.setFormat(AudioFormat::standard(96000.0, 4));
    EXPECT_EQ(input.format().channelCount(), 4u);
}

TEST(AudioBus, BusOfNoUnitIsFreeToChange)
{
    AudioBus bus(AudioFormat::standard(44100.0, 1));
    bus.setName("Side Chain");
    bus.setFormat(AudioFormat::standard(22050.0, 2));
    EXPECT_EQ(bus.name(), "Side Chain");
    EXPECT_EQ(bus.format(), AudioFormat::standard(22050.0, 2));
    EXPECT_EQ(bus.ownerAudioUnit(), nullptr);
}

TEST(AudioBusArray, HoldsBusesInOrderForItsOwner)
{
    test::TestUnit owner;
    auto first = std::make_shared<AudioBus>(AudioFormat::standard(44100.0, 2));
    auto second = std::make_shared<AudioBus>(AudioFormat::standard(44100.0, 1));
    AudioBusArray array(owner, BusType::input, {first, second});
    EXPECT_EQ(array.count(), 2u);
    EXPECT_EQ(&array[0], first.get());
    EXPECT_EQ(array.bus(1), second);
    EXPECT_EQ(array.busType(), BusType::input);
    EXPECT_EQ(&array.ownerAudioUnit(), &owner);
    EXPECT_EQ(second->ownerAudioUnit(), &owner);
    EXPECT_THROW(array[2], std::out_of_range);
}

} // namespace
} // namespace au

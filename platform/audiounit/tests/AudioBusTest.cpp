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

// A unit that states its rates gets no format at another, neither from a bus nor, for a bus
// set while it stated none, at allocation; its effect code is never asked.
TEST(AudioBus, AUnitRefusesARateOutsideItsRangeAsAFormatNotSupported)
{
    test::TestUnit unit;
    unit.rates = SampleRateRange{22050.0, 48000.0};
    AudioBus& input = unit.inputBusses()[0];
    const struct {
        double rate;
        bool accepted;
    } cases[] = {{1.0, false},     {22049.0, false}, {22050.0, true},         {48000.0, true},
                 {48000.5, false}, {48001.0, false}, {2'000'000'000.0, false}};
    for (const auto& [rate, accepted] : cases) {
        input.setFormat(AudioFormat::standard(44100.0, 1));
        try {
            input.setFormat(AudioFormat::standard(rate, 1));
            EXPECT_TRUE(accepted) << rate;
            EXPECT_EQ(input.format().sampleRate(), rate);
        } catch (const Error& error) {
            EXPECT_FALSE(accepted) << rate;
            EXPECT_EQ(error.status(), status::formatNotSupported) << rate;
            EXPECT_EQ(input.format().sampleRate(), 44100.0) << "a refused change leaves the format alone";
        }
    }
    test::TestUnit late;
    late.inputBusses()[0].setFormat(AudioFormat::standard(2'000'000'000.0, 1));
    late.rates = SampleRateRange{8000.0, 768000.0};
    try {
        late.allocateRenderResources();
        ADD_FAILURE() << "allocated at 2 GHz";
    } catch (const Error& error) {
        EXPECT_EQ(error.status(), status::formatNotSupported);
        EXPECT_STREQ(error.what(), "the effect runs at 8000 to 768000 Hz, not at 2000000000 Hz");
    }
    EXPECT_EQ(late.allocations, 0);
    EXPECT_FALSE(late.renderResourcesAllocated());
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

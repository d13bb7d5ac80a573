#include "platform/audiounit/RenderEventList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace au {
namespace {

TEST(RenderEventList, LinksEventsInTheOrderAdded)
{
    RenderEventList list;
    EXPECT_EQ(list.head(), nullptr);

    // Enough events to make the storage move at least once.
    for (int i = 0; i < 40; ++i)
        list.addParameter(i * 10, std::uint64_t(i % 15), float(i));
    list.addParameterRamp(400, 4, -6.0f, 128);
    const std::uint8_t noteOn[] = {0x90, 60, 100, 0x7f};
    list.addMIDI(410, 1, noteOn);

    std::vector<const RenderEvent*> walked;
    for (const RenderEvent* e = list.head(); e; e = e->next)
        walked.push_back(e);
    ASSERT_EQ(walked.size(), 42u);
    EXPECT_EQ(list.size(), 42u);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(walked[i]->type, RenderEventType::parameter);
        EXPECT_EQ(walked[i]->sampleTime, i * 10);
        EXPECT_EQ(walked[i]->parameterAddress, std::uint64_t(i % 15));
        EXPECT_EQ(walked[i]->value, float(i));
    }
    EXPECT_EQ(walked[40]->type, RenderEventType::parameterRamp);
    EXPECT_EQ(walked[40]->rampDurationFrames, 128u);
    EXPECT_EQ(walked[40]->value, -6.0f);
    EXPECT_EQ(walked[41]->type, RenderEventType::midi);
    EXPECT_EQ(walked[41]->midiCable, 1);
    EXPECT_EQ(walked[41]->midiLength, 3) << "at most three bytes";
    EXPECT_EQ(walked[41]->midiData[0], 0x90);
    EXPECT_EQ(walked[41]->midiData[2], 100);

    list.clear();
    EXPECT_EQ(list.head(), nullptr);
}

} // namespace
} // namespace au

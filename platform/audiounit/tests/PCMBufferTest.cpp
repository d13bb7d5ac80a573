#include "platform/audiounit/PCMBuffer.h"

#include <gtest/gtest.h>

namespace au {
namespace {

TEST(PCMBuffer, OneZeroedBufferPerChannelInBothLists)
{
    PCMBuffer buffer(AudioFormat::standard(44100.0, 3), 256);
    EXPECT_EQ(buffer.frameCapacity(), 256u);
    EXPECT_EQ(buffer.frameLength(), 0u);

    for (const AudioBufferList* list : {buffer.audioBufferList(), static_cast<const AudioBufferList*>(buffer.mutableAudioBufferList())}) {
        ASSERT_EQ(list->numberBuffers, 3u);
        for (std::uint32_t c = 0; c < 3; ++c) {
            EXPECT_EQ(list->buffers[c].numberChannels, 1u);
            EXPECT_EQ(list->buffers[c].dataByteSize, 0u);
            EXPECT_EQ(list->buffers[c].data, buffer.channelData(c));
        }
    }
    EXPECT_NE(buffer.audioBufferList()->buffers, buffer.mutableAudioBufferList()->buffers);
    // Channels do not overlap.
    EXPECT_EQ(buffer.channelData(1) - buffer.channelData(0), 256);
    for (std::uint32_t c = 0; c < 3; ++c)
        for (std::uint32_t i = 0; i < 256; ++i)
            ASSERT_EQ(buffer.channelData(c)[i], 0.0f);
}

TEST(PCMBuffer, FrameLengthSetsByteSizesWithinCapacity)
{
    PCMBuffer buffer(AudioFormat::standard(44100.0, 2), 128);
    buffer.setFrameLength(100);
    EXPECT_EQ(buffer.frameLength(), 100u);
    EXPECT_EQ(buffer.audioBufferList()->buffers[1].dataByteSize, 400u);
    EXPECT_EQ(buffer.mutableAudioBufferList()->buffers[0].dataByteSize, 400u);
    buffer.setFrameLength(1000);
    EXPECT_EQ(buffer.frameLength(), 128u);
    EXPECT_EQ(buffer.audioBufferList()->buffers[0].dataByteSize, 512u);
}

TEST(PCMBuffer, ResetUndoesWhateverTheMutableListWasGiven)
{
    PCMBuffer buffer(AudioFormat::standard(44100.0, 2), 64);
    float upstream[64] = {};
    AudioBuffer foreign[1] = {{2, 4, upstream}};

    AudioBufferList* list = buffer.mutableAudioBufferList();
    list->buffers[0].data = upstream;
    list->buffers[1].dataByteSize = 12;
    list->numberBuffers = 1;
    list->buffers = foreign;

    buffer.resetMutableAudioBufferList(50);
    ASSERT_EQ(list->numberBuffers, 2u);
    ASSERT_NE(list->buffers, foreign);
    for (std::uint32_t c = 0; c < 2; ++c) {
        EXPECT_EQ(list->buffers[c].data, buffer.channelData(c));
        EXPECT_EQ(list->buffers[c].numberChannels, 1u);
        EXPECT_EQ(list->buffers[c].dataByteSize, 200u);
    }
    buffer.resetMutableAudioBufferList(65);
    EXPECT_EQ(list->buffers[0].dataByteSize, 256u) << "never more than the capacity";
    EXPECT_EQ(foreign[0].data, upstream) << "the foreign array is left alone";
}

TEST(PCMBuffer, KnowsItsOwnSamples)
{
    PCMBuffer buffer(AudioFormat::standard(44100.0, 2), 32);
    const float outside[4] = {};
    EXPECT_TRUE(buffer.contains(buffer.channelData(0)));
    EXPECT_TRUE(buffer.contains(buffer.channelData(1) + 31));
    EXPECT_FALSE(buffer.contains(buffer.channelData(1) + 32));
    EXPECT_FALSE(buffer.contains(outside));
    EXPECT_FALSE(buffer.contains(nullptr));
}

} // namespace
} // namespace au

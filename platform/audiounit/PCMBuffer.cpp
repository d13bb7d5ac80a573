#include "platform/audiounit/PCMBuffer.h"

#include <algorithm>
#include <functional>

namespace au {

PCMBuffer::PCMBuffer(const AudioFormat& format, std::uint32_t frameCapacity)
    : format_(format),
      frameCapacity_(frameCapacity),
      samples_(std::size_t(format.channelCount()) * frameCapacity, 0.0f),
      baseBuffers_(format.channelCount()),
      mutableBuffers_(format.channelCount())
{
    for (std::uint32_t channel = 0; channel < format.channelCount(); ++channel)
        baseBuffers_[channel] = AudioBuffer{1, 0, channelData(channel)};
    mutableBuffers_ = baseBuffers_;
    baseList_ = AudioBufferList{format.channelCount(), baseBuffers_.data()};
    mutableList_ = AudioBufferList{format.channelCount(), mutableBuffers_.data()};
}

void PCMBuffer::setFrameLength(std::uint32_t frames)
{
    frameLength_ = std::min(frames, frameCapacity_);
    const std::uint32_t bytes = frameLength_ * AudioFormat::bytesPerFrame;
    for (auto& buffer : baseBuffers_)
        buffer.dataByteSize = bytes;
    for (auto& buffer : mutableBuffers_)
        buffer.dataByteSize = bytes;
}

void PCMBuffer::resetMutableAudioBufferList(std::uint32_t frames)
{
    const std::uint32_t bytes = std::min(frames, frameCapacity_) * AudioFormat::bytesPerFrame;
    mutableList_ = AudioBufferList{format_.channelCount(), mutableBuffers_.data()};
    for (std::size_t i = 0; i < mutableBuffers_.size(); ++i)
        mutableBuffers_[i] = AudioBuffer{baseBuffers_[i].numberChannels, bytes, baseBuffers_[i].data};
}

bool PCMBuffer::contains(const float* p) const
{
    if (samples_.empty())
        return false;
    const std::less<const float*> before;
    return !before(p, samples_.data()) && before(p, samples_.data() + samples_.size());
}

} // namespace au

#include "extension/BufferedInputBus.h"

#include <algorithm>

namespace zindle {

void BufferedInputBus::init(const au::AudioFormat& format, std::string name)
{
    maxFrames_ = 0;
    pcmBuffer_.reset();
    mutableBufferList_ = nullptr;
    bus_ = std::make_shared<au::AudioBus>(format);
    bus_->setName(std::move(name));
}

void BufferedInputBus::allocateRenderResources(std::uint32_t maxFrames)
{
    maxFrames_ = maxFrames;
    pcmBuffer_ = std::make_unique<au::PCMBuffer>(bus_->format(), maxFrames);
    mutableBufferList_ = pcmBuffer_->mutableAudioBufferList();
}

void BufferedInputBus::prepareInputBufferList(std::uint32_t frameCount)
{
    if (pcmBuffer_)
        pcmBuffer_->resetMutableAudioBufferList(std::min(frameCount, maxFrames_));
}

au::Status BufferedInputBus::pullInput(au::RenderActionFlags& flags, const au::AudioTimeStamp& timestamp,
                                       std::uint32_t frameCount, std::int64_t busNumber,
                                       au::PullInputBlock pullInput)
{
    prepareInputBufferList(frameCount);
    return pullInput(flags, timestamp, frameCount, busNumber, mutableBufferList_);
}

} // namespace zindle

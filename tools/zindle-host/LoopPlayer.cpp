#include "tools/zindle-host/LoopPlayer.h"

#include "tools/zindle-host/LoopResampler.h"

#include "platform/audiounit/AudioFormat.h"
#include "platform/audiounit/HostTime.h"

#include <algorithm>

namespace zindlehost {

LoopPlayer::LoopPlayer(au::AudioUnit& unit, const AudioData& voice, const AudioData& carrier,
                       std::unique_ptr<AudioOutput> output)
    : unit_(unit), output_(std::move(output)), voice_(loopAtRate(voice, output_->sampleRate(), "voice")),
      carrier_(loopAtRate(carrier, output_->sampleRate(), "carrier")), maxFrames_(output_->blockSize()),
      feeder_(voice_, carrier_, maxFrames_, InputFeeder::Ending::loop)
{
}

LoopPlayer::~LoopPlayer() { stop(); }

void LoopPlayer::start()
{
    if (playing_)
        return;
    prepareToRender(unit_, voice_, carrier_, maxFrames_);
    const std::size_t channels = outputChannelCount(unit_);
    effectOutput_.assign(channels, std::vector<float>(maxFrames_, 0.0f));
    outputBuffers_.assign(channels, au::AudioBuffer{1, 0, nullptr});
    sampleTime_ = 0; // both loops from their start
    try {
        output_->start(*this);
    } catch (...) {
        unit_.deallocateRenderResources();
        throw;
    }
    playing_ = true;
}

void LoopPlayer::stop()
{
    if (!playing_)
        return;
    output_->stop();
    unit_.deallocateRenderResources();
    playing_ = false;
}

void LoopPlayer::render(float* const* channels, au::FrameCount frames) noexcept
{
    const au::RenderBlock& renderBlock = unit_.renderBlock();
    const auto effectChannels = static_cast<std::uint32_t>(outputBuffers_.size());
    for (au::FrameCount done = 0; done < frames;) {
        const au::FrameCount count = std::min(frames - done, maxFrames_);
        for (std::uint32_t c = 0; c < effectChannels; ++c)
            outputBuffers_[c] = au::AudioBuffer{1, count * au::AudioFormat::bytesPerFrame, effectOutput_[c].data()};
        au::AudioBufferList list{effectChannels, outputBuffers_.data()};
        au::RenderActionFlags flags = 0;
        const au::AudioTimeStamp time{static_cast<double>(sampleTime_), au::currentHostTime()};
        const au::Status status = renderBlock(flags, time, count, 0, &list, nullptr, feeder_);
        for (std::size_t c = 0; c < AudioOutput::channelCount; ++c) {
            float* destination = channels[c] + done;
            // The effect may have answered with buffers of its own: read what the list says.
            if (status == au::status::ok && effectChannels > 0)
                std::copy_n(list.buffers[std::min<std::size_t>(c, effectChannels - 1)].data, count, destination);
            else
                std::fill_n(destination, count, 0.0f);
        }
        if (status != au::status::ok)
            failures_.fetch_add(1, std::memory_order_relaxed);
        sampleTime_ += count;
        done += count;
    }
    frames_.fetch_add(frames, std::memory_order_relaxed);
    blocks_.fetch_add(1, std::memory_order_release);
}

} // namespace zindlehost

#pragma once

#include "platform/audiounit/AudioBus.h"
#include "platform/audiounit/PCMBuffer.h"
#include "platform/audiounit/RenderBlock.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zindle {

/// The buffer one input bus is pulled into. Set up when render resources are allocated (main
/// thread, no render call running); pulled into on the render thread.
class BufferedInputBus {
public:
    /// Drops the previous buffer and takes a private bus for the format, named name. This bus
    /// is not one the host sees.
    void init(const au::AudioFormat& format, std::string name);
    /// Creates the buffer for maxFrames frames of the bus's format. Call after init.
    void allocateRenderResources(std::uint32_t maxFrames);

    /// Render thread: restores the mutable list from the buffer's own pointers and sizes it
    /// for frameCount frames (at most maxFrames), undoing whatever the last pull left there.
    void prepareInputBufferList(std::uint32_t frameCount);
    /// Render thread: prepares the list and pulls frameCount frames of input bus busNumber
    /// into it; returns the pull's status.
    au::Status pullInput(au::RenderActionFlags& flags, const au::AudioTimeStamp& timestamp,
                         std::uint32_t frameCount, std::int64_t busNumber, au::PullInputBlock pullInput);

    bool isAllocated() const { return pcmBuffer_ != nullptr; }
    std::uint32_t maxFrames() const { return maxFrames_; }
    const au::AudioBus* bus() const { return bus_.get(); }
    /// The list handed to the pull block; after a pull its data pointers may be the upstream's.
    au::AudioBufferList* mutableBufferList() const { return mutableBufferList_; }
    /// True when p points into this bus's own buffer (not into memory an upstream handed back).
    bool ownsSamples(const float* p) const { return pcmBuffer_ && pcmBuffer_->contains(p); }

private:
    std::shared_ptr<au::AudioBus> bus_;
    std::uint32_t maxFrames_ = 0;
    std::unique_ptr<au::PCMBuffer> pcmBuffer_;
    au::AudioBufferList* mutableBufferList_ = nullptr;
};

} // namespace zindle

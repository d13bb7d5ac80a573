#pragma once

#include "extension/BufferedInputBus.h"
#include "extension/DSPKernel.h"

#include "platform/audiounit/RenderBlock.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zindle {

/// The render path: pulls both inputs, splits the buffer at the render events' sample times,
/// folds each input to one channel and hands every stretch of samples to the kernel.
///
/// Lives inside the Audio Unit next to the kernel and the two buffered buses it points at;
/// neither copied nor moved. configure runs at allocation (main thread, no render call
/// running); everything else on the render thread, where it allocates nothing, takes no lock
/// and makes no system call.
class AUProcessHelper {
public:
    AUProcessHelper(DSPKernel& kernel, BufferedInputBus& voiceBus, BufferedInputBus& sideBus);

    AUProcessHelper(const AUProcessHelper&) = delete;
    AUProcessHelper& operator=(const AUProcessHelper&) = delete;

    /// The channel counts of input bus 0 (voice), input bus 1 (side chain) and the output at
    /// allocation, and the most frames a render call may bring. Sizes every buffer the render
    /// thread uses.
    void configure(std::uint32_t voiceChannelCount, std::uint32_t sideChannelCount,
                   std::uint32_t outputChannelCount, std::uint32_t maxFrames);

    /// The render block, bound to this helper by address.
    au::InternalRenderBlock makeRenderBlock();

    /// One render call; see the status codes in the comment of the definition.
    au::Status render(au::RenderActionFlags& flags, const au::AudioTimeStamp& timestamp, au::FrameCount frameCount,
                      std::int64_t outputBusNumber, au::AudioBufferList* outputData, const au::RenderEvent* events,
                      au::PullInputBlock pullInput);

    std::uint32_t voiceChannelCount() const { return voiceChannelCount_; }
    std::uint32_t sideChannelCount() const { return sideChannelCount_; }
    std::size_t outputChannelCount() const { return outputPointers_.size(); }

    /// The activity threshold of a second channel: above it, the two channels are averaged.
    static constexpr float activityThreshold = 1e-6f;

private:
    void processWithEvents(const au::AudioBufferList& voice, const au::AudioBufferList& side,
                           const au::AudioBufferList& output, const au::AudioTimeStamp& timestamp,
                           std::uint32_t frameCount, const au::RenderEvent* event);
    const au::RenderEvent* processEventsUntil(std::int64_t now, const au::RenderEvent* event);
    void handleEvent(const au::RenderEvent& event);
    void processSegment(const au::AudioBufferList& voice, const au::AudioBufferList& side,
                        const au::AudioBufferList& output, std::uint32_t count, std::uint32_t offset);
    static float* foldToMono(const au::AudioBufferList& list, std::uint32_t channelCount, std::uint32_t offset,
                             std::uint32_t count, float* destination, std::uint32_t firstBuffer);

    DSPKernel& kernel_;
    BufferedInputBus& voiceBus_;
    BufferedInputBus& sideBus_;
    std::array<float*, 2> inputPointers_{}; // mono voice, mono side chain
    std::vector<float*> outputPointers_;    // one per output channel, at the segment's offset
    std::vector<float> monoVoice_;
    std::vector<float> monoSide_;
    std::uint32_t voiceChannelCount_ = 0;
    std::uint32_t sideChannelCount_ = 0;
    std::uint32_t maxFrames_ = 0;
};

} // namespace zindle

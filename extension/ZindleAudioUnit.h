#pragma once

#include "extension/AUProcessHelper.h"
#include "extension/BufferedInputBus.h"
#include "extension/DSPKernel.h"

#include "Mossbell/MossAudioUnit.h"
#include "platform/audiounit/AudioBusArray.h"

#include <memory>

namespace zindle {

/// The effect as a host sees it: input bus 0 the voice (stereo), input bus 1 the side chain
/// that carries the synth carrier (mono), one stereo output, all at 44100 Hz until the host
/// changes them before allocation.
///
/// Threads: construction, the properties, allocation and setParameter run on the thread the
/// host or the user interface calls them on (the main thread for the user interface; the host's
/// parameter thread for setParameter too); the render block runs on the host's render thread
/// and touches only the kernel, the process helper and the buffered buses.
class ZindleAudioUnit final : public mossbell::MossAudioUnit {
public:
    /// Type "aufx", subtype "voco", manufacturer "Vart".
    static const au::ComponentDescription description;

    explicit ZindleAudioUnit(const au::ComponentDescription& componentDescription = description);
    ~ZindleAudioUnit() override;

    au::AudioBusArray& inputBusses() override { return inputs_; }
    au::AudioBusArray& outputBusses() override { return outputs_; }

    double latency() const override { return 0.02; }
    std::span<const au::ChannelCapability> channelCapabilities() const override;
    /// minimumSampleRate to maximumSampleRate: the rates hosts run effects at. The vocoder's
    /// windows and transforms grow with the rate, so a rate far beyond would cost gigabytes.
    std::optional<au::SampleRateRange> supportedSampleRates() const override;

    au::FrameCount maximumFramesToRender() const override { return kernel_.maxFramesToRender(); }
    void setMaximumFramesToRender(au::FrameCount frames) override { kernel_.setMaxFramesToRender(frames); }

    bool shouldBypassEffect() const override { return kernel_.bypass(); }
    void setShouldBypassEffect(bool bypass) override { kernel_.setBypass(bypass); }

    au::InternalRenderBlock internalRenderBlock() override { return processHelper_.makeRenderBlock(); }

    /// Any thread but the render thread: the value reaches the kernel's mirror at once and the
    /// vocoder at the start of the next render call.
    void setParameter(std::uint64_t address, float value) override;

    /// The render-side state; the user interface polls its masks, meters and value mirror.
    DSPKernel& kernel() { return kernel_; }
    const DSPKernel& kernel() const { return kernel_; }

    // Fixed settings handed to the kernel at every allocation.
    static constexpr bool voiceOnlyOutput = false;
    static constexpr float wetMix = 0.8f;
    static constexpr float dryMix = 0.0f;
    static constexpr float compressorRatio = 0.2f;
    static constexpr float compressorThreshold = -14.0f; // dB
    static constexpr float compressorAttackMs = 0.4f;
    static constexpr float compressorReleaseMs = 50.0f;

    static constexpr double defaultSampleRate = 44100.0;
    static constexpr double minimumSampleRate = 8000.0;
    static constexpr double maximumSampleRate = 768000.0;

protected:
    void doAllocateRenderResources() override;
    void doDeallocateRenderResources() override;

private:
    // The helper and the render block point at these three: they never move.
    DSPKernel kernel_;
    BufferedInputBus voiceBufferedBus_;
    BufferedInputBus sideBufferedBus_;
    AUProcessHelper processHelper_;
    std::shared_ptr<au::AudioBus> outputBus_;
    au::AudioBusArray inputs_;
    au::AudioBusArray outputs_;
};

} // namespace zindle

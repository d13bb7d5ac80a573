#pragma once

#include "platform/audiounit/AudioBusArray.h"
#include "platform/audiounit/ComponentDescription.h"
#include "platform/audiounit/RenderBlock.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace au {

class ParameterTree;

/// One accepted pairing of input and output channel counts. -1 means any count, and -1 on
/// both sides means the same count in and out; -2 on the output side with -1 on the input
/// side means any count in and any count out.
struct ChannelCapability {
    std::int32_t inputChannels;
    std::int32_t outputChannels;
};

/// The sample rates a unit runs at, both ends included.
struct SampleRateRange {
    double minimum;
    double maximum;

    bool contains(double rate) const { return rate >= minimum && rate <= maximum; }
};

/// The base of every effect as a host sees it: buses, latency, channel capabilities, render
/// limits and bypass, the allocation of render resources, the render block and the slot for
/// the parameter tree.
///
/// Threads: everything but the render block runs on the thread the host configures the unit
/// on (the main thread). The render block runs on the host's render thread. The base keeps
/// rendering and (de)allocation apart: while render resources are being allocated or
/// deallocated, or are not allocated, the render block refuses with status::uninitialized,
/// and allocation and deallocation wait for a render call in progress to return. Rendering
/// itself never waits (atomics only).
///
/// A unit is neither copied nor moved: render blocks refer to it by address.
class AudioUnit {
public:
    explicit AudioUnit(const ComponentDescription& description);
    virtual ~AudioUnit();

    AudioUnit(const AudioUnit&) = delete;
    AudioUnit& operator=(const AudioUnit&) = delete;

    const ComponentDescription& componentDescription() const { return description_; }

    virtual AudioBusArray& inputBusses() = 0;
    virtual AudioBusArray& outputBusses() = 0;

    /// Seconds by which the output lags the input.
    virtual double latency() const { return 0.0; }
    /// Empty: any channel counts.
    virtual std::span<const ChannelCapability> channelCapabilities() const { return {}; }

    /// The rates the unit runs at; empty: any rate. Its buses refuse a format at another rate,
    /// and so does allocation (for a bus the unit made at one), before the effect sees it.
    virtual std::optional<SampleRateRange> supportedSampleRates() const { return std::nullopt; }
    /// Throws au::Error with status::formatNotSupported when rate lies outside
    /// supportedSampleRates(), saying both.
    void checkSampleRate(double rate) const;

    /// The most frames one render call may ask for; set by the host before allocation.
    virtual FrameCount maximumFramesToRender() const { return maximumFramesToRender_; }
    virtual void setMaximumFramesToRender(FrameCount frames) { maximumFramesToRender_ = frames; }

    /// The host may switch bypass while rendering.
    virtual bool shouldBypassEffect() const { return bypass_.load(std::memory_order_relaxed); }
    virtual void setShouldBypassEffect(bool bypass) { bypass_.store(bypass, std::memory_order_relaxed); }

    /// Sets up rendering for the current bus formats and maximumFramesToRender, deallocating
    /// first when already allocated. Throws au::Error (or what the effect throws) on failure,
    /// leaving the unit deallocated: with status::formatNotSupported when a bus runs at a rate
    /// outside supportedSampleRates().
    void allocateRenderResources();
    /// Nothing when not allocated.
    void deallocateRenderResources();
    bool renderResourcesAllocated() const { return allocated_; }

    /// What the host calls to render: the effect's internal render block behind the
    /// allocation gate. Fetch it once; valid as long as the unit.
    const RenderBlock& renderBlock() const { return renderBlock_; }
    /// The effect's own render block; the base fetches it once, at the first allocation.
    virtual InternalRenderBlock internalRenderBlock() = 0;

    /// The unit's parameters as the host sees them; empty until the effect's settings install
    /// a tree.
    const std::shared_ptr<ParameterTree>& parameterTree() const { return parameterTree_; }
    void setParameterTree(std::shared_ptr<ParameterTree> tree) { parameterTree_ = std::move(tree); }

protected:
    /// The effect's share of allocation and deallocation, called while no render call can run.
    /// Allocation may throw; the unit then stays deallocated.
    virtual void doAllocateRenderResources() {}
    virtual void doDeallocateRenderResources() {}

private:
    Status render(RenderActionFlags& flags, const AudioTimeStamp& timestamp, FrameCount frameCount,
                  std::int64_t outputBusNumber, AudioBufferList* outputData, const RenderEvent* events,
                  PullInputBlock pullInput);
    void shutOutRendering();

    // Bit 31: render calls may enter; the bits below count the render calls inside.
    static constexpr std::uint32_t gateOpen = 0x8000'0000u;

    ComponentDescription description_;
    FrameCount maximumFramesToRender_ = 512;
    std::atomic<bool> bypass_{false};
    bool allocated_ = false;
    std::atomic<std::uint32_t> renderGate_{0};
    InternalRenderBlock internalBlock_;
    RenderBlock renderBlock_;
    std::shared_ptr<ParameterTree> parameterTree_;
};

} // namespace au

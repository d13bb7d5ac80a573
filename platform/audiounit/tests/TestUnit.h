#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/Error.h"

#include <atomic>
#include <functional>
#include <optional>

namespace au::test {

/// A minimal effect: one mono input, one mono output, a render block that records its calls
/// and runs an optional hook inside the call.
class TestUnit : public AudioUnit {
public:
    TestUnit()
        : AudioUnit({fourCharCode("aufx"), fourCharCode("test"), fourCharCode("Test")}),
          inputs_(*this, BusType::input, {std::make_shared<AudioBus>(AudioFormat::standard(44100.0, 1))}),
          outputs_(*this, BusType::output, {std::make_shared<AudioBus>(AudioFormat::standard(44100.0, 1))})
    {
    }

    AudioBusArray& inputBusses() override { return inputs_; }
    AudioBusArray& outputBusses() override { return outputs_; }
    std::optional<SampleRateRange> supportedSampleRates() const override { return rates; }

    InternalRenderBlock internalRenderBlock() override
    {
        ++blocksHandedOut;
        return [this](RenderActionFlags&, const AudioTimeStamp&, FrameCount, std::int64_t, AudioBufferList*,
                      const RenderEvent*, PullInputBlock) {
            renders.fetch_add(1);
            if (insideRender)
                insideRender();
            return status::ok;
        };
    }

    std::atomic<int> renders{0};
    int blocksHandedOut = 0;
    int allocations = 0;
    int deallocations = 0;
    bool failAllocation = false;
    std::optional<SampleRateRange> rates; // any rate when empty
    std::function<void()> insideRender;

protected:
    void doAllocateRenderResources() override
    {
        if (failAllocation)
            throw Error("no resources");
        ++allocations;
    }
    void doDeallocateRenderResources() override { ++deallocations; }

private:
    AudioBusArray inputs_;
    AudioBusArray outputs_;
};

/// Calls a unit's render block as a host would, with no buffers.
inline Status renderOnce(const AudioUnit& unit, FrameCount frames = 64)
{
    RenderActionFlags flags = 0;
    const AudioTimeStamp timestamp{};
    return unit.renderBlock()(flags, timestamp, frames, 0, nullptr, nullptr, nullptr);
}

} // namespace au::test

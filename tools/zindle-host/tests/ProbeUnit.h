#pragma once

#include "platform/audiounit/AudioBusArray.h"
#include "platform/audiounit/AudioFormat.h"
#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/Error.h"
#include "platform/audiounit/ParameterUnit.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace zindlehost::test {

// An effect that shows what a host did: output 0 is the voice (both channels summed) times a
// gain, output 1 the carrier. The gain follows parameter events at their samples; a value set
// from outside (as the tree's observer would) waits for the start of the next render call, as
// the real effect's kernel does. Every call is recorded unless recordCalls is off (a render
// thread of its own must not allocate, nor race a test that reads the record).
class ProbeUnit : public au::AudioUnit {
public:
    static constexpr au::ParameterAddress gainAddress = 3;

    ProbeUnit()
        : AudioUnit({au::fourCharCode("aufx"), au::fourCharCode("prob"), au::fourCharCode("Test")}),
          inputs_(*this, au::BusType::input,
                  {std::make_shared<au::AudioBus>(au::AudioFormat::standard(44100, 2)),
                   std::make_shared<au::AudioBus>(au::AudioFormat::standard(44100, 1))}),
          outputs_(*this, au::BusType::output, {std::make_shared<au::AudioBus>(au::AudioFormat::standard(44100, 2))})
    {
    }

    au::AudioBusArray& inputBusses() override { return inputs_; }
    au::AudioBusArray& outputBusses() override { return outputs_; }

    void setPendingGain(float gain) { pending_.store(gain); }

    au::InternalRenderBlock internalRenderBlock() override
    {
        return [this](au::RenderActionFlags& flags, const au::AudioTimeStamp& time, au::FrameCount frames,
                      std::int64_t, au::AudioBufferList* output, const au::RenderEvent* event,
                      au::PullInputBlock pull) -> au::Status {
            const long call = renderCalls.fetch_add(1) + 1;
            if (recordCalls)
                calls.emplace_back(static_cast<std::int64_t>(time.sampleTime), frames);
            if (failAtCall == call)
                return -1;
            if (const float pending = pending_.exchange(noValue); pending != noValue)
                gain_ = pending;
            au::AudioBuffer voiceBuffers[2] = {{1, frames * 4, voice_[0].data()}, {1, frames * 4, voice_[1].data()}};
            au::AudioBuffer carrierBuffer{1, frames * 4, carrier_.data()};
            au::AudioBufferList voice{2, voiceBuffers};
            au::AudioBufferList carrier{1, &carrierBuffer};
            if (const au::Status status = pull(flags, time, frames, 0, &voice); status != au::status::ok)
                return status;
            if (const au::Status status = pull(flags, time, frames, 1, &carrier); status != au::status::ok)
                return status;
            for (au::FrameCount i = 0; i < frames; ++i) {
                const auto now = static_cast<std::int64_t>(time.sampleTime) + i;
                for (; event && event->sampleTime <= now; event = event->next) {
                    if (recordCalls)
                        eventTimes.push_back(event->sampleTime);
                    if (event->parameterAddress == gainAddress)
                        gain_ = event->value;
                }
                output->buffers[0].data[i] = (voiceBuffers[0].data[i] + voiceBuffers[1].data[i]) * gain_;
                output->buffers[1].data[i] = carrierBuffer.data[i];
            }
            return au::status::ok;
        };
    }

    bool recordCalls = true;
    std::vector<std::pair<std::int64_t, au::FrameCount>> calls;
    std::vector<std::int64_t> eventTimes;
    std::atomic<long> renderCalls{0};
    long failAtCall = 0;
    bool refuseAllocation = false;
    int allocations = 0;

protected:
    void doAllocateRenderResources() override
    {
        if (refuseAllocation)
            throw au::Error("the probe refuses");
        ++allocations;
        for (auto& channel : voice_)
            channel.assign(maximumFramesToRender(), 0.0f);
        carrier_.assign(maximumFramesToRender(), 0.0f);
    }

private:
    static constexpr float noValue = -12345.0f;
    au::AudioBusArray inputs_;
    au::AudioBusArray outputs_;
    std::vector<float> voice_[2];
    std::vector<float> carrier_;
    float gain_ = 1.0f;
    std::atomic<float> pending_{noValue};
};

inline std::vector<float> ramp(std::size_t frames, float start)
{
    std::vector<float> x(frames);
    for (std::size_t i = 0; i < frames; ++i)
        x[i] = start + static_cast<float>(i);
    return x;
}

} // namespace zindlehost::test

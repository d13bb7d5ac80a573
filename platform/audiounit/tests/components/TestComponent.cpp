// A small loadable effect for the loader and validator tests: a stereo gain with a parameter
// tree. Built once per fault (ZINDLE_TEST_FAULT names one of Fault's values), so each test
// bundle shows exactly one defect.
#include "platform/audiounit/AudioBusArray.h"
#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/Error.h"
#include "platform/audiounit/ExtensionEntry.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/MainQueue.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>

namespace au::test {
namespace {

enum class Fault {
    none,              // a sound effect
    nan,               // writes NaN wherever its input is not silent
    ignoresFrameLimit, // renders more frames than its maximum
    mainThreadFactory, // creates its unit on the main thread, waiting for it (as real effects do)
    throwsOnCreate,    // refuses to create its unit
    denormalTail,      // adds an echo whose decaying tail turns denormal (nothing flushes it)
    absurdLimits,      // claims no frame limit at all and indexes values far from 0
    narrowRates,       // runs at 8000 to 48000 Hz only, and writes NaN at 8000 Hz
};
constexpr Fault fault = Fault::ZINDLE_TEST_FAULT;

constexpr std::uint32_t channels = 2;
constexpr std::uint32_t readWrite = parameterFlag::isReadable | parameterFlag::isWritable;

std::shared_ptr<AudioBus> stereoBus() { return std::make_shared<AudioBus>(AudioFormat::standard(44100.0, channels)); }

// Where this library's own code says it lives, so tests can see it is not the host's.
std::string ownBundleText()
{
    const auto bundle = foundation::Bundle::containing(reinterpret_cast<const void*>(&ownBundleText));
    return bundle ? bundle->bundlePath().string() + " " + bundle->shortVersionString().toStdString() : "none";
}

class GainUnit final : public AudioUnit {
public:
    GainUnit(const ComponentDescription& description, bool principalOnMainThread)
        : AudioUnit(description),
          inputs_(*this, BusType::input, {stereoBus()}),
          outputs_(*this, BusType::output, {stereoBus()})
    {
        outputs_[0].setName(ownBundleText());
        inputs_[0].setName(principalOnMainThread ? "principal made on the main thread"
                                                 : "principal made off the main thread");
        auto gain = ParameterTree::createParameter("gain", "Gain", 0, -60.0f, 6.0f, ParameterUnit::decibels, "dB",
                                                   readWrite, std::nullopt, std::nullopt);
        auto colour = ParameterTree::createParameter("colour", "Colour", 1, 0.0f, 2.0f, ParameterUnit::indexed, "",
                                                     readWrite, std::vector<std::string>{"Clean", "Warm", "Bright"},
                                                     std::nullopt);
        if (fault == Fault::absurdLimits) {
            // Far from 0, adding 1 to a float changes nothing: a validator counting by it never ends.
            colour = ParameterTree::createParameter("colour", "Colour", 1, 1e8f, 1e8f + 8.0f, ParameterUnit::indexed,
                                                    "", readWrite, std::nullopt, std::nullopt);
        }
        gain->setValue(0.0f);
        auto tree = ParameterTree::createTree({gain, colour});
        tree->setImplementorValueObserver([this](Parameter& parameter, AUValue value) {
            if (parameter.address() == 0)
                gain_.store(std::pow(10.0f, value / 20.0f), std::memory_order_relaxed);
        });
        setParameterTree(std::move(tree));
    }

    AudioBusArray& inputBusses() override { return inputs_; }
    AudioBusArray& outputBusses() override { return outputs_; }

    std::optional<SampleRateRange> supportedSampleRates() const override
    {
        if (fault == Fault::narrowRates)
            return SampleRateRange{lowestRate, 48000.0};
        return std::nullopt;
    }

    FrameCount maximumFramesToRender() const override
    {
        return fault == Fault::absurdLimits ? std::numeric_limits<FrameCount>::max() : AudioUnit::maximumFramesToRender();
    }

    InternalRenderBlock internalRenderBlock() override
    {
        return [this](RenderActionFlags& flags, const AudioTimeStamp& timestamp, FrameCount frames, std::int64_t,
                      AudioBufferList* output, const RenderEvent*, PullInputBlock pull) {
            return render(flags, timestamp, frames, output, pull);
        };
    }

protected:
    void doAllocateRenderResources() override
    {
        atLowestRate_ = fault == Fault::narrowRates && outputs_[0].format().sampleRate() == lowestRate;
    }

private:
    static constexpr double lowestRate = 8000.0;

    // Render thread.
    Status render(RenderActionFlags& flags, const AudioTimeStamp& timestamp, FrameCount frames,
                  AudioBufferList* output, PullInputBlock pull)
    {
        if (fault != Fault::ignoresFrameLimit && frames > maximumFramesToRender())
            return status::tooManyFramesToProcess;
        if (!pull)
            return status::noConnection;
        std::array<AudioBuffer, channels> buffers{};
        for (AudioBuffer& buffer : buffers)
            buffer = {1, frames * std::uint32_t(sizeof(float)), nullptr};
        AudioBufferList input{channels, buffers.data()};
        if (const Status status = pull(flags, timestamp, frames, 0, &input))
            return status;
        if (!output || output->numberBuffers < channels)
            return status::invalidProperty;
        const bool bypass = shouldBypassEffect();
        const float gain = bypass ? 1.0f : gain_.load(std::memory_order_relaxed);
        for (std::uint32_t channel = 0; channel < channels; ++channel) {
            const float* in = input.buffers[channel].data;
            float* out = output->buffers[channel].data;
            if (!in || !out)
                return status::invalidProperty;
            float& echo = echo_[channel];
            for (FrameCount i = 0; i < frames; ++i) {
                const bool poisoned = (fault == Fault::nan && in[i] != 0.0f) || atLowestRate_;
                out[i] = poisoned ? std::numeric_limits<float>::quiet_NaN() : in[i] * gain;
                if (fault == Fault::denormalTail && !bypass) {
                    echo = in[i] + 0.5f * echo;
                    out[i] += echo;
                }
            }
        }
        return status::ok;
    }

    AudioBusArray inputs_;
    AudioBusArray outputs_;
    std::atomic<float> gain_{1.0f};
    std::array<float, channels> echo_{}; // render thread only
    bool atLowestRate_ = false;          // set while the render thread is shut out
};

class TestPrincipal final : public ViewController {
public:
    TestPrincipal() : madeOnMainThread_(foundation::mainQueue::isMainThread()) {}

    std::shared_ptr<AudioUnit> createAudioUnit(const ComponentDescription& description) override
    {
        if (fault == Fault::throwsOnCreate)
            throw Error("the test component refuses to create its unit");
        std::shared_ptr<AudioUnit> unit;
        auto make = [&] { unit = std::make_shared<GainUnit>(description, madeOnMainThread_); };
        if (fault == Fault::mainThreadFactory)
            foundation::mainQueue::sync(make);
        else
            make();
        return unit;
    }

private:
    const bool madeOnMainThread_;
};

} // namespace
} // namespace au::test

au::ViewController* auExtensionCreatePrincipal()
{
    return new au::test::TestPrincipal;
}

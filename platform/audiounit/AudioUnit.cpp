#include "platform/audiounit/AudioUnit.h"

#include "platform/audiounit/Error.h"

#include <array>
#include <charconv>
#include <thread>

namespace au {

namespace {

// Plain digits, never an exponent: "2000000000", "44100.5".
std::string rateText(double rate)
{
    std::array<char, 400> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), rate, std::chars_format::fixed);
    return std::string(text.data(), result.ptr);
}

} // namespace

AudioUnit::AudioUnit(const ComponentDescription& description)
    : description_(description),
      renderBlock_([this](RenderActionFlags& flags, const AudioTimeStamp& timestamp, FrameCount frameCount,
                          std::int64_t outputBusNumber, AudioBufferList* outputData, const RenderEvent* events,
                          PullInputBlock pullInput) {
          return render(flags, timestamp, frameCount, outputBusNumber, outputData, events, pullInput);
      })
{
}

AudioUnit::~AudioUnit() = default;

void AudioUnit::shutOutRendering()
{
    renderGate_.fetch_and(~gateOpen, std::memory_order_acq_rel);
    // Only the configuring thread waits, and only for a render call already inside.
    while ((renderGate_.load(std::memory_order_acquire) & ~gateOpen) != 0)
        std::this_thread::yield();
}

void AudioUnit::checkSampleRate(double rate) const
{
    const std::optional<SampleRateRange> range = supportedSampleRates();
    if (range && !range->contains(rate))
        throw Error("the effect runs at " + rateText(range->minimum) + " to " + rateText(range->maximum)
                        + " Hz, not at " + rateText(rate) + " Hz",
                    status::formatNotSupported);
}

void AudioUnit::allocateRenderResources()
{
    shutOutRendering();
    if (allocated_) {
        allocated_ = false;
        doDeallocateRenderResources();
    }
    for (AudioBusArray* buses : {&inputBusses(), &outputBusses()})
        for (std::size_t bus = 0; bus < buses->count(); ++bus)
            checkSampleRate((*buses)[bus].format().sampleRate());
    doAllocateRenderResources();
    if (!internalBlock_)
        internalBlock_ = internalRenderBlock();
    allocated_ = true;
    renderGate_.fetch_or(gateOpen, std::memory_order_release);
}

void AudioUnit::deallocateRenderResources()
{
    if (!allocated_)
        return;
    shutOutRendering();
    allocated_ = false;
    doDeallocateRenderResources();
}

Status AudioUnit::render(RenderActionFlags& flags, const AudioTimeStamp& timestamp, FrameCount frameCount,
                         std::int64_t outputBusNumber, AudioBufferList* outputData, const RenderEvent* events,
                         PullInputBlock pullInput)
{
    struct Leave {
        std::atomic<std::uint32_t>& gate;
        ~Leave() { gate.fetch_sub(1, std::memory_order_release); }
    } leave{renderGate_};
    if ((renderGate_.fetch_add(1, std::memory_order_acquire) & gateOpen) == 0)
        return status::uninitialized;
    return internalBlock_(flags, timestamp, frameCount, outputBusNumber, outputData, events, pullInput);
}

} // namespace au

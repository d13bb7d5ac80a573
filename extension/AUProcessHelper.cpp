#include "extension/AUProcessHelper.h"

#include "platform/audiounit/ScopedFlushToZero.h"

#include <algorithm>
#include <cmath>

namespace zindle {

namespace {

// The time stamp's sample time, truncated toward zero; a host's NaN or out-of-range time
// must not reach an undefined conversion.
std::int64_t sampleTimeOf(const au::AudioTimeStamp& timestamp)
{
    const double time = timestamp.sampleTime;
    if (std::isnan(time))
        return 0;
    constexpr double limit = 9.2e18;
    return static_cast<std::int64_t>(std::clamp(time, -limit, limit));
}

// Frames from now until the event, 0 for an event that is due or late, at most remaining.
std::uint32_t framesUntil(const au::RenderEvent& event, std::int64_t now, std::uint32_t remaining)
{
    if (event.sampleTime <= now)
        return 0;
    const auto ahead = static_cast<std::uint64_t>(event.sampleTime) - static_cast<std::uint64_t>(now);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(ahead, remaining));
}

} // namespace

AUProcessHelper::AUProcessHelper(DSPKernel& kernel, BufferedInputBus& voiceBus, BufferedInputBus& sideBus)
    : kernel_(kernel), voiceBus_(voiceBus), sideBus_(sideBus)
{
}

void AUProcessHelper::configure(std::uint32_t voiceChannelCount, std::uint32_t sideChannelCount,
                                std::uint32_t outputChannelCount, std::uint32_t maxFrames)
{
    voiceChannelCount_ = voiceChannelCount;
    sideChannelCount_ = sideChannelCount;
    maxFrames_ = maxFrames;
    inputPointers_ = {};
    outputPointers_.assign(outputChannelCount, nullptr);
    // Sized for the longest request here, so the render thread never grows them.
    monoVoice_.assign(maxFrames, 0.0f);
    monoSide_.assign(maxFrames, 0.0f);
}

au::InternalRenderBlock AUProcessHelper::makeRenderBlock()
{
    return [this](au::RenderActionFlags& flags, const au::AudioTimeStamp& timestamp, au::FrameCount frameCount,
                  std::int64_t outputBusNumber, au::AudioBufferList* outputData, const au::RenderEvent* events,
                  au::PullInputBlock pullInput) {
        return render(flags, timestamp, frameCount, outputBusNumber, outputData, events, pullInput);
    };
}

// Checks, in this order: the buffers exist (uninitialized); frameCount within the maximum and
// within what was allocated (tooManyFramesToProcess); a pull block (noConnection); the pulls of
// bus 0, then bus 1 (their own status); an output list whose first buffer has data
// (invalidProperty). After a failed check nothing is written and no event is applied.
au::Status AUProcessHelper::render(au::RenderActionFlags&, const au::AudioTimeStamp& timestamp,
                                   au::FrameCount frameCount, std::int64_t, au::AudioBufferList* outputData,
                                   const au::RenderEvent* events, au::PullInputBlock pullInput)
{
    const au::ScopedFlushToZero flushToZero;

    if (!voiceBus_.isAllocated() || !sideBus_.isAllocated())
        return au::status::uninitialized;
    if (frameCount > kernel_.maxFramesToRender() || frameCount > maxFrames_)
        return au::status::tooManyFramesToProcess;
    if (!pullInput)
        return au::status::noConnection;

    au::RenderActionFlags pullFlags = 0;
    if (const au::Status status = voiceBus_.pullInput(pullFlags, timestamp, frameCount, 0, pullInput))
        return status;
    if (const au::Status status = sideBus_.pullInput(pullFlags, timestamp, frameCount, 1, pullInput))
        return status;

    if (!outputData || outputData->span().empty() || !outputData->buffers[0].data)
        return au::status::invalidProperty;

    processWithEvents(*voiceBus_.mutableBufferList(), *sideBus_.mutableBufferList(), *outputData, timestamp,
                      frameCount, events);
    return au::status::ok;
}

void AUProcessHelper::processWithEvents(const au::AudioBufferList& voice, const au::AudioBufferList& side,
                                        const au::AudioBufferList& output, const au::AudioTimeStamp& timestamp,
                                        std::uint32_t frameCount, const au::RenderEvent* event)
{
    kernel_.applyPendingParameters();
    if (frameCount == 0)
        return;

    std::int64_t now = sampleTimeOf(timestamp);
    std::uint32_t remaining = frameCount;
    while (remaining > 0) {
        if (!event) {
            processSegment(voice, side, output, remaining, frameCount - remaining);
            return;
        }
        // Samples before the event keep the old values. An event past the end of the buffer
        // only ends the last segment at the buffer's end.
        if (const std::uint32_t segment = framesUntil(*event, now, remaining); segment > 0) {
            processSegment(voice, side, output, segment, frameCount - remaining);
            remaining -= segment;
            now += segment;
        }
        event = processEventsUntil(now, event);
    }
    // Events beyond the buffer take effect after its last sample, in list order.
    for (; event; event = event->next)
        handleEvent(*event);
}

const au::RenderEvent* AUProcessHelper::processEventsUntil(std::int64_t now, const au::RenderEvent* event)
{
    do {
        handleEvent(*event);
        event = event->next;
    } while (event && event->sampleTime <= now);
    return event;
}

void AUProcessHelper::handleEvent(const au::RenderEvent& event)
{
    // Ramps and MIDI are not acted on.
    if (event.type == au::RenderEventType::parameter)
        kernel_.setParameter(event.parameterAddress, event.value, true);
}

void AUProcessHelper::processSegment(const au::AudioBufferList& voice, const au::AudioBufferList& side,
                                     const au::AudioBufferList& output, std::uint32_t count, std::uint32_t offset)
{
    float* voiceMono;
    if (voiceChannelCount_ <= 2) {
        voiceMono = foldToMono(voice, voiceChannelCount_, offset, count, monoVoice_.data(), 0);
        inputPointers_[1] = foldToMono(side, sideChannelCount_, offset, count, monoSide_.data(), 0);
    } else {
        // Three or more channels on bus 0: the side chain travels after the voice, and what
        // came in on bus 1 is not used.
        voiceMono = foldToMono(voice, 2, offset, count, monoVoice_.data(), 0);
        inputPointers_[1] = foldToMono(voice, voiceChannelCount_ - 2, offset, count, monoSide_.data(), 2);
    }
    // The vocoder works on the voice in place: never on samples an upstream handed back.
    if (voiceMono != monoVoice_.data() && !voiceBus_.ownsSamples(voiceMono)) {
        std::copy_n(voiceMono, count, monoVoice_.data());
        voiceMono = monoVoice_.data();
    }
    inputPointers_[0] = voiceMono;

    // Only as many output buffers as were allocated and the host brought, up to the first
    // without data.
    const auto buffers = output.span();
    const std::size_t available = std::min(outputPointers_.size(), buffers.size());
    std::size_t used = 0;
    for (; used < available && buffers[used].data; ++used)
        outputPointers_[used] = buffers[used].data + offset;

    kernel_.process(inputPointers_.data(), inputPointers_.size(), outputPointers_.data(), used, count);
}

float* AUProcessHelper::foldToMono(const au::AudioBufferList& list, std::uint32_t channelCount, std::uint32_t offset,
                                   std::uint32_t count, float* destination, std::uint32_t firstBuffer)
{
    const auto buffers = list.span();
    const std::uint32_t present = buffers.size() > firstBuffer ? std::uint32_t(buffers.size()) - firstBuffer : 0;
    const std::uint32_t channels = std::min(channelCount, present);
    if (channels == 0 || !buffers[firstBuffer].data) {
        // No channel: silence rather than no signal.
        std::fill_n(destination, count, 0.0f);
        return destination;
    }
    float* a = buffers[firstBuffer].data + offset;
    if (channels == 1 || !buffers[firstBuffer + 1].data)
        return a;
    if (count == 0)
        return destination;

    // A mono source on a stereo bus (the second channel digitally silent) keeps its full level.
    const float* b = buffers[firstBuffer + 1].data + offset;
    const bool secondActive = std::any_of(b, b + count, [](float x) { return std::fabs(x) > activityThreshold; });
    if (secondActive) {
        for (std::uint32_t i = 0; i < count; ++i)
            destination[i] = (a[i] + b[i]) * 0.5f;
    } else {
        std::copy_n(a, count, destination);
    }
    return destination;
}

} // namespace zindle

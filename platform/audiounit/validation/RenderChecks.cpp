#include "platform/audiounit/validation/RenderChecks.h"

#include "platform/audiounit/Error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace au::validation {

namespace {

constexpr std::array<double, 3> sampleRates{44100.0, 48000.0, 96000.0};
constexpr std::array<FrameCount, 3> fixedFrameCounts{1, 64, 512};
// What the validator, as a host, asks as the largest render call.
constexpr FrameCount requestedMaximumFrames = 4096;
// More frames per call than any host asks for: the unit misreports its limit (and a buffer of
// one frame more would wrap).
constexpr FrameCount implausibleMaximumFrames = FrameCount(1) << 20;
// Each render phase covers at least this much audio, and at least minimumCalls calls.
constexpr double phaseSeconds = 0.1;
constexpr std::size_t minimumCalls = 3;
// Frames per call at the ends of a unit's range.
constexpr FrameCount edgeFrames = 512;
// Samples that may differ this much still count as passed through unchanged.
constexpr float passThroughTolerance = 1e-6f;

std::string rangeText(const SampleRateRange& range)
{
    return number(range.minimum) + " to " + number(range.maximum) + " Hz";
}

// Just outside a unit's range, where an off-by-one limit shows.
double below(const SampleRateRange& range) { return range.minimum > 1.0 ? range.minimum - 1.0 : range.minimum / 2.0; }
double above(const SampleRateRange& range) { return range.maximum + 1.0; }

bool sane(const SampleRateRange& range)
{
    return std::isfinite(range.minimum) && std::isfinite(range.maximum) && range.minimum > 0.0
           && range.minimum <= range.maximum;
}

} // namespace

void RenderChecks::run()
{
    if (!guarded(report_, "maximum frames", [&] { checkMaximumFrames(); }) || maximumFrames_ == 0)
        return;
    std::optional<SampleRateRange> range;
    guarded(report_, "sample rates", [&] { range = unit_.supportedSampleRates(); });
    for (const double rate : sampleRates) {
        // A host does not ask a unit for a rate it says it does not run at.
        if (range && sane(*range) && !range->contains(rate)) {
            report_.note("(not rendered at " + number(rate) + " Hz: the unit runs at " + rangeText(*range) + ")");
            continue;
        }
        checkRendering(rate);
    }
    if (range)
        guarded(report_, "sample rates", [&] { checkSampleRates(*range); });
    guarded(report_, "deallocate", [&] { unit_.deallocateRenderResources(); });
}

void RenderChecks::checkMaximumFrames()
{
    unit_.setMaximumFramesToRender(requestedMaximumFrames);
    const FrameCount kept = unit_.maximumFramesToRender();
    const bool enough = kept >= fixedFrameCounts.back();
    const bool plausible = kept < implausibleMaximumFrames;
    const bool usable = enough && plausible;
    const std::string detail = "asked for " + std::to_string(requestedMaximumFrames)
                               + " frames per call, the unit keeps " + std::to_string(kept);
    const std::string fault = !enough ? ", fewer than the " + std::to_string(fixedFrameCounts.back()) + " a host needs"
                                      : ", more than any host asks for";
    report_.check(usable, "maximum frames", usable ? detail : detail + fault);
    maximumFrames_ = usable ? kept : 0;
}

void RenderChecks::checkRendering(double rate)
{
    const std::string at = number(rate) + " Hz";
    bool allocated = false;
    guarded(report_, "allocate " + at, [&] { allocated = allocate(rate, at); });
    if (!allocated)
        return;
    RenderHarness harness(unit_, maximumFrames_ + 1);

    std::vector<FrameCount> frameCounts(fixedFrameCounts.begin(), fixedFrameCounts.end());
    if (maximumFrames_ > frameCounts.back())
        frameCounts.push_back(maximumFrames_);
    for (const FrameCount frames : frameCounts) {
        const std::string name = "render " + at + ", " + counted(frames, "frame", "frames");
        guarded(report_, name, [&] { checkRenderPhases(harness, rate, frames, name); });
    }
    guarded(report_, "too many frames " + at, [&] { checkTooManyFrames(harness, at); });
    guarded(report_, "bypass " + at, [&] { checkBypass(harness, rate, at); });
    guarded(report_, "allocate/deallocate cycle " + at, [&] { checkCycle(harness, at); });
}

void RenderChecks::setRate(double rate)
{
    unit_.deallocateRenderResources();
    for (AudioBusArray* buses : {&unit_.inputBusses(), &unit_.outputBusses()}) {
        for (std::size_t bus = 0; bus < buses->count(); ++bus)
            (*buses)[bus].setFormat(AudioFormat::standard(rate, (*buses)[bus].format().channelCount()));
    }
}

bool RenderChecks::allocate(double rate, const std::string& at)
{
    setRate(rate);
    unit_.allocateRenderResources();
    const bool allocated = unit_.renderResourcesAllocated();
    report_.check(allocated, "allocate " + at,
                  allocated ? "every bus set to " + at + ", render resources allocated"
                            : "allocation returned but the unit says it is not allocated");
    return allocated;
}

// Silence from a fresh allocation, then noise, then silence again (where a decaying tail
// turns denormal if the effect lets it).
void RenderChecks::checkRenderPhases(RenderHarness& harness, double rate, FrameCount frames, const std::string& name)
{
    const RenderPhases phases = renderPhases(harness, rate, frames);
    if (phases.fault) {
        report_.fail(name, *phases.fault);
        return;
    }
    report_.pass(name, std::to_string(phases.calls) + " calls each of silence, noise and silence: output finite, no "
                           + "denormals (noise peak " + level(phases.noisePeak) + ")");
}

RenderChecks::RenderPhases RenderChecks::renderPhases(RenderHarness& harness, double rate, FrameCount frames)
{
    RenderPhases result;
    result.calls = std::max(minimumCalls, std::size_t(std::ceil(phaseSeconds * rate / frames)));
    const std::pair<Input, const char*> phases[] = {
        {Input::silence, "silence"}, {Input::noise, "noise"}, {Input::silence, "silence after noise"}};
    for (const auto& [input, phase] : phases) {
        for (std::size_t call = 0; call < result.calls; ++call) {
            const Status status = harness.render(frames, input);
            if (status != status::ok) {
                result.fault = std::string(phase) + ": call " + std::to_string(call + 1) + " returned status "
                               + std::to_string(status);
                return result;
            }
            for (std::size_t channel = 0; channel < harness.outputChannels(); ++channel) {
                const float* samples = harness.output(channel);
                for (FrameCount frame = 0; frame < frames; ++frame) {
                    if (auto fault = faultOf(samples[frame])) {
                        result.fault = std::string(phase) + ": output channel " + std::to_string(channel) + ", frame "
                                       + std::to_string(frame) + " of call " + std::to_string(call + 1) + " is "
                                       + *fault;
                        return result;
                    }
                    if (input == Input::noise)
                        result.noisePeak = std::max(result.noisePeak, std::fabs(samples[frame]));
                }
            }
        }
    }
    return result;
}

// The rates a unit states: it runs at both ends, and refuses the rates just beyond them as a
// format it does not support, when a bus is set to one or, at the latest, at allocation.
void RenderChecks::checkSampleRates(const SampleRateRange& range)
{
    const std::string name = "sample rates";
    if (!sane(range)) {
        report_.fail(name, "the unit states " + rangeText(range) + ", not a range of positive rates");
        return;
    }
    std::vector<std::string> faults;
    std::vector<double> ends{range.minimum};
    if (range.maximum != range.minimum)
        ends.push_back(range.maximum);
    for (const double rate : ends) {
        if (auto fault = edgeFault(rate))
            faults.push_back("at " + number(rate) + " Hz, " + *fault);
    }
    for (const double rate : {below(range), above(range)}) {
        if (auto fault = refusalFault(rate))
            faults.push_back(number(rate) + " Hz " + *fault);
    }
    const std::string stated = "the unit runs at " + rangeText(range);
    if (!faults.empty()) {
        report_.fail(name, stated + "; " + join(faults));
        return;
    }
    report_.pass(name, stated + "; rendered at both ends, " + number(below(range)) + " Hz and "
                           + number(above(range)) + " Hz refused as a format not supported ("
                           + std::to_string(status::formatNotSupported) + ")");
}

std::optional<std::string> RenderChecks::edgeFault(double rate)
{
    try {
        setRate(rate);
        unit_.allocateRenderResources();
    } catch (const std::exception& error) {
        return std::string("allocation threw: ") + error.what();
    }
    RenderHarness harness(unit_, maximumFrames_ + 1);
    const RenderPhases phases = renderPhases(harness, rate, std::min(edgeFrames, maximumFrames_));
    unit_.deallocateRenderResources();
    return phases.fault;
}

std::optional<std::string> RenderChecks::refusalFault(double rate)
{
    const auto refused = [](const Error& error) { return error.status() == status::formatNotSupported; };
    const std::string expected = " instead of format not supported (" + std::to_string(status::formatNotSupported) + ")";
    try {
        setRate(rate);
        unit_.allocateRenderResources();
    } catch (const Error& error) {
        if (refused(error))
            return std::nullopt;
        return std::string("refused with \"") + error.what() + "\"" + expected;
    } catch (const std::exception& error) {
        return std::string("refused with \"") + error.what() + "\"" + expected;
    }
    unit_.deallocateRenderResources();
    return "accepted, allocated and ready to render";
}

void RenderChecks::checkTooManyFrames(RenderHarness& harness, const std::string& at)
{
    const FrameCount frames = maximumFrames_ + 1;
    const Status status = harness.render(frames, Input::noise);
    const std::string asked = "asked for " + std::to_string(frames) + " frames (maximum "
                              + std::to_string(maximumFrames_) + "), the unit answered "
                              + std::to_string(status);
    const bool refused = status == status::tooManyFramesToProcess;
    report_.check(refused, "too many frames " + at,
                  refused ? asked + " (too many frames)"
                          : asked + " instead of " + std::to_string(status::tooManyFramesToProcess)
                                + " (too many frames)");
}

// Bypassed, output channel 0 carries input bus 0 unchanged (at once, or delayed by the
// unit's latency), and every other output channel some input bus unchanged.
void RenderChecks::checkBypass(RenderHarness& harness, double rate, const std::string& at)
{
    const std::string name = "bypass " + at;
    unit_.setShouldBypassEffect(true);
    if (!unit_.shouldBypassEffect()) {
        report_.fail(name, "the unit does not keep bypass on");
        return;
    }
    const FrameCount frames = std::min<FrameCount>(512, maximumFrames_);
    std::optional<std::string> fault;
    std::int64_t start = 0;
    // A unit may fade into bypass: only the last call is compared.
    for (int call = 0; call < 4 && !fault; ++call) {
        start = harness.sampleTime;
        if (const Status status = harness.render(frames, Input::noise); status != status::ok)
            fault = "call " + std::to_string(call + 1) + " returned status " + std::to_string(status);
    }
    const auto latencyFrames = static_cast<std::int64_t>(std::llround(unit_.latency() * rate));
    std::optional<std::int64_t> delay;
    for (std::size_t channel = 0; channel < harness.outputChannels() && !fault; ++channel) {
        std::optional<std::int64_t> found;
        const std::size_t buses = channel == 0 ? 1 : unit_.inputBusses().count();
        for (std::size_t bus = 0; bus < buses && !found; ++bus) {
            for (const std::int64_t shift : {std::int64_t(0), latencyFrames}) {
                if (carries(harness.output(channel), frames, bus, start - shift)) {
                    found = shift;
                    break;
                }
            }
        }
        if (!found)
            fault = channel == 0 ? "output channel 0 does not carry input bus 0 unchanged"
                                 : "output channel " + std::to_string(channel) + " carries no input unchanged";
        else if (channel == 0)
            delay = found;
    }
    unit_.setShouldBypassEffect(false);
    if (!fault && unit_.shouldBypassEffect())
        fault = "the unit does not turn bypass off again";
    if (fault) {
        report_.fail(name, *fault);
        return;
    }
    report_.pass(name, "output channel 0 carries input bus 0 unchanged"
                           + (*delay ? ", delayed by the latency (" + std::to_string(*delay) + " frames)"
                                     : std::string()));
}

bool RenderChecks::carries(const float* output, FrameCount frames, std::size_t bus, std::int64_t inputStart)
{
    for (FrameCount frame = 0; frame < frames; ++frame) {
        const std::int64_t index = inputStart + frame;
        const float expected = index < 0 ? 0.0f : RenderHarness::noiseInput(bus, index);
        if (!(std::fabs(output[frame] - expected) <= passThroughTolerance))
            return false;
    }
    return true;
}

void RenderChecks::checkCycle(RenderHarness& harness, const std::string& at)
{
    const std::string name = "allocate/deallocate cycle " + at;
    unit_.deallocateRenderResources();
    if (unit_.renderResourcesAllocated()) {
        report_.fail(name, "the unit still says it is allocated after deallocation");
        return;
    }
    if (const Status status = harness.render(64, Input::noise); status == status::ok) {
        report_.fail(name, "a render call after deallocation succeeded");
        return;
    }
    unit_.allocateRenderResources();
    const Status status = harness.render(64, Input::noise);
    unit_.deallocateRenderResources();
    report_.check(status == status::ok, name,
                  status == status::ok
                      ? "deallocated (render refused), allocated again and rendered"
                      : "after allocating again, rendering returned status " + std::to_string(status));
}

} // namespace au::validation

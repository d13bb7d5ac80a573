#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/validation/RenderHarness.h"
#include "platform/audiounit/validation/ReportWriter.h"

#include <optional>
#include <string>

namespace au::validation {

/// The unit at work: the maximum frames it keeps, then at each of the validator's sample
/// rates allocation, rendering silence, noise and silence again at several frame counts, a
/// call beyond the maximum, bypass and a deallocate / allocate cycle; then, for a unit that
/// states the rates it runs at, rendering at both ends of that range and its refusal of the
/// rates just beyond (the validator's rates outside the range are not tried). The unit is left
/// deallocated.
class RenderChecks {
public:
    RenderChecks(AudioUnit& unit, ReportWriter& report) : unit_(unit), report_(report) {}

    void run();

private:
    void checkMaximumFrames();
    void checkRendering(double rate);
    /// Every bus at rate, the unit deallocated first.
    void setRate(double rate);
    bool allocate(double rate, const std::string& at);
    void checkRenderPhases(RenderHarness& harness, double rate, FrameCount frames, const std::string& name);

    /// Silence from a fresh allocation, then noise, then silence again, each phase in calls of
    /// frames frames; the first fault ends it.
    struct RenderPhases {
        std::size_t calls = 0;
        float noisePeak = 0.0f;
        std::optional<std::string> fault;
    };
    RenderPhases renderPhases(RenderHarness& harness, double rate, FrameCount frames);

    void checkSampleRates(const SampleRateRange& range);
    std::optional<std::string> edgeFault(double rate);
    std::optional<std::string> refusalFault(double rate);
    void checkTooManyFrames(RenderHarness& harness, const std::string& at);
    void checkBypass(RenderHarness& harness, double rate, const std::string& at);
    static bool carries(const float* output, FrameCount frames, std::size_t bus, std::int64_t inputStart);
    void checkCycle(RenderHarness& harness, const std::string& at);

    AudioUnit& unit_;
    ReportWriter& report_;
    FrameCount maximumFrames_ = 0;
};

} // namespace au::validation

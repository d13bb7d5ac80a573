#pragma once

#include "platform/audiounit/AudioUnit.h"
#include "platform/audiounit/ComponentManifest.h"
#include "platform/audiounit/validation/ReportWriter.h"

namespace au::validation {

/// What a host asks an effect before it renders: the unit's description, its buses and their
/// formats, its channel capabilities and its latency.
class BusChecks {
public:
    BusChecks(AudioUnit& unit, const ComponentManifest& manifest, ReportWriter& report)
        : unit_(unit), manifest_(manifest), report_(report)
    {
    }

    /// Runs the checks in order; false when the unit lacks input bus 0 or output bus 0, so
    /// that nothing further can be asked of it (the formats and later checks are not run).
    bool run();

private:
    void checkDescription();
    bool checkBuses();
    void checkFormats();
    void checkChannelCapabilities();
    void checkLatency();

    AudioUnit& unit_;
    const ComponentManifest& manifest_;
    ReportWriter& report_;
};

} // namespace au::validation

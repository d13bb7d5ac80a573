#pragma once

#include "tools/zindle-host/ParameterArguments.h"

#include "platform/audiounit/RenderBlock.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace zindlehost {

struct Console;

/// What `zindle-host render` was asked to do.
struct RenderOptions {
    std::filesystem::path voice;
    std::filesystem::path carrier;
    std::filesystem::path output;
    std::vector<ParameterAssignment> settings; // applied in this order
    std::vector<AutomationLane> automation;
    au::FrameCount blockSize = 512;
};

/// Levels and shape of one signal of a render.
struct SignalReport {
    std::filesystem::path path;
    double sampleRate = 0.0;
    std::size_t channels = 0;
    std::size_t frames = 0;
    double peakDb = 0.0;
    double rmsDb = 0.0;
};

/// What a render did, for the summary.
struct RenderSummary {
    SignalReport voice;
    SignalReport carrier;
    bool carrierResampled = false;
    bool carrierLooped = false;
    SignalReport output;
    double renderSeconds = 0.0;  // the render calls and the writing of the output
    double totalSeconds = 0.0;   // reading, loading the effect, rendering, writing
};

/// Renders options.voice against options.carrier through the installed effect, with the
/// settings and automation, into options.output (which appears whole or not at all). A progress
/// bar goes to console.err when console.progress. Throws HostError; usage, before anything is
/// read, when the output is one of the inputs (the same file by any name). Main thread.
RenderSummary renderFiles(const RenderOptions& options, const Console& console);

/// The summary as `zindle-host render` prints it.
void printSummary(std::ostream& out, const RenderSummary& summary);

} // namespace zindlehost

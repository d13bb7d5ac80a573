#pragma once

#include "platform/audiounit/ComponentDescription.h"
#include "platform/audiounit/ComponentManifest.h"

#include <any>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace au {

/// The outcome of a validation, with the platform's values.
enum class ValidationResult : std::uint32_t {
    unknown = 0,
    passed = 1,
    failed = 2,
    timedOut = 3,
    unauthorizedOpen = 4, // not produced here: every installed component may be opened
    unauthorizedInit = 5, // not produced here
};

struct ValidationOptions {
    /// The "ForceValidation" option: validate even when this process already validated the
    /// same, unchanged library file; false reuses that earlier report.
    bool forceValidation = false;
    /// validateWithResults gives up waiting after this long and reports timedOut.
    std::chrono::milliseconds timeout{60'000};
};

/// The report of one validation: the result and the report lines (one per check, "PASS  ..."
/// or "FAIL  ...", then a verdict line).
struct ValidationReport {
    ValidationResult result = ValidationResult::unknown;
    std::vector<std::string> output;
};

/// What validateWithResults hands its handler beside the result: at least the entry "Output"
/// (validationOutputKey), a std::vector<std::string> of the report lines. Absent only when
/// no report was made.
using ValidationResults = std::map<std::string, std::any>;
inline constexpr const char* validationOutputKey = "Output";

/// Validates the component as a host would use it: opens it (library, principal, Audio
/// Unit), has the effect read the resources its view will read (where it checks them: see
/// ViewController::checkResources), then checks its description, buses and formats, channel capabilities, latency, its
/// parameter tree (ranges, flags, defaults, value strings, text round trips), and renders
/// silence and noise at 44100, 48000 and 96000 Hz with 1, 64, 512 and the maximum frames per
/// call through allocate / render / deallocate cycles, including a request beyond the maximum
/// and bypass. Output must stay free of NaN, infinity and denormals.
///
/// Runs on the calling thread and writes each report line to out as it is made. A component
/// that cannot be loaded gives a failed result whose report says why; nothing is thrown for a
/// faulty component. The principal may need the main thread to create its unit (it dispatches
/// there synchronously): call this on the main thread, or off it while the main thread runs
/// its event loop.
ValidationReport validateComponent(const ComponentManifest& manifest, const ValidationOptions& options = {},
                                   std::ostream& out = std::cout);

/// The same for the first component a default ComponentRegistry finds for description; a
/// failed result saying so when there is none.
ValidationReport validateComponent(const ComponentDescription& description, const ValidationOptions& options = {},
                                   std::ostream& out = std::cout);

/// Called exactly once per validateWithResults, on a thread of the validator's (never the
/// caller's): results is absent only if no report exists.
using ValidationHandler = std::function<void(ValidationResult result, std::optional<ValidationResults> results)>;

/// Starts validateComponent(manifest, options) on a worker thread and returns at once. The
/// handler gets the result and the results with "Output"; if the validation has not
/// finished within options.timeout, it gets timedOut and the lines made so far, and the late
/// finish is dropped. Nothing is printed. The principal may dispatch to the main thread
/// synchronously: a caller on the main thread must keep its event loop running until the
/// handler has been called (await it, do not block on it).
void validateWithResults(const ComponentManifest& manifest, const ValidationOptions& options,
                         ValidationHandler handler);

} // namespace au

#pragma once

#include "platform/audiounit/ComponentManifest.h"
#include "platform/audiounit/Status.h"
#include "platform/audiounit/Validator.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <ostream>

namespace au {

/// How long a validation in a child process may take before the child is stopped.
inline constexpr std::chrono::milliseconds defaultChildValidationTimeout{30'000};

struct ChildValidationOptions {
    /// The "ForceValidation" option, handed to the child (a fresh process has validated
    /// nothing before, so it changes nothing there).
    bool forceValidation = true;
    /// After this long the child is stopped and the result is timedOut.
    std::chrono::milliseconds timeout = defaultChildValidationTimeout;
    /// The validator program (see validation_service::run).
    std::filesystem::path validatorProgram = defaultValidatorProgram();

    /// "zindle-validator" beside the running program: <root>/bin in the build tree and in an
    /// install prefix alike.
    static std::filesystem::path defaultValidatorProgram();
};

/// Validates manifest's component the way validateComponent does, but in a child process, so
/// that an effect that crashes or hangs cannot take the caller with it. The child runs the
/// validator program in a process group of its own; each report line it makes reaches out as
/// it arrives. The verdict is the child's when it gives one. Otherwise the report ends with a
/// "FAIL  process" line saying why and a verdict line:
///   - the child died on a signal: failed, "Verdict: Validation probably crashed";
///   - it exited without a verdict: failed;
///   - it did not finish within options.timeout: timedOut, "Verdict: TIMED OUT";
///   - the program could not be started: failed.
/// Whatever happens, when this returns the child's whole process group has been killed and
/// the child reaped: no process is left behind. Blocks the calling thread (not the main thread's
/// event loop: the child needs nothing of this process). Any thread; the thread must stay
/// until this returns, since the child is bound to it.
ValidationReport validateInChildProcess(const ComponentManifest& manifest, const ChildValidationOptions& options,
                                        std::ostream& out = std::cout);

/// The status validateInChildProcessWithResults returns when the validator program cannot be
/// started (the handler is not called then).
namespace status {
inline constexpr Status validatorUnavailable = -66745;
} // namespace status

/// Starts validateInChildProcess on a thread of its own and returns at once. When the child
/// started, returns status::ok and calls handler exactly once, on that thread, with the result
/// and the results holding "Output" (every report line, the runner's own included); nothing
/// is printed. When the validator program cannot be started, returns
/// status::validatorUnavailable and never calls handler. Any thread.
Status validateInChildProcessWithResults(const ComponentManifest& manifest, const ChildValidationOptions& options,
                                         ValidationHandler handler);

} // namespace au

#pragma once

#include <stdexcept>
#include <string>

namespace zindlehost {

/// The exit status of a command; the numbers are what `zindle-host --help` documents.
enum class ExitCode : int {
    success = 0,
    failed = 1,       // the command ran and its answer is no (validation did not pass), or show
                      // has no window or cannot play
    usage = 2,        // bad command line, unknown parameter, bad value, bad automation
    inputFile = 3,    // a missing, unreadable or unsupported input file
    outputFile = 4,   // the output cannot be written
    effect = 5,       // the effect is not installed, does not load or fails to render
};

/// A failure to report as one line and an exit status.
class HostError : public std::runtime_error {
public:
    HostError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}

    ExitCode code() const { return code_; }

private:
    ExitCode code_;
};

} // namespace zindlehost

#pragma once

#include "platform/audiounit/ComponentManifest.h"
#include "platform/audiounit/Validator.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The validator program's side of a validation in a child process (the runner's side is
/// ValidationProcess.h): how the runner names the component on the program's command line,
/// what the program writes back, and the program's main.
///
/// The program validates one component with validateComponent on its main thread and writes
/// to the descriptor it is given, unbuffered, one message a line: "L <report line>" as each
/// report line is made, then "R <result number>" once the verdict is in. A child that dies or
/// hangs has written every line it made before; one that never writes "R" has no verdict.
namespace au::validation_service {

/// The descriptor the runner hands the program for its messages.
inline constexpr int reportDescriptor = 3;

/// The program's arguments after its name: everything of manifest, the force option and the
/// runner's process id (the program stops when that process is gone).
std::vector<std::string> arguments(const ComponentManifest& manifest, bool forceValidation, long runnerProcess);

/// Reads the messages back from the bytes as they arrive, in any pieces.
class MessageReader {
public:
    /// line is called for every report line, in order.
    explicit MessageReader(std::function<void(std::string line)> line) : line_(std::move(line)) {}

    void add(std::string_view bytes);
    /// The verdict, once its message came.
    const std::optional<ValidationResult>& result() const { return result_; }

private:
    void take(std::string_view message);

    std::function<void(std::string)> line_;
    std::string pending_;
    std::optional<ValidationResult> result_;
};

/// The validator program's main: validates the component its arguments name and writes the
/// messages to reportDescriptor. Returns 0 once the verdict is written, 2 for a command line
/// it cannot read (saying why on standard error). Needs a QCoreApplication (an effect's
/// principal may use the main queue and timers; the program makes a QGuiApplication on the
/// offscreen platform, so that an effect may also read its fonts); never runs its event loop,
/// so nothing an effect queues meanwhile (an update check, say) runs.
int run(const std::vector<std::string>& arguments);

} // namespace au::validation_service

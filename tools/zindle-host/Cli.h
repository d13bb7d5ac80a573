#pragma once

#include "tools/zindle-host/Console.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zindlehost {

class HostError;
class ShowSession;

/// What `zindle-host show` runs once its session plays: shows the effect's view in a window
/// and runs the event loop until the window closes; returns the exit status. Main thread, with
/// a QApplication.
using ShowWindow = std::function<int(ShowSession& session, const Console& console)>;

/// Runs one `zindle-host` command line (the arguments after the program name) and returns
/// its exit status (see ExitCode; `zindle-host help` lists them). Errors are reported as one
/// line on console.err. `show` needs showWindow; without one it fails. Main thread, with a
/// QCoreApplication (an effect's principal and model live on the main thread).
int run(const std::vector<std::string>& arguments, const Console& console, const ShowWindow& showWindow = {});

/// Checks the options of a `show` command line (arguments as for run) before a display is
/// opened: bad ones are reported as run reports them, and their exit status returned; nothing
/// when they are good. Any thread.
std::optional<int> checkShowArguments(const std::vector<std::string>& arguments, const Console& console);

/// Reports error on console.err as one line, as run does, and returns its exit status.
int report(const Console& console, const HostError& error);

/// The text of `zindle-host help`.
std::string helpText();

} // namespace zindlehost

#pragma once

#include "tools/zindle-host/Console.h"

#include <functional>
#include <string>
#include <vector>

namespace zindlehost {

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

/// The text of `zindle-host help`.
std::string helpText();

} // namespace zindlehost

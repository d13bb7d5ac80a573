#pragma once

#include "tools/zindle-host/Console.h"

#include <string>
#include <vector>

namespace zindlehost {

/// Runs one `zindle-host` command line (the arguments after the program name) and returns
/// its exit status (see ExitCode; `zindle-host help` lists them). Errors are reported as one
/// line on console.err. Main thread, with a QCoreApplication (an effect's principal and model
/// live on the main thread).
int run(const std::vector<std::string>& arguments, const Console& console);

/// The text of `zindle-host help`.
std::string helpText();

} // namespace zindlehost

#pragma once

#include <string_view>

namespace foundation {

/// Stops the process for a programming error or a missing resource: prints
/// "Fatal error: <message>: file <source>, line <line>" to standard error and aborts.
/// Any thread.
[[noreturn]] void fatalError(std::string_view message, std::string_view source, int line = 0);

} // namespace foundation

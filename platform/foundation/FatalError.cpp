#include "platform/foundation/FatalError.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace foundation {

void fatalError(std::string_view message, std::string_view source, int line)
{
    std::string text = "Fatal error: " + std::string(message) + ": file " + std::string(source);
    if (line > 0)
        text += ", line " + std::to_string(line);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace foundation

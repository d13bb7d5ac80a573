#pragma once

#include "platform/foundation/MainQueue.h"

#include <string_view>

namespace shaderview {

/// Views, renderers and their controllers belong to the main thread; reaching them from any
/// other thread is a programming error.
inline void requireMainThread(std::string_view source, int line)
{
    foundation::mainQueue::requireMainThread("called off the main thread", source, line);
}

} // namespace shaderview

#include "Tarnkit/Foundation/ControlSize.h"

#include "platform/foundation/FatalError.h"

#include <string>

namespace tarnkit {

namespace {

[[noreturn]] void unhandled(std::uint32_t raw, int line)
{
    foundation::fatalError("Unhandled control size: " + std::to_string(raw), "Tarnkit/NSControl+Combine", line);
}

} // namespace

ViewControlSize viewControlSize(ControlSize size)
{
    switch (size) {
    case ControlSize::regular:
        return ViewControlSize::regular;
    case ControlSize::small:
        return ViewControlSize::small;
    case ControlSize::mini:
        return ViewControlSize::mini;
    case ControlSize::large:
    case ControlSize::extraLarge:
        return ViewControlSize::large;
    }
    unhandled(static_cast<std::uint32_t>(size), __LINE__);
}

ControlSize controlSize(ViewControlSize size)
{
    switch (size) {
    case ViewControlSize::regular:
        return ControlSize::regular;
    case ViewControlSize::small:
        return ControlSize::small;
    case ViewControlSize::mini:
        return ControlSize::mini;
    case ViewControlSize::large:
    case ViewControlSize::extraLarge:
        return ControlSize::large;
    }
    unhandled(static_cast<std::uint32_t>(size), __LINE__);
}

} // namespace tarnkit

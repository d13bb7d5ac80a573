#pragma once

#include <cstdint>

namespace tarnkit {

/// The size class of a styled control, by raw value.
enum class ControlSize : std::uint32_t {
    regular = 0,
    small = 1,
    mini = 2,
    large = 3,
    extraLarge = 4,
};

/// The size classes of the view-layer (declarative) components.
enum class ViewControlSize : std::uint32_t {
    mini,
    small,
    regular,
    large,
    extraLarge,
};

/// regular, small, mini and large map to themselves; extraLarge to large. A raw value outside
/// the enumeration is a programming error ("Unhandled control size: <value>").
ViewControlSize viewControlSize(ControlSize size);
/// The way back: extraLarge maps to large, the others to themselves. A value outside the
/// enumeration is a programming error.
ControlSize controlSize(ViewControlSize size);

} // namespace tarnkit

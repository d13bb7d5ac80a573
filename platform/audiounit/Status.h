#pragma once

#include <cstdint>

namespace au {

/// Result of a render call or a pull of an input: 0 for success, else one of the codes below
/// (or whatever an upstream pull block returned, passed on unchanged).
using Status = std::int32_t;

namespace status {
inline constexpr Status ok = 0;
/// The host asked for more frames than the unit was allocated for.
inline constexpr Status tooManyFramesToProcess = -10874;
/// The render call came without a way to pull its inputs.
inline constexpr Status noConnection = -10876;
/// The render call came without usable output buffers.
inline constexpr Status invalidProperty = -10879;
/// The unit was asked to render while its render resources were not allocated.
inline constexpr Status uninitialized = -10867;
/// The unit does not run at the format asked of it (a sample rate outside its range).
inline constexpr Status formatNotSupported = -10868;
} // namespace status

} // namespace au

#pragma once

#include "platform/foundation/Bundle.h"

namespace tarnkit {

/// The library's resource bundle "Tarnkit_Tarnkit.bundle", found once on first use: in the
/// main bundle's resource directory, then in the resource directory of the bundle holding
/// this library's code, then in the main bundle's own directory. Stops the process with
/// "unable to find bundle named Tarnkit_Tarnkit" when none holds it. Any thread.
const foundation::Bundle& moduleBundle();

/// The reference every resource constant is made with: the same object as moduleBundle(),
/// taken once. Any thread.
const foundation::Bundle& resourceBundle();

} // namespace tarnkit

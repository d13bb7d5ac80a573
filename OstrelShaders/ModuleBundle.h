#pragma once

#include "platform/foundation/Bundle.h"

namespace ostrelshaders {

/// The shader module's resource bundle "OstrelShaders_OstrelShaders.bundle" (its shader
/// library and artwork), found on first use and kept for the life of the process. Stops the
/// process with "unable to find bundle named OstrelShaders_OstrelShaders" when no candidate
/// place holds it. Any thread.
const foundation::Bundle& moduleBundle();

} // namespace ostrelshaders

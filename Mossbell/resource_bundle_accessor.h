#pragma once

#include "platform/foundation/Bundle.h"

namespace mossbell {

/// The directory name of the framework's resource bundle.
inline constexpr const char* resourceBundleName = "Mossbell_Mossbell.bundle";

/// The framework's resource bundle "Mossbell_Mossbell.bundle", found once on first use: in the
/// main bundle's resource directory, then in the resource directory of the bundle holding the
/// framework's code (the plug-in's own bundle, when the framework is linked into a plug-in),
/// then in the main bundle's own directory. Stops the process with "unable to find bundle named
/// Mossbell_Mossbell" when none holds it. Any thread.
const foundation::Bundle& moduleBundle();

/// The same lookup, made afresh, without the stop: for a check that reports a missing bundle.
/// Any thread.
foundation::ModuleBundleLookup lookUpModuleBundle();

} // namespace mossbell

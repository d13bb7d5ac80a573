#pragma once

#include "platform/foundation/Bundle.h"

namespace zindle {

/// Marks the extension's code: the bundle holding it is the one asked for the extension's
/// resources.
class ResourceBundleClass {};

/// The directory name of the extension's resource bundle.
inline constexpr const char* resourceBundleName = "zindleExtension_zindleExtension.bundle";

/// The extension's resource bundle, found once on first use: in the main bundle's resource
/// directory, then in the resource directory of the bundle holding the extension's code (the
/// plug-in bundle, when a host outside our tree loads it), then in the main bundle's own
/// directory. Stops the process with "unable to find bundle named
/// zindleExtension_zindleExtension" when none holds it. Any thread.
const foundation::Bundle& resourceBundle();

/// The same lookup, made afresh, without the stop: for a check that reports a missing bundle.
/// Any thread.
foundation::ModuleBundleLookup lookUpResourceBundle();

} // namespace zindle

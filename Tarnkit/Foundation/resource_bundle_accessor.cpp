#include "Tarnkit/Foundation/resource_bundle_accessor.h"

namespace tarnkit {

namespace {

// Any symbol of this library: asking which bundle holds it finds the library's own bundle.
const char bundleFinder = 0;

} // namespace

const foundation::Bundle& moduleBundle()
{
    static const foundation::Bundle bundle = foundation::findModuleBundle(
        QStringLiteral("Tarnkit_Tarnkit.bundle"), &bundleFinder, "Tarnkit/resource_bundle_accessor", 44);
    return bundle;
}

const foundation::Bundle& resourceBundle()
{
    static const foundation::Bundle& bundle = moduleBundle();
    return bundle;
}

} // namespace tarnkit

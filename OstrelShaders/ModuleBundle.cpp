#include "OstrelShaders/ModuleBundle.h"

namespace ostrelshaders {

namespace {
// Marks this module's code, so the bundle holding it can be asked for.
const char bundleFinder = 0;
} // namespace

const foundation::Bundle& moduleBundle()
{
    static const foundation::Bundle bundle = foundation::findModuleBundle(
        QStringLiteral("OstrelShaders_OstrelShaders.bundle"), &bundleFinder, "OstrelShaders/resource_bundle_accessor", __LINE__);
    return bundle;
}

} // namespace ostrelshaders

#include "extension/ResourceBundleClass.h"

namespace zindle {

namespace {

// Lives in the extension's code: asking which bundle holds it finds the plug-in's bundle.
const ResourceBundleClass bundleMarker{};

} // namespace

const foundation::Bundle& resourceBundle()
{
    static const foundation::Bundle bundle =
        foundation::findModuleBundle(QString::fromLatin1(resourceBundleName), &bundleMarker, __FILE__, __LINE__);
    return bundle;
}

foundation::ModuleBundleLookup lookUpResourceBundle()
{
    return foundation::lookUpModuleBundle(QString::fromLatin1(resourceBundleName), &bundleMarker);
}

} // namespace zindle

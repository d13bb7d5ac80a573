#include "Mossbell/resource_bundle_accessor.h"

namespace mossbell {

namespace {

// Exists only to be asked which bundle holds the framework's code.
class BundleFinder {};
const BundleFinder bundleFinder{};

} // namespace

const foundation::Bundle& moduleBundle()
{
    static const foundation::Bundle bundle = foundation::findModuleBundle(
        QString::fromLatin1(resourceBundleName), &bundleFinder, "Mossbell/resource_bundle_accessor.cpp", __LINE__);
    return bundle;
}

foundation::ModuleBundleLookup lookUpModuleBundle()
{
    return foundation::lookUpModuleBundle(QString::fromLatin1(resourceBundleName), &bundleFinder);
}

} // namespace mossbell

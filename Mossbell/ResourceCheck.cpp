#include "Mossbell/ResourceCheck.h"

#include "Mossbell/AssetTable.h"
#include "Mossbell/MossFont.h"
#include "Mossbell/resource_bundle_accessor.h"

#include "platform/assets/AssetCatalog.h"

#include <QGuiApplication>

namespace mossbell {

au::ResourceCheck checkResourceBundle(const QString& bundleName, const foundation::ModuleBundleLookup& lookup,
                                      const AssetNames& names)
{
    au::ResourceCheck check;
    check.checked = bundleName.toStdString();
    if (!lookup.bundle) {
        std::string searched;
        for (const auto& directory : lookup.searched)
            searched += (searched.empty() ? "" : ", ") + directory.string();
        check.faults.push_back(bundleName.toStdString() + " is missing: it is in none of " + searched);
        return check;
    }
    const assets::AssetCatalog catalog(lookup.bundle->bundlePath());
    for (const QString& fault : catalog.faults(names.colors, names.images))
        check.faults.push_back(fault.toStdString());
    check.checked += ": " + std::to_string(names.colors.size()) + " colours, " + std::to_string(names.images.size())
                     + " images";
    return check;
}

au::ResourceCheck checkResources()
{
    const foundation::ModuleBundleLookup lookup = lookUpModuleBundle();
    au::ResourceCheck check = checkResourceBundle(QString::fromLatin1(resourceBundleName), lookup,
                                                  assetNames(allColorAssets, allImageAssets, allDialStrips, 1));
    // Without the bundle the fonts cannot be looked for (and asking would stop the process).
    if (!lookup.bundle)
        return check;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        check.checked += ", fonts not registered (no GUI application)";
        return check;
    }
    for (const QString& fault : fontFaults())
        check.faults.push_back(fault.toStdString());
    check.checked += ", " + std::to_string(allMossFonts.size()) + " fonts";
    return check;
}

void merge(au::ResourceCheck& check, const au::ResourceCheck& other)
{
    check.checked += (check.checked.empty() ? "" : "; ") + other.checked;
    check.faults.insert(check.faults.end(), other.faults.begin(), other.faults.end());
}

} // namespace mossbell

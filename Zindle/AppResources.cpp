#include "Zindle/AppResources.h"

#include "platform/assets/AssetCatalog.h"
#include "platform/foundation/FatalError.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace zindleapp {

namespace {

// Lives in the application's code: asking which bundle holds it finds the application's.
const ResourceBundleClass bundleMarker{};

} // namespace

const foundation::Bundle& resourceBundle()
{
    static const foundation::Bundle bundle = foundation::findModuleBundle(
        QString::fromLatin1(resourceBundleName), &bundleMarker, "Zindle/resource_bundle_accessor", __LINE__);
    return bundle;
}

#define ZINDLE_APP_DEFINE(id, ...)                                                                                     \
    const mossbell::ColorResource& ColorResource::id()                                                                 \
    {                                                                                                                  \
        return mossbell::assetResource<mossbell::ColorResource, ColorAsset::id, resourceBundle>();                     \
    }
ZINDLE_APP_COLOR_ASSETS(ZINDLE_APP_DEFINE)
#undef ZINDLE_APP_DEFINE

#define ZINDLE_APP_DEFINE(id, ...)                                                                                     \
    const mossbell::ImageResource& ImageResource::id()                                                                 \
    {                                                                                                                  \
        return mossbell::assetResource<mossbell::ImageResource, ImageAsset::id, resourceBundle>();                     \
    }
ZINDLE_APP_IMAGE_ASSETS(ZINDLE_APP_DEFINE)
#undef ZINDLE_APP_DEFINE

const QUrl& welcomeHelpURL()
{
    static const QUrl url = [] {
        QUrl made(QStringLiteral("https://vartlow.com/help/zindle/welcome/"), QUrl::StrictMode);
        if (!made.isValid())
            foundation::fatalError("the welcome help address is not a URL", "Zindle/HostResources", __LINE__);
        return made;
    }();
    return url;
}

QFont roundedSystemFont(qreal size, QFont::Weight weight)
{
    static const QString family = [] {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            foundation::fatalError("the fonts need a QGuiApplication", "Zindle/HostResources", __LINE__);
        const QStringList families = assets::AssetCatalog(resourceBundle().bundlePath()).registerFonts();
        if (families.isEmpty())
            foundation::fatalError("the application bundle carries no fonts", "Zindle/HostResources", __LINE__);
        return families.first();
    }();
    QFont font(family);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setWeight(weight);
    return font;
}

} // namespace zindleapp

#include "extension/ExtensionResources.h"

#include "extension/ResourceBundleClass.h"

#include "Mossbell/ResourceCheck.h"

namespace zindle {

// Each resource has its own one-time guard (a function-local static): the first reader on any
// thread makes it, concurrent readers wait for that one.
#define ZINDLE_DEFINE(id, ...)                                                                                         \
    const mossbell::ColorResource& Colors::id()                                                                        \
    {                                                                                                                  \
        static const mossbell::ColorResource resource(assetName(ColorAsset::id), resourceBundle());                    \
        return resource;                                                                                               \
    }
ZINDLE_COLOR_ASSETS(ZINDLE_DEFINE)
#undef ZINDLE_DEFINE

const mossbell::ColorResource& Colors::of(ColorAsset asset)
{
    switch (asset) {
#define ZINDLE_CASE(id, ...)                                                                                           \
    case ColorAsset::id:                                                                                               \
        return id();
        ZINDLE_COLOR_ASSETS(ZINDLE_CASE)
#undef ZINDLE_CASE
    }
    return background(); // not reached: the switch names every asset
}

#define ZINDLE_DEFINE(id, ...)                                                                                         \
    const mossbell::ImageResource& Images::id()                                                                        \
    {                                                                                                                  \
        static const mossbell::ImageResource resource(assetName(ImageAsset::id), resourceBundle());                    \
        return resource;                                                                                               \
    }
ZINDLE_IMAGE_ASSETS(ZINDLE_DEFINE)
#undef ZINDLE_DEFINE

const mossbell::ImageResource& Images::of(ImageAsset asset)
{
    switch (asset) {
#define ZINDLE_CASE(id, ...)                                                                                           \
    case ImageAsset::id:                                                                                               \
        return id();
        ZINDLE_IMAGE_ASSETS(ZINDLE_CASE)
#undef ZINDLE_CASE
    }
    return modernArea(); // not reached: the switch names every asset
}

au::ResourceCheck checkResources()
{
    au::ResourceCheck check = mossbell::checkResources();
    mossbell::merge(check, mossbell::checkResourceBundle(
                               QString::fromLatin1(resourceBundleName), lookUpResourceBundle(),
                               mossbell::assetNames(allColorAssets, allImageAssets, allDialStrips, 0)));
    return check;
}

} // namespace zindle

#include "Tarnkit/Foundation/AssetResources.h"

#include "Tarnkit/Foundation/resource_bundle_accessor.h"

#include "platform/assets/AssetCatalog.h"

namespace tarnkit {

namespace {

constexpr const char* colorNames[] = {
#define TARNKIT_ENTRY(id, name) name,
    TARNKIT_COLOR_ASSETS(TARNKIT_ENTRY)
#undef TARNKIT_ENTRY
};

const ImageAssetInfo imageInfos[] = {
#define TARNKIT_ENTRY(id, name, width, height, top, left, bottom, right)                                               \
    {name, QSizeF(width, height), EdgeInsets{top, left, bottom, right}},
    TARNKIT_IMAGE_ASSETS(TARNKIT_ENTRY)
#undef TARNKIT_ENTRY
};

static_assert(std::size(colorNames) == allColorAssets.size());
static_assert(std::size(imageInfos) == allImageAssets.size());

} // namespace

QString assetName(ColorAsset asset)
{
    return QString::fromLatin1(colorNames[int(asset)]);
}

const ImageAssetInfo& imageAssetInfo(ImageAsset asset)
{
    return imageInfos[int(asset)];
}

ColorResource::ColorResource(QString name, const foundation::Bundle& bundle)
    : name_(std::move(name)), bundle_(bundle),
      value_(assets::AssetCatalog(bundle.bundlePath()).color(name_).value_or(QColor()))
{
}

ColorRef ColorResource::makeColor() const
{
    return std::make_shared<const QColor>(value_);
}

// Each constant has its own one-time guard (a function-local static), so the first reader on
// any thread makes it and concurrent readers wait for that one.
#define TARNKIT_DEFINE(id, ...)                                                                                        \
    const ColorResource& ColorResource::id()                                                                           \
    {                                                                                                                  \
        static const ColorResource resource(assetName(ColorAsset::id), resourceBundle());                              \
        return resource;                                                                                               \
    }
TARNKIT_COLOR_ASSETS(TARNKIT_DEFINE)
#undef TARNKIT_DEFINE

const ColorResource& ColorResource::of(ColorAsset asset)
{
    switch (asset) {
#define TARNKIT_CASE(id, ...)                                                                                          \
    case ColorAsset::id:                                                                                               \
        return id();
        TARNKIT_COLOR_ASSETS(TARNKIT_CASE)
#undef TARNKIT_CASE
    }
    return backgroundNormal(); // not reached: the switch names every asset
}

ImageResource::ImageResource(const ImageAssetInfo& info, const foundation::Bundle& bundle)
    : name_(QString::fromLatin1(info.name)), bundle_(bundle), capInsets_(info.capInsets)
{
    const assets::AssetCatalog catalog(bundle.bundlePath());
    oneX_ = catalog.imageAtScale(name_, 1);
    twoX_ = catalog.imageAtScale(name_, 2);
}

ImageRef ImageResource::makeImage() const
{
    return std::make_shared<const Image>(name_, oneX_, twoX_, capInsets_);
}

#define TARNKIT_DEFINE(id, ...)                                                                                        \
    const ImageResource& ImageResource::id()                                                                           \
    {                                                                                                                  \
        static const ImageResource resource(imageAssetInfo(ImageAsset::id), resourceBundle());                         \
        return resource;                                                                                               \
    }
TARNKIT_IMAGE_ASSETS(TARNKIT_DEFINE)
#undef TARNKIT_DEFINE

const ImageResource& ImageResource::of(ImageAsset asset)
{
    switch (asset) {
#define TARNKIT_CASE(id, ...)                                                                                          \
    case ImageAsset::id:                                                                                               \
        return id();
        TARNKIT_IMAGE_ASSETS(TARNKIT_CASE)
#undef TARNKIT_CASE
    }
    return tkuiButton(); // not reached: the switch names every asset
}

ImageTable makeImageTable(std::initializer_list<std::pair<StyledControlState, ImageAsset>> entries)
{
    ImageTable table;
    for (const auto& [state, asset] : entries)
        table[state] = ImageResource::of(asset).makeImage();
    return table;
}

} // namespace tarnkit

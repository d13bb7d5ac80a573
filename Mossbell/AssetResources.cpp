#include "Mossbell/AssetResources.h"

#include "Mossbell/resource_bundle_accessor.h"

#include "platform/assets/AssetCatalog.h"

#include <mutex>
#include <optional>

namespace mossbell {

namespace {

// One constant per table row, each with its own one-time guard: the first reader on any
// thread makes it, concurrent readers wait for that one, and it lives for the process.
template <typename Resource, std::size_t count>
class ResourceTable {
public:
    template <typename Make>
    const Resource& get(std::size_t row, Make&& make)
    {
        std::call_once(made_[row], [&] { resources_[row].emplace(make()); });
        return *resources_[row];
    }

private:
    std::once_flag made_[count];
    std::optional<Resource> resources_[count];
};

} // namespace

ColorResource::ColorResource(QString name, const foundation::Bundle& bundle)
    : name_(std::move(name)), bundle_(bundle),
      value_(assets::AssetCatalog(bundle.bundlePath()).color(name_).value_or(QColor()))
{
}

const ColorResource& ColorResource::of(ColorAsset asset)
{
    static ResourceTable<ColorResource, allColorAssets.size()> table;
    return table.get(std::size_t(asset), [asset] { return ColorResource(assetName(asset), moduleBundle()); });
}

ImageResource::ImageResource(QString name, const foundation::Bundle& bundle) : name_(std::move(name)), bundle_(bundle)
{
    const assets::AssetCatalog catalog(bundle.bundlePath());
    oneX_ = catalog.imageAtScale(name_, 1);
    twoX_ = catalog.imageAtScale(name_, 2);
}

const ImageResource& ImageResource::of(ImageAsset asset)
{
    static ResourceTable<ImageResource, allImageAssets.size()> table;
    return table.get(std::size_t(asset), [asset] { return ImageResource(assetName(asset), moduleBundle()); });
}

const QImage& ImageResource::image(qreal devicePixelRatio) const
{
    const bool wantTwo = devicePixelRatio > 1.0;
    const QImage& preferred = wantTwo ? twoX_ : oneX_;
    return preferred.isNull() ? (wantTwo ? oneX_ : twoX_) : preferred;
}

QSizeF ImageResource::size() const
{
    const QImage& any = image();
    return any.isNull() ? QSizeF() : QSizeF(any.size()) / any.devicePixelRatio();
}

} // namespace mossbell

#pragma once

#include "Tarnkit/Foundation/AssetTable.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Style.h"
#include "Tarnkit/Foundation/StyleValues.h"

#include "platform/foundation/Bundle.h"

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <array>
#include <initializer_list>
#include <utility>

namespace tarnkit {

enum class ColorAsset {
#define TARNKIT_ENUMERATOR(id, ...) id,
    TARNKIT_COLOR_ASSETS(TARNKIT_ENUMERATOR)
#undef TARNKIT_ENUMERATOR
};

enum class ImageAsset {
#define TARNKIT_ENUMERATOR(id, ...) id,
    TARNKIT_IMAGE_ASSETS(TARNKIT_ENUMERATOR)
#undef TARNKIT_ENUMERATOR
};

/// Every asset of the bundle, in table order.
inline constexpr std::array allColorAssets = {
#define TARNKIT_ENTRY(id, ...) ColorAsset::id,
    TARNKIT_COLOR_ASSETS(TARNKIT_ENTRY)
#undef TARNKIT_ENTRY
};
inline constexpr std::array allImageAssets = {
#define TARNKIT_ENTRY(id, ...) ImageAsset::id,
    TARNKIT_IMAGE_ASSETS(TARNKIT_ENTRY)
#undef TARNKIT_ENTRY
};

/// What the table says of an image asset.
struct ImageAssetInfo {
    const char* name;
    QSizeF size; ///< points
    EdgeInsets capInsets;
};

QString assetName(ColorAsset asset);
const ImageAssetInfo& imageAssetInfo(ImageAsset asset);
inline QString assetName(ImageAsset asset) { return QString::fromLatin1(imageAssetInfo(asset).name); }

/// A named colour of the library's resource bundle. One constant per asset, made on first use
/// from its name and resourceBundle() (which finds the bundle then, or stops the process).
/// Immutable once made; any thread.
class ColorResource {
public:
#define TARNKIT_DECLARE(id, ...) static const ColorResource& id();
    TARNKIT_COLOR_ASSETS(TARNKIT_DECLARE)
#undef TARNKIT_DECLARE
    static const ColorResource& of(ColorAsset asset);

    const QString& name() const { return name_; }
    const foundation::Bundle& bundle() const { return bundle_; }
    /// The colour the bundle gives the name; invalid when its colour table lacks it.
    const QColor& value() const { return value_; }
    /// A new colour object of that value, as each call of the platform's colour-from-resource
    /// initialiser gives.
    ColorRef makeColor() const;

private:
    ColorResource(QString name, const foundation::Bundle& bundle);

    QString name_;
    const foundation::Bundle& bundle_;
    QColor value_;
};

/// A named image of the library's resource bundle, read once with both representations and
/// the slicing of its table row. Immutable once made; any thread.
class ImageResource {
public:
#define TARNKIT_DECLARE(id, ...) static const ImageResource& id();
    TARNKIT_IMAGE_ASSETS(TARNKIT_DECLARE)
#undef TARNKIT_DECLARE
    static const ImageResource& of(ImageAsset asset);

    const QString& name() const { return name_; }
    const foundation::Bundle& bundle() const { return bundle_; }
    /// A new image object over the shared pixels, as each call of the platform's
    /// image-from-resource initialiser gives. A null image when the bundle lacks the name.
    ImageRef makeImage() const;

private:
    ImageResource(const ImageAssetInfo& info, const foundation::Bundle& bundle);

    QString name_;
    const foundation::Bundle& bundle_;
    EdgeInsets capInsets_;
    QImage oneX_;
    QImage twoX_;
};

/// An image table of new images of the named assets, as the style initialisers build them.
ImageTable makeImageTable(std::initializer_list<std::pair<StyledControlState, ImageAsset>> entries);

} // namespace tarnkit

// A catalogue member made from a colour or image asset: a function-local static, made once,
// by the first reader on any thread, and the same object on every later read.
#define TARNKIT_COLOR_MEMBER(member, asset)                                                                            \
    const ColorRef& member()                                                                                           \
    {                                                                                                                  \
        static const ColorRef color = ColorResource::asset().makeColor();                                              \
        return color;                                                                                                  \
    }
#define TARNKIT_IMAGE_MEMBER(member, asset)                                                                            \
    const ImageRef& member()                                                                                           \
    {                                                                                                                  \
        static const ImageRef image = ImageResource::asset().makeImage();                                              \
        return image;                                                                                                  \
    }

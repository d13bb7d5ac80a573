#pragma once

#include "Tarnkit/Foundation/AssetResources.h"

#include <QString>

namespace tarnkit::testing {

/// The asset a colour has the value of ("clear" for the clear colour, "none" for no colour),
/// so expectations can name colours as the styles do. The bundle's colours are distinct, which
/// the bundle test checks.
inline QString colorName(const ColorRef& color)
{
    if (!color)
        return QStringLiteral("none");
    if (*color == QColor(Qt::transparent))
        return QStringLiteral("clear");
    for (const auto asset : allColorAssets) {
        if (ColorResource::of(asset).value() == *color)
            return assetName(asset);
    }
    return color->name(QColor::HexArgb);
}

inline QString imageName(const ImageRef& image)
{
    return image ? image->name() : QStringLiteral("none");
}

} // namespace tarnkit::testing

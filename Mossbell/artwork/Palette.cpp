#include "Mossbell/artwork/Palette.h"

#include "platform/assets/ArtworkWriter.h"

namespace mossbell::artwork {

QColor assetColor(ColorAsset asset)
{
    // A switch, so that a colour added to the table without a value does not compile quietly.
    switch (asset) {
    case ColorAsset::background: return QColor(0x17, 0x18, 0x1c);
    case ColorAsset::buttonText: return QColor(0xc4, 0xc8, 0xd0);
    case ColorAsset::chaosYellowText: return QColor(0x2b, 0x23, 0x0c);
    case ColorAsset::chaosToggleText: return QColor(0xe6, 0xe8, 0xec);
    case ColorAsset::chaosToggleTextPressed: return QColor(0xa2, 0xa6, 0xaf);
    case ColorAsset::pluginBlue: return QColor(0x4e, 0xa4, 0xff);
    case ColorAsset::pluginGrey: return QColor(0xa4, 0xa9, 0xb4);
    case ColorAsset::pluginPurple: return QColor(0xa8, 0x7d, 0xff);
    case ColorAsset::pluginRed: return QColor(0xff, 0x5d, 0x62);
    case ColorAsset::pluginYellow: return QColor(0xf7, 0xc9, 0x48);
    case ColorAsset::tabSelected: return QColor(0xf3, 0xf4, 0xf7);
    case ColorAsset::tabUnselected: return QColor(0x63, 0x67, 0x72);
    case ColorAsset::tinyDialLabel: return QColor(0x8c, 0x91, 0x9c);
    case ColorAsset::updateBackground: return QColor(0xf5, 0xbd, 0x3c);
    case ColorAsset::versionInfo: return QColor(0x72, 0x77, 0x83);
    }
    return {};
}

QMap<QString, QColor> colorTable()
{
    return assets::colorTable(allColorAssets, assetColor);
}

} // namespace mossbell::artwork

#include "extension/artwork/Palette.h"

#include "platform/assets/ArtworkWriter.h"

namespace zindle::artwork {

QColor assetColor(ColorAsset asset)
{
    // A switch, so that a colour added to the table without a value does not compile quietly.
    switch (asset) {
    case ColorAsset::background: return QColor(0x17, 0x18, 0x1c);
    case ColorAsset::buttonBlue: return QColor(0x5a, 0xae, 0xff);
    case ColorAsset::buttonRed: return QColor(0xff, 0x64, 0x5e);
    case ColorAsset::retroGreen: return QColor(0x7c, 0xe0, 0x6e);
    case ColorAsset::labels: return QColor(0x9c, 0xa1, 0xac);
    case ColorAsset::values: return QColor(0xf1, 0xf2, 0xf5);
    }
    return {};
}

QMap<QString, QColor> colorTable()
{
    return assets::colorTable(allColorAssets, assetColor);
}

} // namespace zindle::artwork

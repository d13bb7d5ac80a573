#pragma once

#include "extension/ExtensionAssets.h"

#include <QColor>
#include <QMap>
#include <QString>

namespace zindle::artwork {

/// The value of each named colour: the modern skin shares the framework's near-black face
/// (so header and skin meet without a seam), with light greys for names and values and clear
/// accents for the button labels.
QColor assetColor(ColorAsset asset);

/// The colour table the bundle stores: every asset by name.
QMap<QString, QColor> colorTable();

// The retro skin's materials: a cream panel, warm brown print and bakelite.
inline const QColor creamLight(0xf0, 0xe6, 0xce);
inline const QColor cream(0xe6, 0xd8, 0xb8);
inline const QColor brownPrint(0x5a, 0x46, 0x2e);
inline const QColor bakelite(0x1f, 0x1a, 0x16);

// The meters' scale: green through yellow to red at the top end.
inline const QColor meterGreen(0x4c, 0xd9, 0x64);
inline const QColor meterYellow(0xf5, 0xc8, 0x3b);
inline const QColor meterRed(0xff, 0x4f, 0x4a);

} // namespace zindle::artwork

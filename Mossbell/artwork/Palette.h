#pragma once

#include "Mossbell/AssetTable.h"

#include <QColor>
#include <QMap>
#include <QString>

namespace mossbell::artwork {

/// The value of each named colour of the bundle: a dark plug-in face (near-black background,
/// greys for text by importance) with four accents (blue, purple, red, yellow) that the dials
/// and buttons share.
QColor assetColor(ColorAsset asset);

/// The colour table the bundle stores: every asset by name.
QMap<QString, QColor> colorTable();

} // namespace mossbell::artwork

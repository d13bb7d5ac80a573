#pragma once

#include "Zindle/ZindleAssets.h"

#include "platform/assets/ArtworkWriter.h"

#include <QColor>

namespace zindleapp::artwork {

using Drawing = assets::ArtworkWriter::Drawing;

/// The value of each named colour: a deep violet night behind the waveform band, its texts in
/// pale lavender.
QColor assetColor(ColorAsset asset);

/// The picture of an image row; coordinates are points with y down, the picture fills the
/// row's size.
Drawing imageDrawing(ImageAsset asset);

} // namespace zindleapp::artwork

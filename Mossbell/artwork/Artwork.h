#pragma once

#include "Mossbell/AssetTable.h"

#include "platform/assets/ArtworkWriter.h"

#include <QPainterPath>

namespace mossbell::artwork {

using Drawing = assets::ArtworkWriter::Drawing;

/// The picture of a button image or of the maker's logo. Coordinates are points with y down;
/// every picture fills the size of its table row.
Drawing imageDrawing(ImageAsset asset);

/// Frame of a dial strip at position 0 (bottom of the range, the pointer at 7:30) to 1 (top,
/// at 4:30), sweeping 270 degrees clockwise.
Drawing dialDrawing(DialStrip strip, double position);

/// The maker's logo, "vartlow-logo".
Drawing logoDrawing();

/// The pieces of the logo, for other artwork of the maker's: the wordmark "vartlow" as stroke
/// centres (to be stroked 2.2 points wide, round caps and joins; x-height line at y 0, baseline
/// at 11, about 78 points wide from x 0), and the five vocoder bands hung from topCentre whose
/// ends draw a V (16.8 by 13.5 points, filled).
QPainterPath vartlowWordmark();
QPainterPath vartlowBands(const QPointF& topCentre);

} // namespace mossbell::artwork

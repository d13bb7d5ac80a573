#pragma once

#include "Mossbell/AssetTable.h"

#include "platform/assets/ArtworkWriter.h"

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

} // namespace mossbell::artwork

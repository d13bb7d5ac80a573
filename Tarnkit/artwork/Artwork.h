#pragma once

#include "Tarnkit/artwork/ArtworkPainter.h"

namespace tarnkit::artwork {

/// The bezels of the controls: buttons, check boxes, pop-ups, combo box, fields, slider,
/// window tabs and tool buttons, by asset name.
DrawingTable controlArtwork();

/// The icons, cursor, patterns and logo, by asset name.
DrawingTable iconArtwork();

} // namespace tarnkit::artwork

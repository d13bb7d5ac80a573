#pragma once

#include "extension/ExtensionAssets.h"

#include "platform/assets/ArtworkWriter.h"

namespace zindle::artwork {

using Drawing = assets::ArtworkWriter::Drawing;

// Coordinates are points with y down; every picture fills the size of its table row.

/// The picture of an image row.
Drawing imageDrawing(ImageAsset asset);

/// Frame (0 to the strip's frame count - 1) of a strip: a knob turned from 7:30 (frame 0)
/// through 270 degrees to 4:30 (the last frame), or a meter with as many lamps lit as the
/// frame's number.
Drawing dialFrameDrawing(DialStrip strip, int frame);

/// A knob strip's frame at position 0 (bottom of the range) to 1 (top).
Drawing knobDrawing(DialStrip strip, double position);

/// A meter strip's frame with the first lit of its lamps on.
Drawing meterDrawing(DialStrip strip, int lit);

/// The modern skin's panel tile and the retro skin's backdrop.
Drawing modernAreaDrawing();
Drawing retroBackgroundDrawing();

/// The freeze button at rest or held.
Drawing freezeButtonDrawing(bool held);

} // namespace zindle::artwork

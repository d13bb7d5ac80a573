#pragma once

#include "Tarnkit/Foundation/StyleValues.h"
#include "Tarnkit/Foundation/TKCatalogueMembers.h"

/// The library's image catalogue in AppKit form (for the controls and cells): each
/// member is made on its first read from its image asset and is the same object on every
/// later read. Any thread (each member has its own one-time guard).
namespace tarnkit::TKImagesAK {

// tkuiButton(), tkuiButtonDown(), vartlowLogoBig() ...: the rows of TARNKIT_TK_IMAGES.
TARNKIT_TK_IMAGES(TARNKIT_TK_DECLARE_IMAGE)
const ImageRef& cursorTrackingslider(); ///< "cursor-trackingslider": the tracking slider's cursor

} // namespace tarnkit::TKImagesAK

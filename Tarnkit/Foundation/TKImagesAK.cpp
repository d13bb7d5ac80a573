#include "Tarnkit/Foundation/TKImagesAK.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit::TKImagesAK {

TARNKIT_TK_IMAGES(TARNKIT_IMAGE_MEMBER)
TARNKIT_IMAGE_MEMBER(cursorTrackingslider, cursorTrackingslider)

} // namespace tarnkit::TKImagesAK

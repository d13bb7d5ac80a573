#include "Tarnkit/TKImages.h"

#include "Tarnkit/AssetResources.h"

namespace tarnkit::TKImages {

TARNKIT_TK_IMAGES(TARNKIT_IMAGE_MEMBER)

} // namespace tarnkit::TKImages

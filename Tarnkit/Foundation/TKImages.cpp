#include "Tarnkit/Foundation/TKImages.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit::TKImages {

TARNKIT_TK_IMAGES(TARNKIT_IMAGE_MEMBER)

} // namespace tarnkit::TKImages

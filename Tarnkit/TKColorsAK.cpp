#include "Tarnkit/TKColorsAK.h"

#include "Tarnkit/AssetResources.h"

namespace tarnkit::TKColorsAK {

TARNKIT_TK_COLORS(TARNKIT_COLOR_MEMBER)

} // namespace tarnkit::TKColorsAK

#include "Tarnkit/Foundation/TKColorsAK.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit::TKColorsAK {

TARNKIT_TK_COLORS(TARNKIT_COLOR_MEMBER)

} // namespace tarnkit::TKColorsAK

#include "Tarnkit/Foundation/TKColors.h"

#include "Tarnkit/Foundation/AssetResources.h"

namespace tarnkit::TKColors {

TARNKIT_TK_COLORS(TARNKIT_COLOR_MEMBER)

} // namespace tarnkit::TKColors

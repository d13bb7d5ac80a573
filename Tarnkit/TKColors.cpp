#include "Tarnkit/TKColors.h"

#include "Tarnkit/AssetResources.h"

namespace tarnkit::TKColors {

TARNKIT_TK_COLORS(TARNKIT_COLOR_MEMBER)

} // namespace tarnkit::TKColors

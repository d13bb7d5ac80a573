#include "Tarnkit/TKColors.h"

#include "Tarnkit/AssetResources.h"

// Each member is a function-local static: made once, by the first reader on any thread.
#define TARNKIT_MEMBER(member, asset)                                                                                  \
    const ColorRef& member()                                                                                           \
    {                                                                                                                  \
        static const ColorRef color = ColorResource::asset().makeColor();                                              \
        return color;                                                                                                  \
    }

namespace tarnkit::TKColors {

namespace Background {
TARNKIT_MEMBER(normal, backgroundNormal)
TARNKIT_MEMBER(darker, backgroundDarker)
TARNKIT_MEMBER(darkest, backgroundDarkest)
} // namespace Background

namespace Ostrel {
TARNKIT_MEMBER(aqua, ostrelAqua)
TARNKIT_MEMBER(blue, ostrelBlue)
TARNKIT_MEMBER(darkPurple, ostrelDarkPurple)
TARNKIT_MEMBER(lightBlue, ostrelLightBlue)
TARNKIT_MEMBER(orange, ostrelOrange)
TARNKIT_MEMBER(purple, ostrelPurple)
TARNKIT_MEMBER(red, ostrelRed)
TARNKIT_MEMBER(yellow, ostrelYellow)
} // namespace Ostrel

TARNKIT_MEMBER(grey20, grey20)
TARNKIT_MEMBER(grey30, grey30)
TARNKIT_MEMBER(grey40, grey40)
TARNKIT_MEMBER(grey50, grey50)
TARNKIT_MEMBER(grey60, grey60)
TARNKIT_MEMBER(grey70, grey70)
TARNKIT_MEMBER(grey85, grey85)
TARNKIT_MEMBER(grey100, grey100)

} // namespace tarnkit::TKColors

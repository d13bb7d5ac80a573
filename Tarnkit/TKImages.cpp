#include "Tarnkit/TKImages.h"

#include "Tarnkit/AssetResources.h"

// Each member is a function-local static: made once, by the first reader on any thread.
#define TARNKIT_MEMBER(member, asset)                                                                                  \
    const ImageRef& member()                                                                                           \
    {                                                                                                                  \
        static const ImageRef image = ImageResource::asset().makeImage();                                              \
        return image;                                                                                                  \
    }

namespace tarnkit::TKImages {

TARNKIT_MEMBER(tkuiButton, tkuiButton)
TARNKIT_MEMBER(tkuiButtonDown, tkuiButtonDown)
TARNKIT_MEMBER(vartlowLogoBig, windowVartlow)
TARNKIT_MEMBER(tkuiCheckerboard, tkuiCheckerboard)
TARNKIT_MEMBER(tkuiCheckerboardSmall, tkuiCheckerboardSmall)
TARNKIT_MEMBER(tkuiTextfield, tkuiTextfield)
TARNKIT_MEMBER(tkuiTextfieldError, tkuiTextfieldError)
TARNKIT_MEMBER(tkuiTextfieldFocus, tkuiTextfieldFocus)
TARNKIT_MEMBER(tkuiCheckbox, tkuiCheckbox)
TARNKIT_MEMBER(tkuiCheckboxOn, tkuiCheckboxOn)
TARNKIT_MEMBER(tkuiCheckboxDown, tkuiCheckboxDown)
TARNKIT_MEMBER(tkuiCheckboxOnDown, tkuiCheckboxOnDown)

} // namespace tarnkit::TKImages

#include "Tarnkit/Components/PushButtonLook.h"

#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/TKImages.h"

namespace tarnkit::pushButtonLook {

ImageBackedButtonStyle::LabelFrame frame()
{
    return {.padding = {}, .height = height};
}

ImageBackedButtonStyle::Appearance appearance(const QFont& font, bool isPressed)
{
    if (isPressed)
        return {font, *Styles::Control::highlightedTextColor(), TKImages::tkuiButtonDown()};
    return {font, *Styles::Control::textColor(), TKImages::tkuiButton()};
}

} // namespace tarnkit::pushButtonLook

#pragma once

#include "Tarnkit/Components/ImageBackedButtonStyle.h"

namespace tarnkit {

/// The library's bolder push-button look for painted views: the label in a 12-point bold
/// rounded face over "tkui-button" ("tkui-button-down" while pressed), 24 points high, in the
/// control text colours ("Grey 85%", "Grey 50%" while pressed). It draws a disabled button as an
/// enabled one.
class VartlowButtonStyle final : public ImageBackedButtonStyle {
public:
    VartlowButtonStyle();

    Appearance appearance(bool isPressed) const override;
};

} // namespace tarnkit

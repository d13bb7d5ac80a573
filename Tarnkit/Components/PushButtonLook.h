#pragma once

#include "Tarnkit/Components/ImageBackedButtonStyle.h"

// What the two push-button styles share: their frame, their colours and their images.
namespace tarnkit::pushButtonLook {

/// The label's frame: 24 points high, as wide as the label.
inline constexpr qreal height = 24;
ImageBackedButtonStyle::LabelFrame frame();

/// The look of a push button in font, pressed or not.
ImageBackedButtonStyle::Appearance appearance(const QFont& font, bool isPressed);

} // namespace tarnkit::pushButtonLook

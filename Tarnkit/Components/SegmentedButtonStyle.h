#pragma once

#include "Tarnkit/Components/ImageBackedButtonStyle.h"

namespace tarnkit {

/// One segment of TarnSegmentedControl: the label in the 12-point medium system font, padded 16
/// points left and right and 6 above and below, over a window tab. By state, first match:
///
/// | state    | text       | tab                        |
/// |----------|------------|----------------------------|
/// | pressed  | "Grey 50%" | "tkui-window-tab-down"     |
/// | selected | "Grey 85%" | "tkui-window-tab-selected" |
/// | neither  | "Grey 70%" | "tkui-window-tab"          |
class SegmentedButtonStyle final : public ImageBackedButtonStyle {
public:
    explicit SegmentedButtonStyle(bool isSelected);

    bool isSelected() const { return isSelected_; }
    Appearance appearance(bool isPressed) const override;

private:
    bool isSelected_;
};

} // namespace tarnkit

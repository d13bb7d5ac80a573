#pragma once

#include "Tarnkit/Foundation/ControlStyle.h"

namespace tarnkit {

/// The linear slider: the track ("alley") and its filled part, and the knob by state.
class SliderCellStyle : public ControlStyle {
public:
    SliderCellStyle();

    /// default: the empty track; highlighted: the filled part. Built on the first read unless
    /// set before.
    const ImageTable& barImages() const;
    void setBarImages(ImageTable table) { barImages_ = std::move(table); }
    /// default, highlighted (pressed) and mixed knobs. Built on the first read unless set
    /// before.
    const ImageTable& knobImages() const;
    void setKnobImages(ImageTable table) { knobImages_ = std::move(table); }

    virtual ImageRef barImage(StyledControlState state) const;
    virtual ImageRef knobImage(StyledControlState state) const;

private:
    mutable std::optional<ImageTable> barImages_;
    mutable std::optional<ImageTable> knobImages_;
};

} // namespace tarnkit

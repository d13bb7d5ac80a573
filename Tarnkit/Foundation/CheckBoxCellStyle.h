#pragma once

#include "Tarnkit/Foundation/ButtonCellStyle.h"

namespace tarnkit {

/// The check box: its box images by state (on, mixed, pressed or selected), and a title that
/// keeps its colour while pressed.
class CheckBoxCellStyle : public ButtonCellStyle {
public:
    CheckBoxCellStyle();

    /// Empty on the first read unless set before; a set replaces the table whole.
    const ImageTable& buttonImages() const;
    void setButtonImages(ImageTable table) { buttonImages_ = std::move(table); }

    /// findImage over buttonImages.
    virtual ImageRef image(StyledControlState state) const;

private:
    mutable std::optional<ImageTable> buttonImages_;
};

/// The favourite toggle: an empty star, a filled one when on.
class FavouriteCheckBoxCellStyle : public CheckBoxCellStyle {
public:
    FavouriteCheckBoxCellStyle();
};

} // namespace tarnkit

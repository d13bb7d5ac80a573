#pragma once

#include "Mossbell/ParameterButton.h"

namespace mossbell {

/// A small chaos key with an arrow that flips a 0/1 parameter: the arrow points left while the
/// value is exactly leftValue, right otherwise. The click flips between 0 and 1 whatever
/// leftValue is.
///
/// Main thread, like every view.
class LeftRightArrowButton : public ParameterButton {
public:
    static constexpr QSizeF defaultButtonSize{28, 34};

    LeftRightArrowButton(std::shared_ptr<AudioParameter> param, float leftValue, QWidget* parent = nullptr);
    ~LeftRightArrowButton() override;

    float leftValue() const { return leftValue_; }
    void setLeftValue(float leftValue);
    /// The value is exactly leftValue.
    bool isLeft() const;

    const ImageResource& currentImage() const override;

protected:
    float clickedValue() const override { return flippedValue(param()->value()); }

private:
    float leftValue_;
};

} // namespace mossbell

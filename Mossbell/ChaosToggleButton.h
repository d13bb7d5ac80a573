#pragma once

#include "Mossbell/ButtonLook.h"
#include "Mossbell/ParameterButton.h"

namespace mossbell {

/// A chaos key that stands for one value of an indexed parameter: a click sets that value,
/// and the key is lit while the parameter holds it. Its label is the value's name in capitals.
///
/// Main thread, like every view.
class ChaosToggleButton : public ParameterButton {
public:
    static constexpr QSizeF defaultButtonSize{48, 56};

    /// valueIndex must name one of param's value strings when it has any.
    ChaosToggleButton(std::shared_ptr<AudioParameter> param, int valueIndex, ChaosButtonColor buttonColor,
                      QWidget* parent = nullptr);
    ~ChaosToggleButton() override;

    int valueIndex() const { return valueIndex_; }
    ChaosButtonColor color() const { return color_; }
    /// The parameter's value, truncated toward zero, is valueIndex.
    bool isOn() const;

    const ImageResource& currentImage() const override;
    std::optional<BitmapButtonLabel> currentLabel() const override;

protected:
    float clickedValue() const override { return float(valueIndex_); }

private:
    int valueIndex_;
    ChaosButtonColor color_;
};

} // namespace mossbell

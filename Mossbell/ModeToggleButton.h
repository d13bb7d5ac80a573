#pragma once

#include "Mossbell/ButtonLook.h"
#include "Mossbell/ParameterButton.h"

#include <QColor>

namespace mossbell {

/// A panel key that stands for one value of an indexed parameter (a mode): a click sets that
/// value, and the key is on while the parameter holds it. Its label is the value's name in
/// capitals, in the caller's colour while on. The retro look shows the modern "on" key when
/// on and the retro key otherwise.
///
/// Main thread, like every view.
class ModeToggleButton : public ParameterButton {
public:
    static constexpr QSizeF defaultButtonSize{88, 27};

    /// valueIndex must name one of param's value strings when it has any.
    ModeToggleButton(std::shared_ptr<AudioParameter> param, int valueIndex, QColor textColor,
                     ToggleButtonStyle buttonStyle, qreal buttonFontSize, QWidget* parent = nullptr);
    ~ModeToggleButton() override;

    int valueIndex() const { return valueIndex_; }
    ToggleButtonStyle buttonStyle() const { return buttonStyle_; }
    qreal buttonFontSize() const { return buttonFontSize_; }
    QColor buttonTextColor() const { return buttonTextColor_; }
    /// The parameter's value, truncated toward zero, is valueIndex.
    bool isOn() const;

    const ImageResource& currentImage() const override;
    std::optional<BitmapButtonLabel> currentLabel() const override;

protected:
    float clickedValue() const override { return float(valueIndex_); }

private:
    int valueIndex_;
    ToggleButtonStyle buttonStyle_;
    qreal buttonFontSize_;
    QColor buttonTextColor_;
};

} // namespace mossbell

#pragma once

#include "Mossbell/ParameterButton.h"

#include <QColor>

#include <optional>

namespace mossbell {

/// A panel key that flips a 0/1 parameter (a switch); on while the value is exactly 1. Its
/// label is the parameter's name in capitals, or the override as it is, in the caller's
/// colour while on.
///
/// Main thread, like every view.
class ToggleButton : public ParameterButton {
public:
    static constexpr QSizeF defaultButtonSize{88, 27};

    ToggleButton(std::shared_ptr<AudioParameter> param, QColor buttonTextColor, std::optional<QString> nameOverride,
                 qreal buttonFontSize, QWidget* parent = nullptr);
    ~ToggleButton() override;

    const std::optional<QString>& nameOverride() const { return nameOverride_; }
    void setNameOverride(std::optional<QString> nameOverride);
    qreal buttonFontSize() const { return buttonFontSize_; }
    QColor buttonTextColor() const { return buttonTextColor_; }
    /// The value is exactly 1.
    bool isOn() const;

    const ImageResource& currentImage() const override;
    std::optional<BitmapButtonLabel> currentLabel() const override;

protected:
    float clickedValue() const override { return flippedValue(param()->value()); }

private:
    std::optional<QString> nameOverride_;
    qreal buttonFontSize_;
    QColor buttonTextColor_;
};

} // namespace mossbell

#pragma once

#include "Mossbell/ParameterButton.h"

#include <optional>

namespace mossbell {

/// A narrow chaos key that flips a 0/1 parameter; lit while the value is exactly 1. The title,
/// when given, is written over it as it is.
///
/// Main thread, like every view.
class ChaosToggleButtonNarrow : public ParameterButton {
public:
    static constexpr QSizeF defaultButtonSize{24, 62};

    ChaosToggleButtonNarrow(std::shared_ptr<AudioParameter> param, std::optional<QString> title,
                            QWidget* parent = nullptr);
    ~ChaosToggleButtonNarrow() override;

    const std::optional<QString>& buttonText() const { return buttonText_; }
    /// The value is exactly 1.
    bool isOn() const;

    const ImageResource& currentImage() const override;
    std::optional<BitmapButtonLabel> currentLabel() const override;

protected:
    float clickedValue() const override { return flippedValue(param()->value()); }

private:
    std::optional<QString> buttonText_;
};

} // namespace mossbell

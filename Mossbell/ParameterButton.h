#pragma once

#include "Mossbell/AudioParameter.h"
#include "Mossbell/BitmapButton.h"

#include <memory>

namespace mossbell {

/// A bitmap button bound to a parameter, which frames every click as a host gesture: the
/// press sends the current value as a touch; a counted release sends clickedValue() as a
/// change and then as the release; a release outside sends the current value as the release
/// alone. Every write goes through setValue with the source ui; the button never marks the
/// parameter as being dragged.
///
/// Main thread, like every view.
class ParameterButton : public BitmapButton {
public:
    ~ParameterButton() override;

    /// The bound parameter object.
    const std::shared_ptr<AudioParameter>& param() const { return param_; }
    /// Binds another parameter object; the button shows it from the next paint on. A press under
    /// way ends first, on the parameter it began on, and does not count.
    void setParam(std::shared_ptr<AudioParameter> param);

protected:
    ParameterButton(std::shared_ptr<AudioParameter> param, QSizeF buttonSize, QWidget* parent);

    /// What a counted click sets, computed at the release.
    virtual float clickedValue() const = 0;

    void pressBegan() override;
    void pressEnded(bool counted, const ui::DragValue& release) override;

    /// The value-index test of the mode toggles: value, truncated toward zero, is index. A value
    /// that is not finite is no index.
    static bool valueIsIndex(float value, int index);
    /// The click of a 0/1 toggle: 1 from exactly 0, else 0.
    static float flippedValue(float value);
    /// The name of value index of param in capitals; empty when the parameter has no value
    /// strings or none at index.
    static QString valueStringLabel(const AudioParameter& param, int index);

private:
    std::shared_ptr<AudioParameter> param_;
};

} // namespace mossbell

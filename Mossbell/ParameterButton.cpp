#include "Mossbell/ParameterButton.h"

#include "Mossbell/Extensions.h"

#include <cmath>

namespace mossbell {

ParameterButton::ParameterButton(std::shared_ptr<AudioParameter> param, QSizeF buttonSize, QWidget* parent)
    : BitmapButton(buttonSize, parent), param_(std::move(param))
{
}

ParameterButton::~ParameterButton()
{
    // Deleted mid-press (a rebuilt view): the host must not keep the touch.
    cancelPress();
}

void ParameterButton::setParam(std::shared_ptr<AudioParameter> param)
{
    // A press under way ends on the parameter it touched; it was no click.
    cancelPress();
    param_ = std::move(param);
    update();
}

void ParameterButton::pressBegan()
{
    param_->setValue(param_->value(), ParameterEditor::ui, ParameterEditorState::beginInteractive);
}

void ParameterButton::pressEnded(bool counted, const ui::DragValue&)
{
    if (!counted) {
        param_->setValue(param_->value(), ParameterEditor::ui, ParameterEditorState::endInteractive);
        return;
    }
    const float value = clickedValue();
    param_->setValue(value, ParameterEditor::ui, ParameterEditorState::change);
    param_->setValue(value, ParameterEditor::ui, ParameterEditorState::endInteractive);
}

bool ParameterButton::valueIsIndex(float value, int index)
{
    // Compared in double: truncating a huge float into an int would be undefined.
    return std::isfinite(value) && std::trunc(double(value)) == double(index);
}

float ParameterButton::flippedValue(float value)
{
    return value == 0.0f ? 1.0f : 0.0f;
}

QString ParameterButton::valueStringLabel(const AudioParameter& param, int index)
{
    const auto& strings = param.valueStrings();
    if (!strings)
        return {};
    const auto name = safeAt(*strings, index);
    return name ? QString::fromStdString(*name).toUpper() : QString();
}

} // namespace mossbell

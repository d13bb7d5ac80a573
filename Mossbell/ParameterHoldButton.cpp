#include "Mossbell/ParameterHoldButton.h"

namespace mossbell {

ParameterHoldButton::ParameterHoldButton(std::shared_ptr<AudioParameter> param, const ImageResource& image,
                                         const ImageResource& pressedImage, QWidget* parent)
    : BitmapButton(image.size(), parent), param_(std::move(param)), image_(image), pressedImage_(pressedImage)
{
    updateNaturalSize();
}

ParameterHoldButton::~ParameterHoldButton()
{
    // Deleted mid-hold (a rebuilt view): let go, or the parameter would stay at 1.
    cancelPress();
}

void ParameterHoldButton::setParam(std::shared_ptr<AudioParameter> param)
{
    // A hold under way lets go of the parameter it holds.
    cancelPress();
    param_ = std::move(param);
    updateNaturalSize();
    update();
}

const ImageResource& ParameterHoldButton::currentImage() const
{
    return param_->value() == 1.0f ? pressedImage_ : image_;
}

void ParameterHoldButton::pressBegan()
{
    // The touch carries 0, unless the value is 1 already (the host set it): a touch at 0
    // would move the parameter to 0, and the 1 that follows, equal to the value not yet
    // updated, would be dropped as a repeat, leaving the parameter at 0 while held.
    const float touch = param_->value() == 1.0f ? 1.0f : 0.0f;
    param_->setValue(touch, ParameterEditor::ui, ParameterEditorState::beginInteractive);
    param_->setValue(1.0f, ParameterEditor::ui, ParameterEditorState::change);
}

void ParameterHoldButton::pressEnded(bool, const ui::DragValue&)
{
    // No hit test: a hold ends wherever the pointer is let go.
    param_->setValue(0.0f, ParameterEditor::ui, ParameterEditorState::change);
    param_->setValue(0.0f, ParameterEditor::ui, ParameterEditorState::endInteractive);
}

} // namespace mossbell

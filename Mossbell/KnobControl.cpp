#include "Mossbell/KnobControl.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/Extensions.h"

#include "platform/ui/Painting.h"

#include <QPainter>

#include <cmath>

namespace mossbell {

KnobControl::KnobControl(std::shared_ptr<AudioParameter> param, qreal knobMinDrag, float knobDragScaleFactor,
                         int imageCount, Content content, QWidget* parent)
    : ui::View(parent), param_(std::move(param)), knobMinDrag_(knobMinDrag), knobDragScaleFactor_(knobDragScaleFactor),
      imageCount_(imageCount), content_(std::move(content))
{
    // The drag and both resets run side by side: a press that never travels knobMinDrag points
    // may still end as a double click or an Option-click.
    gestures().setDrag({knobMinDrag_, [this](const ui::DragValue& drag) { dragChanged(drag.location.y()); },
                        [this](const ui::DragValue&) { dragEnded(); }});
    gestures().addTap({2, {}, [this] { reset(); }});
    gestures().addTap({1, ui::optionModifier, [this] { reset(); }});

    // The frame follows the value from the start, whatever changes it later.
    imageIndex_.set(param_->imageIndex(param_->value(), imageCount_));
    valueObservation_ =
        param_->observeValue([this](float value) { imageIndex_.set(param_->imageIndex(value, imageCount_)); });
    updateNaturalSize();
}

KnobControl::~KnobControl()
{
    // Deleted mid-drag (its view rebuilt), the knob still ends the gesture: the host hears the
    // release and the parameter takes host values again. The base class cannot do it, since
    // the handlers need this knob's members.
    gestures().cancel();
}

void KnobControl::dragChanged(qreal y)
{
    if (!lastDragValue_) {
        // The first change only begins the gesture: the pointer has just crossed knobMinDrag.
        param_->setBeingInteractivelyEdited(true);
        continuousDragValue_ = param_->value();
        param_->setValue(param_->value(), ParameterEditor::ui, ParameterEditorState::beginInteractive);
    } else {
        // Upwards (y decreasing) raises the value.
        const float delta = static_cast<float>(*lastDragValue_ - y) * knobDragScaleFactor_;
        const float current = continuousDragValue_.value_or(param_->value());
        const float position = clamped(param_->normalizedPosition(current) + delta, ClosedRange{0.0f, 1.0f});
        const auto& range = param_->valueRange();
        const float value =
            clamped(param_->valueForNormalizedPosition(position), ClosedRange{range.lower, range.upper});
        continuousDragValue_ = value;
        // An indexed parameter takes whole values; a repeat of the same one is not sent again.
        const float sent = param_->isIndexed() ? std::round(value) : value;
        param_->setValue(sent, ParameterEditor::ui, ParameterEditorState::change);
    }
    lastDragValue_ = y;
}

void KnobControl::dragEnded()
{
    lastDragValue_.reset();
    continuousDragValue_.reset();
    param_->setBeingInteractivelyEdited(false);
    param_->setValue(param_->value(), ParameterEditor::ui, ParameterEditorState::endInteractive);
}

void KnobControl::reset()
{
    param_->setValue(param_->defaultValue(), ParameterEditor::ui, ParameterEditorState::change);
}

void KnobControl::updateNaturalSize()
{
    setNaturalSize(ui::pointSize(content_(imageIndex_.get(), 1.0)));
}

void KnobControl::observedChange()
{
    // A strip whose frames differ in size lays the knob out again.
    updateNaturalSize();
}

void KnobControl::paint(QPainter& painter)
{
    ui::drawImageCentred(painter, rect(), content_(imageIndex_.get(), ui::pixelScale(painter)));
}

} // namespace mossbell
